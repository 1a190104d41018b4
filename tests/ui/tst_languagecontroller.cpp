#include "languagecontroller.h"
#include "mainmenu.h"
#include "settings.h"
#include "testmain.h"

#include <QAction>
#include <QSettings>
#include <QSignalSpy>

// The interface's language on its own: what a switch installs, what it writes to the store,
// which menu item it marks, and how often it asks for the texts to be put anew.
class TestLanguageController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void switchesInstallMarkAndRemember_data();
    void switchesInstallMarkAndRemember();
    void textsAreTranslatedAnewOncePerLanguage();
    void theRememberedLanguageSpeaksFromTheNextStart();

private:
    static QSettings store() { return QSettings(QStringLiteral("Bookshelf"), QStringLiteral("Lexorin")); }
    static QString checkedLanguage(const MainMenu &menu);
    static QString openInCurrentLanguage();
};

void TestLanguageController::init()
{
    store().clear();
}

QString TestLanguageController::checkedLanguage(const MainMenu &menu)
{
    QStringList checked;
    for (const QAction *action : menu.actions()) {
        if (action->isChecked() && !action->data().toString().isEmpty())
            checked.append(action->data().toString());
    }
    return checked.join(u',');
}

QString TestLanguageController::openInCurrentLanguage()
{
    return QCoreApplication::translate("ShelfContextMenu", "打开");
}

void TestLanguageController::switchesInstallMarkAndRemember_data()
{
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("open");

    QTest::newRow("the start language is not written") << QStringList{ "zh_CN" } << "zh_CN" << "" << "打开";
    QTest::newRow("English at start is not written") << QStringList{ "en_US" } << "en_US" << "" << "Open";
    QTest::newRow("a later switch is written") << QStringList{ "zh_CN", "en_US" } << "en_US" << "en_US" << "Open";
    QTest::newRow("traditional, then back") << QStringList{ "en_US", "zh_TW", "zh_CN" } << "zh_CN" << "zh_CN" << "打开";
    QTest::newRow("traditional stays") << QStringList{ "zh_CN", "zh_TW" } << "zh_TW" << "zh_TW" << "開啟";
    QTest::newRow("an unknown language falls back and is written")
            << QStringList{ "xx_XX" } << "zh_CN" << "zh_CN" << "打开";
    QTest::newRow("the default after English") << QStringList{ "en_US", "default" } << "zh_CN" << "zh_CN" << "打开";
}

void TestLanguageController::switchesInstallMarkAndRemember()
{
    QFETCH(QStringList, switches);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    QFETCH(QString, open);

    Settings settings;
    MainMenu menu;
    LanguageController languages(settings, &menu);
    for (const QString &language : switches) {
        if (language == QStringLiteral("default"))
            languages.switchToDefault();
        else
            languages.switchTo(language);
    }
    QCOMPARE(checkedLanguage(menu), shown);
    QCOMPARE(store().value(QStringLiteral("language")).toString(), stored);
    QCOMPARE(openInCurrentLanguage(), open);
}

// The window hears of a new language twice (from the switch and again from Qt); the texts
// are put anew once, which would otherwise reset the header a second time.
void TestLanguageController::textsAreTranslatedAnewOncePerLanguage()
{
    Settings settings;
    MainMenu menu;
    LanguageController languages(settings, &menu);
    QSignalSpy retranslations(&languages, &LanguageController::retranslationNeeded);
    languages.switchTo(QStringLiteral("zh_CN"));
    languages.noteLanguageChange();
    QCOMPARE(retranslations.size(), 1);

    languages.switchTo(QStringLiteral("en_US"));
    languages.noteLanguageChange();
    languages.noteLanguageChange();
    QCOMPARE(retranslations.size(), 2);
    languages.switchTo(QStringLiteral("en_US"));
    languages.noteLanguageChange();
    QCOMPARE(retranslations.size(), 2);

    emit menu.languageChosen(QStringLiteral("zh_TW"));
    languages.noteLanguageChange();
    QCOMPARE(retranslations.size(), 3);
    QCOMPARE(checkedLanguage(menu), QStringLiteral("zh_TW"));
}

void TestLanguageController::theRememberedLanguageSpeaksFromTheNextStart()
{
    {
        Settings settings;
        MainMenu menu;
        LanguageController languages(settings, &menu);
        languages.switchTo(settings.language());
        emit menu.languageChosen(QStringLiteral("en_US"));
    }
    Settings settings;
    QCOMPARE(settings.language(), QStringLiteral("en_US"));
    MainMenu menu;
    LanguageController languages(settings, &menu);
    languages.switchTo(settings.language());
    QCOMPARE(openInCurrentLanguage(), QStringLiteral("Open"));
    QCOMPARE(checkedLanguage(menu), QStringLiteral("en_US"));
}

LEXORIN_TEST_MAIN(TestLanguageController)
#include "tst_languagecontroller.moc"
