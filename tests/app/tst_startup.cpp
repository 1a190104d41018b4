#include "mainwindow.h"
#include "testmain.h"
#include "windowshadow.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QLabel>
#include <QRawFont>
#include <QStringDecoder>
#include <QTextLayout>
#include <QTranslator>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void resourceCollectionIsComplete_data();
    void resourceCollectionIsComplete();
    void styleSheetApplies();
    void sampleBooksAreStoredAsGbk_data();
    void sampleBooksAreStoredAsGbk();
    void readingFamilyResolvesToAChineseFont();
    void rareIdeographsResolveToAFontThatHasThem_data();
    void rareIdeographsResolveToAFontThatHasThem();
    void windowOpensAtItsFirstSizeFramelessAndTranslucent();
};

void TestStartup::resourceCollectionIsComplete_data()
{
    QTest::addColumn<QString>("path");

    const QStringList icons = {
        "logo.svg", "logo.ico", "read.svg", "read-hover.svg", "bookList.svg",
        "bookList-hover.svg", "openFile.svg", "openFile-hover.svg", "open.svg", "open-hover.svg",
        "nav.svg", "search_show.svg", "search_hide.svg", "min.svg", "fullscreen.svg",
        "restore.svg", "close.svg", "jump.svg", "fontColor.svg", "font.svg", "zoomIn.svg",
        "zoomOut.svg", "bgcolor.svg", "prev.svg", "next.svg",
    };
    for (const QString &icon : icons)
        QTest::newRow(qPrintable(icon)) << QStringLiteral(":/icons/") + icon;

    const QStringList indicators = {
        "radiobutton_checked", "radiobutton_unchecked", "radiobutton_checked_disable",
        "radiobutton_unchecked_disable", "checkbox_checked", "checkbox_unchecked",
        "checkbox_checked_disable", "checkbox_unchecked_disable", "checkbox_parcial",
        "checkbox_parcial_disable", "add_top", "add_bottom", "add_left", "add_right",
        "branch_open", "branch_close", "calendar_prevmonth", "calendar_nextmonth",
    };
    for (const QString &indicator : indicators)
        QTest::newRow(qPrintable(indicator)) << QStringLiteral(":/qss/default/%1.png").arg(indicator);

    QTest::newRow("style sheet") << QStringLiteral(":/qss/default.css");
    for (const char *language : { "zh_CN", "zh_TW", "en_US" })
        QTest::newRow(language) << QStringLiteral(":/translations/lang_%1.qm").arg(QLatin1String(language));
    QTest::newRow("english sample") << QStringLiteral(":/book/A Pocketful of Weather.txt");
    QTest::newRow("chinese sample") << QStringLiteral(":/book/星灯童话集.txt");
}

void TestStartup::resourceCollectionIsComplete()
{
    QFETCH(QString, path);
    QVERIFY2(QFile::exists(path), qPrintable(path));

    if (path.endsWith(QLatin1String(".svg")) || path.endsWith(QLatin1String(".png"))
        || path.endsWith(QLatin1String(".ico")))
        QVERIFY(!QImage(path).isNull());
    if (path.endsWith(QLatin1String(".qm"))) {
        QTranslator translator;
        QVERIFY(translator.load(path));
    }
}

void TestStartup::styleSheetApplies()
{
    QTest::ignoreMessage(QtDebugMsg, "样式文件路径: \":/qss/default.css\"");
    QTest::ignoreMessage(QtDebugMsg, "样式表加载成功");
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    QVERIFY(loadStyleSheet(*app));
    QVERIFY(app->styleSheet().contains(QLatin1String("#frame_menu")));
    app->setStyleSheet(QString());
}

void TestStartup::sampleBooksAreStoredAsGbk_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("english") << QStringLiteral(":/book/A Pocketful of Weather.txt");
    QTest::newRow("chinese") << QStringLiteral(":/book/星灯童话集.txt");
}

void TestStartup::sampleBooksAreStoredAsGbk()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();

    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    Q_UNUSED(asUtf8);
    QVERIFY(utf8.hasError());

    QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    const QString text = gbk.decode(bytes);
    QVERIFY(!gbk.hasError());
    QVERIFY(text.startsWith(QStringLiteral("　　")));
    QVERIFY(text.contains(QStringLiteral("\r\n\r\n　　")));
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
}

void TestStartup::readingFamilyResolvesToAChineseFont()
{
    const QFont font(QStringLiteral("Microsoft YaHei"), 14);
    QVERIFY(QFontMetrics(font).inFont(QChar(0x4E2D)));
    QCOMPARE(QApplication::font().family(), QStringLiteral("Microsoft YaHei"));
    QCOMPARE(QApplication::font().pointSize(), 10);
}

void TestStartup::rareIdeographsResolveToAFontThatHasThem_data()
{
    QTest::addColumn<char32_t>("character");

    QTest::newRow("Extension A U+3400") << char32_t(0x3400);
    QTest::newRow("Extension B U+20000") << char32_t(0x20000);
    QTest::newRow("Extension B U+2A6A5") << char32_t(0x2A6A5);
    QTest::newRow("Extension C U+2A700") << char32_t(0x2A700);
    QTest::newRow("Extension E U+2B820") << char32_t(0x2B820);
    QTest::newRow("Extension G U+30000") << char32_t(0x30000);
}

void TestStartup::rareIdeographsResolveToAFontThatHasThem()
{
    QFETCH(char32_t, character);

    // Laid out in the reading font, the character must come from a font holding a glyph
    // for it, not the missing-glyph box of the font that fell back.
    QTextLayout layout(QString::fromUcs4(&character, 1), QFont(QStringLiteral("Microsoft YaHei"), 14));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QCOMPARE(runs.size(), 1);
    const QRawFont font = runs.front().rawFont();
    QVERIFY2(font.supportsCharacter(uint(character)), qPrintable(font.familyName()));
    QVERIFY(runs.front().glyphIndexes().value(0) != 0);
}

void TestStartup::windowOpensAtItsFirstSizeFramelessAndTranslucent()
{
    MainWindow window;
    // Before any book is shown the label counts no page at all, not "page 1 of 0".
    QCOMPARE(window.findChild<QLabel *>("m_pageLabel")->text(), QStringLiteral("第 0 页/共 0 页"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(640, 800));
    QVERIFY(window.minimumSize().width() < 640 && window.minimumSize().height() < 800);
    QCOMPARE(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(window.hasFocus() || window.focusPolicy() == Qt::StrongFocus);


    // The shadow is painted behind the content frame, not by an effect that would blur the
    // whole window again on every frame.
    QVERIFY(!window.centralWidget()->graphicsEffect());
    auto *shadow = window.centralWidget()->findChild<WindowShadow *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(shadow);
    QVERIFY(shadow->isVisible());
    QCOMPARE(shadow->geometry(), window.centralWidget()->rect());
    const QObjectList stacking = window.centralWidget()->children();
    QVERIFY(stacking.indexOf(shadow) < stacking.indexOf(window.findChild<QWidget *>("frameMain")));
    QCOMPARE(WindowShadow::BlurRadius, 20.0);
    QCOMPARE(WindowShadow::Color, QColor(0, 0, 0, 80));
}

LEXORIN_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
