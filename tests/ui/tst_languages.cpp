#include "aboutdialog.h"
#include "bookpropertiesdialog.h"
#include "fileloader.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>

#include "markingtranslator.h"

using namespace WindowDriver;

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void switchingTranslatesFormMenuAndAbout_data();
    void switchingTranslatesFormMenuAndAbout();
    void switchingKeepsNamingThePageOnShow();
    void switchingToTheCurrentLanguageWritesNothing();
    void unknownSavedLanguageFallsBackToSimplifiedChinese();
    void savedEnglishSpeaksEnglishFromTheStart();
    void menuChecksTheSavedLanguage();
    void standardDialogsSpeakTheStartLanguage_data();
    void standardDialogsSpeakTheStartLanguage();
    void datesFollowTheInterfaceLanguage_data();
    void datesFollowTheInterfaceLanguage();
    void menuTextsAreTheMainWindows();

private:
    static QStringList menuTexts(MainWindow &window, QStringList *checked = nullptr);
};

void TestLanguages::init()
{
    startAfresh();
}

QStringList TestLanguages::menuTexts(MainWindow &window, QStringList *checked)
{
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            texts << action->text();
            if (checked && action->isChecked())
                *checked << action->text();
        }
        menu->close();
    });
    child<QAbstractButton>(window, "menuButton")->click();
    return texts;
}

void TestLanguages::switchingTranslatesFormMenuAndAbout_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("form");
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QStringList>("about");

    QTest::newRow("english")
            << QStringLiteral("en_US")
            << QStringList{ "Reading Page", "Search content (Press Enter to search)",
                            "Quorvane - No file opened", "Page 0/0" }
            << QStringList{ "简体中文", "繁體中文", "English", "One-click Reset", "About Quorvane",
                            "Start each chapter on a new page", "Theme", "Book Layout",
                            "Two Pages on a Wide Window", "Preferences…",
                            "Chinese Script", "Chapter Rule…", "Clean-up Rules…", "Bookmark", "Bookmarks", "Encoding…" }
            << QStringList{ "About Quorvane", "Version: 1.0.0.03" };
    QTest::newRow("traditional chinese")
            << QStringLiteral("zh_TW")
            << QStringList{ "閱讀頁面", "搜尋內容 (按Enter搜尋)", "Quorvane - 未開啟檔案",
                            "第 0 頁/共 0 頁" }
            << QStringList{ "簡體中文", "繁體中文", "English", "一鍵重置", "關於Quorvane", "章節另起一頁",
                            "主題", "書籍排版", "寬視窗雙頁", "偏好設定…", "簡繁轉換", "章節規則…", "清理規則…", "書籤", "書籤列表", "編碼…" }
            << QStringList{ "關於Quorvane", "版本: 1.0.0.03" };
}

void TestLanguages::switchingTranslatesFormMenuAndAbout()
{
    QFETCH(QString, language);
    QFETCH(QStringList, form);
    QFETCH(QStringList, menu);
    QFETCH(QStringList, about);

    MainWindow window; // not shown, so no book is opened and the form texts stay
    menuTexts(window); // built in Chinese, so the switch must translate it again
    if (language == QLatin1String("en_US"))
        window.switchToEnglish();
    else
        window.switchToChineseTraditional();

    QCOMPARE(child<QWidget>(window, "readButton")->toolTip(), form[0]);
    QCOMPARE(child<QLineEdit>(window, "searchEdit")->placeholderText(), form[1]);
    QCOMPARE(bookName(window), form[2]);
    QCOMPARE(pageLabel(window), form[3]);
    QCOMPARE(menuTexts(window), menu);
    QCOMPARE(store().value("language").toString(), language);

    AboutDialog dialog(&window);
    QCOMPARE(dialog.windowTitle(), about[0]);
    QCOMPARE(dialog.findChild<QLabel *>("versionLabel")->text(), about[1]);
}

void TestLanguages::switchingKeepsNamingThePageOnShow()
{
    MainWindow window;
    QSignalSpy loaded(window.findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window.show();
    QVERIFY(loaded.wait(10000));
    window.onNextPage();
    window.onNextPage();
    const QString chinese = pageLabel(window);
    QVERIFY(chinese.startsWith(QStringLiteral("第 3 页/共 ")));

    window.switchToEnglish();
    QCOMPARE(pageLabel(window), QStringLiteral("Page 3/%1").arg(chinese.split(u' ').at(3)));
    // The header names the book and the chapter on show, whatever the language.
    QCOMPARE(bookName(window), QStringLiteral("星灯童话集 · 第一篇　灯塔上的猫"));
    window.switchToChineseSimplified();
    QCOMPARE(pageLabel(window), chinese);
}

void TestLanguages::switchingToTheCurrentLanguageWritesNothing()
{
    MainWindow window;
    window.switchToChineseSimplified();
    QVERIFY(!store().contains("language"));

    window.switchToEnglish();
    child<QLabel>(window, "bookName")->setText(QStringLiteral("marker"));
    window.switchToEnglish();
    QCOMPARE(bookName(window), QStringLiteral("marker"));
}

void TestLanguages::unknownSavedLanguageFallsBackToSimplifiedChinese()
{
    store().setValue("language", QStringLiteral("xx_XX"));
    QTest::ignoreMessage(QtWarningMsg, "Translation file not found: \":/translations/lang_xx_XX.qm\"");
    MainWindow window;
    QCOMPARE(store().value("language").toString(), QStringLiteral("zh_CN"));
    QCOMPARE(child<QWidget>(window, "readButton")->toolTip(), QStringLiteral("阅读页面"));
}

void TestLanguages::savedEnglishSpeaksEnglishFromTheStart()
{
    store().setValue("language", QStringLiteral("en_US"));
    MainWindow window;
    QCOMPARE(bookName(window), QStringLiteral("Quorvane - Total 2 Books"));
    window.switchToChineseSimplified();
}

void TestLanguages::menuChecksTheSavedLanguage()
{
    store().setValue("language", QStringLiteral("zh_TW"));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList checked;
    menuTexts(window, &checked);
    QCOMPARE(checked, QStringList({ "繁體中文" }));
    window.switchToChineseSimplified();
}

void TestLanguages::standardDialogsSpeakTheStartLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("cancel");

    QTest::newRow("default") << QString() << QStringLiteral("取消");
    QTest::newRow("saved Traditional Chinese") << QStringLiteral("zh_TW") << QStringLiteral("取消");
    QTest::newRow("saved English") << QStringLiteral("en_US") << QStringLiteral("Cancel");
}

// Qt's own catalogue is installed for the language the reader starts in, not only after a
// switch: the buttons of standard dialogs come from it.
void TestLanguages::standardDialogsSpeakTheStartLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, cancel);
    if (!language.isEmpty())
        store().setValue("language", language);
    {
        MainWindow window;
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
    }
    MainWindow window;
    window.switchToEnglish();
    window.switchToChineseSimplified();
}

void TestLanguages::datesFollowTheInterfaceLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("lastRead");

    QTest::newRow("Simplified Chinese") << QStringLiteral("zh_CN") << QStringLiteral("2026/12/10 19:45");
    QTest::newRow("Traditional Chinese") << QStringLiteral("zh_TW") << QStringLiteral("2026/12/10 下午7:45");
    QTest::newRow("English") << QStringLiteral("en_US") << QStringLiteral("12/10/26 7:45 PM");
}

// The shelf's dialogs write dates as the interface speaks, not as the system's locale does.
void TestLanguages::datesFollowTheInterfaceLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, lastRead);
    store().setValue("language", language);
    MainWindow window;
    BookRecord record;
    record.id = 1;
    record.lastReadAt = QDateTime(QDate(2026, 12, 10), QTime(19, 45, 44)).toUTC();
    const BookPropertiesDialog dialog(QStringLiteral("/nowhere/星灯.txt"), record);
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
    const bool shown = std::any_of(labels.begin(), labels.end(),
                                   [&](const QLabel *label) { return label->text() == lastRead; });
    QVERIFY2(shown, qPrintable(QLocale().toString(record.lastReadAt, QLocale::ShortFormat)));
    window.switchToChineseSimplified();
}

// Every item of the main menu is translated in the main window's context, as its other texts.
void TestLanguages::menuTextsAreTheMainWindows()
{
    MainWindow window;
    MarkingTranslator translator("MainWindow");
    QCoreApplication::installTranslator(&translator);
    const QStringList texts = menuTexts(window);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(texts.size(), 16);
    for (const QString &text : texts)
        QVERIFY2(text.startsWith(QStringLiteral("[en] ")), qPrintable(text));
}

LEXORIN_TEST_MAIN(TestLanguages)
#include "tst_languages.moc"
