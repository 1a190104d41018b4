#include "bookmarksdialog.h"
#include "bookshelfwidget.h"
#include "encodingdialog.h"
#include "fileloader.h"
#include "mainmenu.h"
#include "readingsession.h"
#include "testmain.h"
#include "theme.h"
#include "themecontroller.h"
#include "windowdriver.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QHash>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStackedWidget>

using namespace WindowDriver;

// The themes: every text in the window and its dialogs readable on what lies behind it, the
// whole window in the theme's colours, and the choice made from the menu and remembered.
class TestThemes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyVisibleTextIsReadable_data();
    void everyVisibleTextIsReadable();
    void themeIsChosenFromTheMenuAndRemembered();
    void colourPickerMakesTheThemeCustom();
    void noThemeChosenLooksAsBefore();
    void coverShadowsShowOnTheShelf_data();
    void coverShadowsShowOnTheShelf();

private:
    void openWindow();
    void checkWidgetTree(QWidget *top, qreal minimumBackgroundLuminance, qreal maximumBackgroundLuminance);
    void checkMenu(QMenu *menu, qreal minimumBackgroundLuminance, qreal maximumBackgroundLuminance);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QString m_plainSheet;
};

namespace {

// A rectangle's background is the colour most of its pixels have; its text, the pixel that
// stands out from it most (the edges of glyphs are blends of the two, never more distinct).
struct Measured
{
    QColor background;
    QColor text;
    qreal contrast = 1.0;
};

Measured measure(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> counts;
    const QRect inside = rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    }
    Measured measured;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            measured.background = QColor(it.key());
        }
    }
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const qreal contrast = Theme::contrast(QColor(it.key()), measured.background);
        if (contrast > measured.contrast) {
            measured.contrast = contrast;
            measured.text = QColor(it.key());
        }
    }
    return measured;
}

QString textOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->pixmap().isNull() ? label->text() : QString();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    return {};
}

// The rectangle of a widget's text, without the frame and padding a style sheet gives it.
QRect textRect(QWidget *widget)
{
    return widget->contentsRect().marginsRemoved(QMargins(1, 1, 1, 1));
}

}

void TestThemes::initTestCase()
{
    QVERIFY(loadStyleSheet(*qApp));
    m_plainSheet = qApp->styleSheet();
}

void TestThemes::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestThemes::cleanup()
{
    m_window.reset();
}

void TestThemes::openWindow()
{
    const QString path = m_dir->filePath(QStringLiteral("风铃.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int chapter = 1; chapter <= 6; ++chapter) {
        file.write(QStringLiteral("第%1章 风铃\n").arg(chapter).toUtf8());
        for (int p = 0; p < 30; ++p)
            file.write(QStringLiteral("　　檐下的风铃响了一夜，她数着铃声，像数着远方寄来的信。\n").toUtf8());
    }
    file.close();
    m_window = std::make_unique<MainWindow>();
    m_window->openAtStart(path);
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(loaded.wait(20000));
    waitForTurns(*m_window);
}

void TestThemes::checkWidgetTree(QWidget *top, qreal minimumBackgroundLuminance,
                                 qreal maximumBackgroundLuminance)
{
    QApplication::processEvents();
    const QImage image = top->grab().toImage();
    int checked = 0;
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisible() || !widget->isEnabled() || widget->window() != top)
            continue;
        QList<QRect> rects;
        if (!textOf(widget).trimmed().isEmpty()) {
            rects.append(QRect(widget->mapTo(top, textRect(widget).topLeft()), textRect(widget).size()));
        } else if (auto *view = qobject_cast<QAbstractItemView *>(widget); view && view->model()) {
            // The shelf's items are covers, not text.
            if (auto *list = qobject_cast<QListView *>(view); list && list->viewMode() == QListView::IconMode)
                continue;
            for (int row = 0; row < qMin(view->model()->rowCount(), 3); ++row) {
                QRect item;
                for (int column = 0; column < view->model()->columnCount(); ++column)
                    item |= view->visualRect(view->model()->index(row, column));
                if (!item.isEmpty())
                    rects.append(QRect(view->viewport()->mapTo(top, item.topLeft()), item.size()));
            }
        }
        for (const QRect &rect : rects) {
            const Measured measured = measure(image, rect);
            const QString what = QStringLiteral("%1 %2 \"%3\": text %4 on %5")
                                         .arg(QLatin1String(widget->metaObject()->className()),
                                              widget->objectName(), textOf(widget).left(12),
                                              measured.text.name(), measured.background.name());
            QVERIFY2(measured.contrast >= 4.5, qPrintable(what + QStringLiteral(", contrast %1").arg(measured.contrast)));
            const qreal luminance = Theme::luminance(measured.background);
            QVERIFY2(luminance >= minimumBackgroundLuminance && luminance <= maximumBackgroundLuminance,
                     qPrintable(what + QStringLiteral(", not the theme's background")));
            ++checked;
        }
    }
    QVERIFY2(checked >= 2, top->metaObject()->className());
}

void TestThemes::checkMenu(QMenu *menu, qreal minimumBackgroundLuminance, qreal maximumBackgroundLuminance)
{
    menu->popup(m_window->mapToGlobal(QPoint(80, 60)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QImage image = menu->grab().toImage();
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        const Measured measured = measure(image, menu->actionGeometry(action));
        QVERIFY2(measured.contrast >= 4.5, qPrintable(action->text()));
        const qreal luminance = Theme::luminance(measured.background);
        QVERIFY2(luminance >= minimumBackgroundLuminance && luminance <= maximumBackgroundLuminance,
                 qPrintable(action->text()));
    }
    menu->close();
}

void TestThemes::everyVisibleTextIsReadable_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QColor>("page");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<qreal>("minimumLuminance");
    QTest::addColumn<qreal>("maximumLuminance");

    const QColor none;
    QTest::newRow("none chosen") << QString() << none << none << 0.6 << 1.0;
    QTest::newRow("day") << Theme::Day << none << none << 0.6 << 1.0;
    QTest::newRow("sepia") << Theme::Sepia << none << none << 0.6 << 0.95;
    QTest::newRow("green") << Theme::Green << none << none << 0.55 << 0.9;
    QTest::newRow("night") << Theme::Night << none << none << 0.0 << 0.05;
    QTest::newRow("custom, dark") << Theme::Custom << QColor(0x10, 0x24, 0x3a) << QColor(0xe8, 0xe0, 0xc8) << 0.0 << 0.1;
    QTest::newRow("custom, light") << Theme::Custom << QColor(0xff, 0xf6, 0xe0) << QColor(0x30, 0x20, 0x60) << 0.7 << 1.0;
}

// Every text of the reading page with its search bar, the contents, the search results, the
// main menu and the dialogs, in each theme.
void TestThemes::everyVisibleTextIsReadable()
{
    QFETCH(QString, theme);
    QFETCH(QColor, page);
    QFETCH(QColor, text);
    QFETCH(qreal, minimumLuminance);
    QFETCH(qreal, maximumLuminance);
    if (!theme.isEmpty())
        store().setValue("theme", theme);
    if (page.isValid()) {
        store().setValue("bgColor", page);
        store().setValue("textColor", text);
    }
    openWindow();
    PageWidget *pages = pageWidget(*m_window);
    QVERIFY(Theme::contrast(pages->textColor(), pages->backgroundColor()) >= 4.5);

    child<QAbstractButton>(*m_window, "toggleSearchButton")->click();
    child<QLineEdit>(*m_window, "searchEdit")->setText(QStringLiteral("风铃"));
    checkWidgetTree(m_window.get(), minimumLuminance, maximumLuminance);

    child<QAbstractButton>(*m_window, "contentsButton")->click();
    checkWidgetTree(m_window.get(), minimumLuminance, maximumLuminance);
    child<QAbstractButton>(*m_window, "allResultsButton")->click();
    checkWidgetTree(m_window.get(), minimumLuminance, maximumLuminance);
    child<QAbstractButton>(*m_window, "readButton")->click();

    checkMenu(m_window->findChild<MainMenu *>(), minimumLuminance, maximumLuminance);

    auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("书库"),
                                QStringLiteral("书库文件无法打开，本次阅读不会被记住。"), QMessageBox::Ok,
                                m_window.get());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    checkWidgetTree(box, minimumLuminance, maximumLuminance);
    box->close();

    EncodingDialog encoding("GB18030", "UTF-8", m_window.get());
    encoding.show();
    QVERIFY(QTest::qWaitForWindowExposed(&encoding));
    checkWidgetTree(&encoding, minimumLuminance, maximumLuminance);
}

void TestThemes::themeIsChosenFromTheMenuAndRemembered()
{
    openWindow();
    auto *menu = m_window->findChild<MainMenu *>();
    QMenu *themes = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->menu() && action->text() == QStringLiteral("主题"))
            themes = action->menu();
    }
    QVERIFY(themes);
    QStringList names;
    for (QAction *action : themes->actions()) {
        names.append(action->text());
        QVERIFY(action->isCheckable());
        QVERIFY(!action->isChecked());
    }
    QCOMPARE(names, QStringList({ "日间", "羊皮纸", "护眼", "夜间" }));

    const QString plain = qApp->styleSheet();
    themes->actions().at(3)->trigger();
    QVERIFY(themes->actions().at(3)->isChecked());
    QCOMPARE(store().value("theme").toString(), Theme::Night);
    QCOMPARE(pageWidget(*m_window)->backgroundColor(), Theme::named(Theme::Night).page());
    QVERIFY(qApp->styleSheet().startsWith(plain) && qApp->styleSheet() != plain);
    themes->actions().at(1)->trigger();
    QVERIFY(!themes->actions().at(3)->isChecked());

    m_window.reset();
    openWindow();
    QCOMPARE(pageWidget(*m_window)->backgroundColor(), Theme::named(Theme::Sepia).page());
    for (QAction *action : m_window->findChild<MainMenu *>()->actions()) {
        if (action->menu() && action->text() == QStringLiteral("主题"))
            QVERIFY(action->menu()->actions().at(1)->isChecked());
    }
}

// The picked colour and the other one on show make the custom theme, stored.
void TestThemes::colourPickerMakesTheThemeCustom()
{
    store().setValue("theme", Theme::Night);
    openWindow();
    const QColor picked(0x22, 0x33, 0x55);
    onNextModal([picked](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->currentColor(), Theme::named(Theme::Night).page());
        dialog->setCurrentColor(picked);
        dialog->accept();
    });
    child<QAbstractButton>(*m_window, "colorButton")->click();
    QCOMPARE(store().value("theme").toString(), Theme::Custom);
    QCOMPARE(store().value("bgColor").value<QColor>(), picked);
    QCOMPARE(store().value("textColor").value<QColor>(), Theme::named(Theme::Night).pageText());
    QCOMPARE(pageWidget(*m_window)->backgroundColor(), picked);
    QVERIFY(qApp->styleSheet().contains(picked.name()));
}

// A store without a theme shows its own page colours and the window as the style sheet draws
// it; and a reset forgets the theme.
void TestThemes::noThemeChosenLooksAsBefore()
{
    const QString plain = m_plainSheet;
    store().setValue("bgColor", QColor(0x33, 0x66, 0x99));
    openWindow();
    QCOMPARE(pageWidget(*m_window)->backgroundColor(), QColor(0x33, 0x66, 0x99));
    QCOMPARE(qApp->styleSheet(), plain);
    QVERIFY(!store().contains("theme"));

    m_window->findChild<ThemeController *>()->choose(Theme::Green);
    QVERIFY(qApp->styleSheet() != plain);
    answerNextMessageBox(QMessageBox::Yes);
    answerNextMessageBox(QMessageBox::Ok);
    m_window->resetApplication();
    QCOMPARE(qApp->styleSheet(), plain);
    QCOMPARE(pageWidget(*m_window)->backgroundColor(), Settings::DefaultBackground);
}

void TestThemes::coverShadowsShowOnTheShelf_data()
{
    QTest::addColumn<QString>("theme");
    QTest::newRow("day") << Theme::Day;
    QTest::newRow("night") << Theme::Night;
}

// The shadow beside each cover's edge is clearly darker than the shelf it falls on, the
// shelf in the theme's colours.
void TestThemes::coverShadowsShowOnTheShelf()
{
    QFETCH(QString, theme);
    store().setValue("theme", theme);
    openWindow();
    child<QAbstractButton>(*m_window, "bookshelfButton")->click();
    auto *shelf = m_window->findChild<BookshelfWidget *>();
    QTRY_VERIFY(shelf->isVisible() && shelf->count() > 0);
    QApplication::processEvents();
    // Grabbed with the window, as the shelf of the day theme lets the window show through.
    const QImage image = m_window->grab().toImage();
    const QPoint origin = shelf->viewport()->mapTo(m_window.get(), QPoint());
    const QColor ground = image.pixelColor(origin + QPoint(shelf->viewport()->width() - 5, shelf->viewport()->height() - 5));
    QCOMPARE(Theme::luminance(ground) < 0.05, theme == Theme::Night);

    // Right of the cover's board, the first thing that is not the shelf is the edge's shadow.
    const QRect first = shelf->visualItemRect(shelf->item(0)).translated(origin);
    const int y = first.top() + first.height() / 3;
    int x = first.right();
    while (x > first.left() && image.pixelColor(x, y) == ground)
        --x;
    const int darkest = image.pixelColor(x, y).lightness();
    QVERIFY2(darkest <= ground.lightness() - 15, qPrintable(QString::number(darkest)));
}

LEXORIN_TEST_MAIN(TestThemes)
#include "tst_themes.moc"
