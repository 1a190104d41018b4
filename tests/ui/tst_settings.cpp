#include "testmain.h"
#include "windowdriver.h"

#include <QFrame>

using namespace WindowDriver;

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstStartWritesTheBookListAndTheLook();
    void zoomSurvivesARestartApartFromTheFont();
    void windowStateIsRecordedButNotRestored();
    void colourNamesTypedIntoTheStoreAreAccepted();
    void confirmedResetEmptiesTheStoreAndSpeaksChinese();
    void declinedResetChangesNothing();
};

void TestSettings::init()
{
    store().clear();
}

void TestSettings::firstStartWritesTheBookListAndTheLook()
{
    MainWindow window;
    QSettings settings = store();
    QStringList keys = settings.allKeys();
    keys.sort();
    QCOMPARE(keys, QStringList({ "bgColor", "fontSize", "recentFiles", "textColor",
                                 "textFontFamily", "textFontSize" }));
    QCOMPARE(settings.value("recentFiles").toStringList(),
             QStringList({ ":/book/星灯童话集.txt", ":/book/A Pocketful of Weather.txt" }));
    QCOMPARE(settings.value("fontSize").toInt(), 14);
    QCOMPARE(settings.value("bgColor").value<QColor>(), QColor(250, 245, 235));
    QCOMPARE(settings.value("textColor").value<QColor>(), QColor(Qt::black));
    QCOMPARE(settings.value("textFontFamily").toString(), QStringLiteral("Microsoft YaHei"));
    QCOMPARE(settings.value("textFontSize").toInt(), 14);
}

void TestSettings::zoomSurvivesARestartApartFromTheFont()
{
    {
        MainWindow window;
        for (int step = 0; step < 3; ++step)
            window.onZoomIn();
        QCOMPARE(pageWidget(window)->textFont().pointSize(), 20);
        window.close();
    }
    QCOMPARE(store().value("fontSize").toInt(), 20);
    QCOMPARE(store().value("textFontSize").toInt(), 14);

    MainWindow window;
    QCOMPARE(pageWidget(window)->textFont().pointSize(), 14);
    window.onZoomIn();
    QCOMPARE(pageWidget(window)->textFont().pointSize(), 22);
}

void TestSettings::windowStateIsRecordedButNotRestored()
{
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.onToggleFullscreen();
        window.onToggleSearchBar();
        window.onCloseWindow();
    }
    QSettings settings = store();
    QCOMPARE(settings.value("isFullscreen").toBool(), true);
    QCOMPARE(settings.value("isSearchBarVisible").toBool(), true);
    QVERIFY(!settings.value("geometry").toByteArray().isEmpty());
    QVERIFY(settings.contains("windowState"));

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!window.isFullScreen());
    QCOMPARE(window.size(), QSize(640, 800));
    QVERIFY(!child<QFrame>(window, "frame_2")->isVisible());
}

void TestSettings::colourNamesTypedIntoTheStoreAreAccepted()
{
    store().setValue("bgColor", QStringLiteral("#336699"));
    store().setValue("textColor", QStringLiteral("white"));
    {
        MainWindow window;
    }
    QCOMPARE(store().value("bgColor").value<QColor>(), QColor(0x33, 0x66, 0x99));
    QCOMPARE(store().value("textColor").value<QColor>(), QColor(Qt::white));
}

void TestSettings::confirmedResetEmptiesTheStoreAndSpeaksChinese()
{
    MainWindow window;
    window.switchToEnglish();
    answerNextMessageBox(QMessageBox::Yes);
    QString title;
    QString text;
    QTimer::singleShot(0, [&] { answerNextMessageBox(QMessageBox::Ok, &title, &text); });
    window.resetApplication();

    QCOMPARE(title, QStringLiteral("重置完成"));
    QCOMPARE(text, QStringLiteral("应用程序已重置为初始状态。"));
    QCOMPARE(store().allKeys(), QStringList({ "language" }));
    QCOMPARE(store().value("language").toString(), QStringLiteral("zh_CN"));
    QCOMPARE(pageLabel(window), QStringLiteral("第 0 页/共 0 页"));
    // The English form text was translated back, over the empty-shelf title.
    QCOMPARE(bookName(window), QStringLiteral("Quorvane - 未打开文件"));

    window.close();
    QCOMPARE(store().value("recentFiles").toStringList(), QStringList());
}

void TestSettings::declinedResetChangesNothing()
{
    MainWindow window;
    const QString title = bookName(window);
    answerNextMessageBox(QMessageBox::No);
    window.resetApplication();

    QCOMPARE(bookName(window), title);
    QCOMPARE(store().value("recentFiles").toStringList().size(), 2);
    QVERIFY(!store().contains("language"));
}

LEXORIN_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
