#include "markingtranslator.h"
#include "testmain.h"
#include "ui_mainwindow.h"

#include <QMetaEnum>
#include <QTranslator>

namespace {

constexpr int Unlimited = QWIDGETSIZE_MAX;

// The designed form on a bare QMainWindow: what the reader's window starts from,
// without any of the window's own behaviour.
struct FormWindow
{
    FormWindow() { ui.setupUi(&window); }

    template<typename T = QObject>
    T *named(const QString &name)
    {
        if (window.objectName() == name)
            return qobject_cast<T *>(&window);
        return window.findChild<T *>(name);
    }

    QMainWindow window;
    Ui::MainWindow ui;
};


QString policyName(QSizePolicy::Policy policy)
{
    return QString::fromLatin1(QMetaEnum::fromType<QSizePolicy::Policy>().valueToKey(policy));
}

QString describeItem(QLayoutItem *item)
{
    if (const QWidget *widget = item->widget())
        return QStringLiteral("%1 %2").arg(QLatin1String(widget->metaObject()->className()),
                                           widget->objectName());
    if (const QLayout *layout = item->layout())
        return QStringLiteral("%1 %2").arg(QLatin1String(layout->metaObject()->className()),
                                           layout->objectName());
    if (QSpacerItem *spacer = item->spacerItem()) {
        const QSize hint = spacer->sizeHint();
        const QSizePolicy policy = spacer->sizePolicy();
        return QStringLiteral("spacer %1x%2 %3/%4")
                .arg(hint.width())
                .arg(hint.height())
                .arg(policyName(policy.horizontalPolicy()),
                     policyName(policy.verticalPolicy()));
    }
    return QStringLiteral("unknown item");
}

void settleLayouts()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

}

class TestMainWindowForm : public QObject
{
    Q_OBJECT

private slots:
    void layoutItems_data();
    void layoutItems();
    void layoutSpacingAndMargins_data();
    void layoutSpacingAndMargins();
    void frames_data();
    void frames();
    void sizePolicies_data();
    void sizePolicies();
    void sizeLimits_data();
    void sizeLimits();
    void iconSizes_data();
    void iconSizes();
    void sourceTexts_data();
    void sourceTexts();
    void retranslatedTexts_data();
    void retranslatedTexts();
    void initialState();
    void buttonGroup();
    void buttonClicks_data();
    void buttonClicks();
    void readingPageAtWindowSize();
};

void TestMainWindowForm::layoutItems_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("window") << "verticalLayout" << "centralwidget"
                            << QStringList{"QFrame frameMain"};
    QTest::newRow("main frame") << "horizontalLayout_5" << "frameMain"
                                << QStringList{"QFrame frame_menu", "QFrame frameMainBox"};
    QTest::newRow("menu strip") << "verticalLayout_6" << "frame_menu"
                                << QStringList{"QPushButton LOGO",
                                               "spacer 20x40 Minimum/Minimum",
                                               "QToolButton readButton",
                                               "QToolButton bookshelfButton",
                                               "spacer 20x40 Minimum/Expanding",
                                               "QToolButton openButton",
                                               "QToolButton openFolderButton"};
    QTest::newRow("right side") << "verticalLayout_5" << "frameMainBox"
                                << QStringList{"QFrame headerFrame",
                                               "QStackedWidget stackedWidget"};
    QTest::newRow("header") << "horizontalLayout_2" << "headerFrame"
                            << QStringList{"QLabel bookName",
                                           "spacer 40x20 Expanding/Minimum",
                                           "QPushButton menuButton",
                                           "QPushButton toggleSearchButton",
                                           "QPushButton minimizeButton",
                                           "QPushButton fullscreenButton",
                                           "QPushButton closeButton"};
    QTest::newRow("reading page") << "verticalLayout_2" << "page"
                                  << QStringList{"QFrame frame_2", "QFrame bookBox",
                                                 "QFrame footer_menu"};
    QTest::newRow("search bar") << "horizontalLayout_4" << "frame_2"
                                << QStringList{"QLineEdit searchEdit",
                                               "QPushButton searchButton"};
    QTest::newRow("page frame starts empty") << "verticalLayout_3" << "bookBox" << QStringList{};
    QTest::newRow("footer") << "horizontalLayout" << "footer_menu"
                            << QStringList{"QLabel m_pageLabel",
                                           "QPushButton jumpButton",
                                           "QPushButton textColorButton",
                                           "QPushButton fontButton",
                                           "QPushButton zoomInButton",
                                           "QPushButton zoomOutButton",
                                           "QPushButton colorButton",
                                           "QPushButton prevButton",
                                           "QPushButton nextButton"};
    QTest::newRow("bookshelf page") << "verticalLayout_4" << "page_2"
                                    << QStringList{"QGridLayout gridLayout"};
    QTest::newRow("shelf grid starts empty") << "gridLayout" << "page_2" << QStringList{};
}

void TestMainWindowForm::layoutItems()
{
    QFETCH(QString, layout);
    QFETCH(QString, host);
    QFETCH(QStringList, items);

    FormWindow form;
    auto *found = form.named<QLayout>(layout);
    QVERIFY2(found, qPrintable(layout));
    QCOMPARE(found->parentWidget()->objectName(), host);

    const auto *box = qobject_cast<QBoxLayout *>(found);
    QStringList actual;
    for (int i = 0; i < found->count(); ++i) {
        QLayoutItem *item = found->itemAt(i);
        actual << describeItem(item);
        QCOMPARE(item->alignment(), Qt::Alignment());
        if (box)
            QCOMPARE(box->stretch(i), 0);
    }
    QCOMPARE(actual, items);
}

void TestMainWindowForm::layoutSpacingAndMargins_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("className");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QMargins>("margins");

    // The window's 10-pixel margin is the transparent border the drop shadow is drawn in.
    QTest::newRow("verticalLayout") << "verticalLayout" << "QVBoxLayout" << 0 << QMargins(10, 10, 10, 10);
    QTest::newRow("horizontalLayout_5") << "horizontalLayout_5" << "QHBoxLayout" << 0 << QMargins();
    QTest::newRow("verticalLayout_6") << "verticalLayout_6" << "QVBoxLayout" << 0 << QMargins(0, 10, 0, 0);
    QTest::newRow("verticalLayout_5") << "verticalLayout_5" << "QVBoxLayout" << 0 << QMargins();
    QTest::newRow("horizontalLayout_2") << "horizontalLayout_2" << "QHBoxLayout" << 5 << QMargins(15, 0, 0, 0);
    QTest::newRow("verticalLayout_2") << "verticalLayout_2" << "QVBoxLayout" << 0 << QMargins();
    QTest::newRow("horizontalLayout_4") << "horizontalLayout_4" << "QHBoxLayout" << 5 << QMargins();
    QTest::newRow("verticalLayout_3") << "verticalLayout_3" << "QVBoxLayout" << 0 << QMargins();
    QTest::newRow("horizontalLayout") << "horizontalLayout" << "QHBoxLayout" << 0 << QMargins();
    QTest::newRow("verticalLayout_4") << "verticalLayout_4" << "QVBoxLayout" << 0 << QMargins();
}

void TestMainWindowForm::layoutSpacingAndMargins()
{
    QFETCH(QString, layout);
    QFETCH(QString, className);
    QFETCH(int, spacing);
    QFETCH(QMargins, margins);

    FormWindow form;
    auto *found = form.named<QLayout>(layout);
    QVERIFY2(found, qPrintable(layout));
    QCOMPARE(QLatin1String(found->metaObject()->className()), className);
    QCOMPARE(found->parentWidget()->layout(), found);
    QCOMPARE(found->spacing(), spacing);
    QCOMPARE(found->contentsMargins(), margins);
}

void TestMainWindowForm::frames_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QFrame::Shape>("shape");
    QTest::addColumn<QFrame::Shadow>("shadow");

    QTest::newRow("frame_menu") << "frame_menu" << QFrame::StyledPanel << QFrame::Raised;
    QTest::newRow("headerFrame") << "headerFrame" << QFrame::NoFrame << QFrame::Raised;
    QTest::newRow("frame_2") << "frame_2" << QFrame::NoFrame << QFrame::Raised;
    QTest::newRow("bookBox") << "bookBox" << QFrame::NoFrame << QFrame::Raised;
    QTest::newRow("footer_menu") << "footer_menu" << QFrame::NoFrame << QFrame::Raised;
    // Designer gives a new frame a styled panel; these two must keep QFrame's plain default.
    QTest::newRow("frameMain") << "frameMain" << QFrame::NoFrame << QFrame::Plain;
    QTest::newRow("frameMainBox") << "frameMainBox" << QFrame::NoFrame << QFrame::Plain;
}

void TestMainWindowForm::frames()
{
    QFETCH(QString, frame);
    QFETCH(QFrame::Shape, shape);
    QFETCH(QFrame::Shadow, shadow);

    FormWindow form;
    auto *found = form.named<QFrame>(frame);
    QVERIFY2(found, qPrintable(frame));
    QCOMPARE(found->frameShape(), shape);
    QCOMPARE(found->frameShadow(), shadow);
}

void TestMainWindowForm::sizePolicies_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QSizePolicy::Policy>("horizontal");
    QTest::addColumn<QSizePolicy::Policy>("vertical");

    const QStringList fixedWidgets = {
        "LOGO", "bookName", "menuButton", "toggleSearchButton", "minimizeButton",
        "jumpButton", "textColorButton", "fontButton", "zoomInButton", "zoomOutButton",
        "colorButton", "prevButton", "nextButton",
    };
    for (const QString &name : fixedWidgets)
        QTest::newRow(qPrintable(name)) << name << QSizePolicy::Fixed << QSizePolicy::Fixed;

    // These keep the push button's own policy, so they may stretch sideways.
    QTest::newRow("fullscreenButton") << "fullscreenButton" << QSizePolicy::Minimum << QSizePolicy::Fixed;
    QTest::newRow("closeButton") << "closeButton" << QSizePolicy::Minimum << QSizePolicy::Fixed;
}

void TestMainWindowForm::sizePolicies()
{
    QFETCH(QString, widget);
    QFETCH(QSizePolicy::Policy, horizontal);
    QFETCH(QSizePolicy::Policy, vertical);

    FormWindow form;
    auto *found = form.named<QWidget>(widget);
    QVERIFY2(found, qPrintable(widget));
    QCOMPARE(found->sizePolicy().horizontalPolicy(), horizontal);
    QCOMPARE(found->sizePolicy().verticalPolicy(), vertical);
}

void TestMainWindowForm::sizeLimits_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QSize>("maximum");

    QTest::newRow("left strip") << "frame_menu" << QSize(0, 0) << QSize(60, Unlimited);
    QTest::newRow("header") << "headerFrame" << QSize(0, 0) << QSize(Unlimited, 40);
    QTest::newRow("search bar") << "frame_2" << QSize(0, 0) << QSize(Unlimited, 40);
    QTest::newRow("footer") << "footer_menu" << QSize(0, 0) << QSize(Unlimited, 40);
    QTest::newRow("page label") << "m_pageLabel" << QSize(0, 0) << QSize(Unlimited, 20);
    QTest::newRow("page frame unbounded") << "bookBox" << QSize(0, 0) << QSize(Unlimited, Unlimited);
    QTest::newRow("minimize button") << "minimizeButton" << QSize(0, 0) << QSize(Unlimited, Unlimited);
    QTest::newRow("close button") << "closeButton" << QSize(0, 0) << QSize(Unlimited, Unlimited);
}

void TestMainWindowForm::sizeLimits()
{
    QFETCH(QString, widget);
    QFETCH(QSize, minimum);
    QFETCH(QSize, maximum);

    FormWindow form;
    auto *found = form.named<QWidget>(widget);
    QVERIFY2(found, qPrintable(widget));
    QCOMPARE(found->minimumSize(), minimum);
    QCOMPARE(found->maximumSize(), maximum);
}

void TestMainWindowForm::iconSizes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QSize>("iconSize");

    QTest::newRow("LOGO") << "LOGO" << QSize(28, 28);
    QTest::newRow("readButton") << "readButton" << QSize(24, 24);
    QTest::newRow("bookshelfButton") << "bookshelfButton" << QSize(25, 25);
    QTest::newRow("openButton") << "openButton" << QSize(25, 25);
    QTest::newRow("openFolderButton") << "openFolderButton" << QSize(25, 25);
    const QStringList smallIconButtons = {
        "minimizeButton", "closeButton", "jumpButton", "textColorButton", "fontButton",
        "zoomInButton", "zoomOutButton", "colorButton", "prevButton", "nextButton",
    };
    for (const QString &name : smallIconButtons)
        QTest::newRow(qPrintable(name)) << name << QSize(16, 16);
}

void TestMainWindowForm::iconSizes()
{
    QFETCH(QString, button);
    QFETCH(QSize, iconSize);

    FormWindow form;
    auto *found = form.named<QAbstractButton>(button);
    QVERIFY2(found, qPrintable(button));
    QCOMPARE(found->iconSize(), iconSize);
}

void TestMainWindowForm::sourceTexts_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("setByForm");

    const auto row = [](const char *object, const char *property, const QString &source,
                        bool setByForm = true) {
        QTest::addRow("%s %s", object, property)
                << QString::fromLatin1(object) << QByteArray(property) << source << setByForm;
    };

    row("MainWindow", "windowTitle", "Lexorin");
    row("LOGO", "toolTip", "Quorvane");
    row("readButton", "toolTip", "阅读页面");
    row("bookshelfButton", "toolTip", "书架");
    row("openButton", "toolTip", "打开书籍文件");
    row("openFolderButton", "toolTip", "打开文件夹");
    row("bookName", "text", "Quorvane - 未打开文件");
    row("toggleSearchButton", "toolTip", "显示/隐藏搜索按钮");
    row("minimizeButton", "toolTip", "缩小窗口");
    row("fullscreenButton", "toolTip", "全屏窗口");
    row("closeButton", "toolTip", "关闭程序");
    row("searchEdit", "toolTip", "搜索框");
    row("searchEdit", "placeholderText", "搜索内容 (按Enter搜索)");
    row("searchButton", "toolTip", "搜索");
    row("searchButton", "text", "搜索");
    row("m_pageLabel", "text", "第 0 页/共 0 页");
    row("jumpButton", "toolTip", "跳转页");
    row("zoomInButton", "toolTip", "放大字体");
    row("zoomOutButton", "toolTip", "缩小字体");
    row("colorButton", "toolTip", "主题设置");
    row("prevButton", "toolTip", "上一页");
    row("nextButton", "toolTip", "下一页");

    const QStringList iconOnlyButtons = {
        "readButton", "bookshelfButton", "openButton", "openFolderButton",
        "toggleSearchButton", "minimizeButton", "fullscreenButton", "jumpButton",
        "textColorButton", "fontButton", "zoomInButton", "zoomOutButton", "colorButton",
        "prevButton", "nextButton",
    };
    for (const QString &name : iconOnlyButtons)
        row(qPrintable(name), "text", QString());

    row("textColorButton", "toolTip", QString(), false);
    row("fontButton", "toolTip", QString(), false);
    row("menuButton", "toolTip", QString(), false);
    row("menuButton", "text", QString(), false);
    row("LOGO", "text", QString(), false);
    row("closeButton", "text", QString(), false);
}

void TestMainWindowForm::sourceTexts()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, property);
    QFETCH(QString, source);

    FormWindow form;
    QObject *found = form.named(object);
    QVERIFY2(found, qPrintable(object));
    QCOMPARE(found->property(property).toString(), source);
}

void TestMainWindowForm::retranslatedTexts_data()
{
    sourceTexts_data();
}

void TestMainWindowForm::retranslatedTexts()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, property);
    QFETCH(QString, source);
    QFETCH(bool, setByForm);

    FormWindow form;
    QObject *found = form.named(object);
    QVERIFY2(found, qPrintable(object));

    // The program rewrites texts such as the page label at run time; a language switch
    // must put every form text back, while texts the form never sets stay the program's.
    const QString programText = QStringLiteral("set by the program");
    found->setProperty(property, programText);

    MarkingTranslator translator("MainWindow");
    QVERIFY(QCoreApplication::installTranslator(&translator));
    form.ui.retranslateUi(&form.window);

    const QString expected = setByForm ? MarkingTranslator::marked(source) : programText;
    QCOMPARE(found->property(property).toString(), expected);
}

void TestMainWindowForm::initialState()
{
    FormWindow form;

    QCOMPARE(form.window.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(form.window.size(), QSize(743, 581));
    QCOMPARE(form.window.centralWidget(), form.named<QWidget>("centralwidget"));

    auto *stack = form.named<QStackedWidget>("stackedWidget");
    QVERIFY(stack);
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->widget(0)->objectName(), QStringLiteral("page"));
    QCOMPARE(stack->widget(1)->objectName(), QStringLiteral("page_2"));
    QCOMPARE(stack->currentIndex(), 0);

    // The reading page shows although the bookshelf button is the checked one.
    QVERIFY(form.ui.bookshelfButton->isChecked());
    QVERIFY(!form.ui.readButton->isChecked());
    QVERIFY(form.ui.openButton->isCheckable());
    QVERIFY(!form.ui.openButton->isChecked());
    QVERIFY(!form.ui.openFolderButton->isCheckable());

    // Hiding the search bar is the window's job, not the form's.
    QVERIFY(!form.ui.frame_2->isHidden());
}

void TestMainWindowForm::buttonGroup()
{
    FormWindow form;
    auto *group = form.named<QButtonGroup>("buttonGroup");
    QVERIFY(group);
    QCOMPARE(group->parent(), &form.window);
    QVERIFY(group->exclusive());

    const QList<QAbstractButton *> members{form.ui.readButton, form.ui.bookshelfButton};
    QCOMPARE(group->buttons(), members);
    QVERIFY(group->id(form.ui.readButton) < -1);
    QVERIFY(group->id(form.ui.bookshelfButton) < -1);
    QVERIFY(group->id(form.ui.readButton) != group->id(form.ui.bookshelfButton));
    QCOMPARE(form.ui.openButton->group(), nullptr);
    QCOMPARE(form.ui.openFolderButton->group(), nullptr);
}

void TestMainWindowForm::buttonClicks_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("readChecked");
    QTest::addColumn<bool>("bookshelfChecked");
    QTest::addColumn<bool>("openChecked");

    QTest::newRow("read takes the check") << QStringList{"readButton"} << true << false << false;
    QTest::newRow("bookshelf takes it back")
            << QStringList{"readButton", "bookshelfButton"} << false << true << false;
    QTest::newRow("checked member stays checked")
            << QStringList{"bookshelfButton"} << false << true << false;
    QTest::newRow("open toggles on its own") << QStringList{"openButton"} << false << true << true;
    QTest::newRow("open toggles back")
            << QStringList{"openButton", "openButton"} << false << true << false;
    QTest::newRow("group ignores open")
            << QStringList{"openButton", "readButton"} << true << false << true;
    QTest::newRow("folder button never checks")
            << QStringList{"openFolderButton"} << false << true << false;
}

void TestMainWindowForm::buttonClicks()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, readChecked);
    QFETCH(bool, bookshelfChecked);
    QFETCH(bool, openChecked);

    FormWindow form;
    form.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form.window));

    for (const QString &name : clicks) {
        auto *button = form.named<QAbstractButton>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QCOMPARE(form.ui.readButton->isChecked(), readChecked);
    QCOMPARE(form.ui.bookshelfButton->isChecked(), bookshelfChecked);
    QCOMPARE(form.ui.openButton->isChecked(), openChecked);
    QVERIFY(!form.ui.openFolderButton->isChecked());
}

void TestMainWindowForm::readingPageAtWindowSize()
{
    FormWindow form;
    form.window.resize(640, 800);
    form.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form.window));
    settleLayouts();
    QCOMPARE(form.window.size(), QSize(640, 800));

    const Ui::MainWindow &ui = form.ui;
    QVERIFY(ui.frame_menu->width() > 0);
    QVERIFY(ui.frame_menu->width() <= 60);
    QVERIFY(ui.headerFrame->height() <= 40);
    QVERIFY(ui.footer_menu->height() <= 40);
    QCOMPARE(ui.frame_2->height() + ui.bookBox->height() + ui.footer_menu->height(),
             ui.page->height());

    const int searchBarHeight = ui.frame_2->height();
    const int bookBoxHeight = ui.bookBox->height();
    QVERIFY(searchBarHeight > 0);

    ui.frame_2->hide();
    settleLayouts();

    QCOMPARE(ui.bookBox->height(), bookBoxHeight + searchBarHeight);
    QCOMPARE(ui.bookBox->y(), 0);
}

LEXORIN_TEST_MAIN(TestMainWindowForm)
#include "tst_mainwindowform.moc"
