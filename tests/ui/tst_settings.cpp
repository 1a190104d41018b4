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
    void zoomSurvivesARestart();
    void windowStateIsRecordedButNotRestored();
    void colourNamesTypedIntoTheStoreAreAccepted();
    void confirmedResetEmptiesTheStoreAndSpeaksChinese();
    void declinedResetChangesNothing();
    void resetShowsTheEmptyPageAndForgetsTheLook();
    void twoWindowsKeepEachOthersBooks();
    void aMissingBookFromTheCommandLineIsReportedNotAdded();
};

namespace {

QString writeBook(const QTemporaryDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(QStringLiteral("　　海上起了风。\n").repeated(200).toUtf8());
    return file.fileName();
}

}

void TestSettings::init()
{
    startAfresh();
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

// One reading size: the zoom counter and the font's size are written together, as each step
// is taken, and the next start draws the text at that size and zooms on from it.
void TestSettings::zoomSurvivesARestart()
{
    {
        MainWindow window;
        for (int step = 0; step < 3; ++step)
            window.onZoomIn();
        QCOMPARE(pageWidget(window)->textFont().pointSize(), 20);
        QCOMPARE(store().value("fontSize").toInt(), 20);
        QCOMPARE(store().value("textFontSize").toInt(), 20);
    }

    MainWindow window;
    QCOMPARE(pageWidget(window)->textFont().pointSize(), 20);
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

// A reset leaves nothing of the reading before it: no page on show, the default look in the
// window, and nothing of the old look written back when the window closes.
void TestSettings::resetShowsTheEmptyPageAndForgetsTheLook()
{
    MainWindow window;
    window.show();
    QTRY_COMPARE(pageWidget(window)->restingPage(), 0);
    window.onZoomIn();
    store().setValue("bgColor", QColor(Qt::darkGreen));
    answerNextMessageBox(QMessageBox::Yes);
    QTimer::singleShot(0, [] { answerNextMessageBox(QMessageBox::Ok); });
    window.resetApplication();

    QCOMPARE(pageWidget(window)->restingPage(), -1);
    QCOMPARE(pageWidget(window)->textFont().pointSize(), 14);
    QCOMPARE(pageLabel(window), QStringLiteral("第 0 页/共 0 页"));
    QTest::qWait(300);
    QCOMPARE(pageWidget(window)->restingPage(), -1);
    window.close();
    for (const char *key : { "fontSize", "textFontSize", "bgColor", "textColor", "textFontFamily", "recentFiles" })
        QVERIFY2(!store().contains(key), key);
}

// Each window writes its additions to the list as it makes them, merged with the list the
// store holds then.
void TestSettings::twoWindowsKeepEachOthersBooks()
{
    QTemporaryDir dir;
    const QString first = writeBook(dir, QStringLiteral("first.txt"));
    const QString second = writeBook(dir, QStringLiteral("second.txt"));
    {
        MainWindow one;
        MainWindow two;
        one.openFromOutside(first);
        two.openFromOutside(second);
        one.close();
        two.close();
    }
    const QStringList books = store().value("recentFiles").toStringList();
    QVERIFY(books.contains(first));
    QVERIFY(books.contains(second));
}

void TestSettings::aMissingBookFromTheCommandLineIsReportedNotAdded()
{
    const QString missing = QDir::temp().filePath(QStringLiteral("no-such-book-here.txt"));
    MainWindow window;
    window.openAtStart(missing);
    QString text;
    answerNextMessageBox(QMessageBox::Ok, nullptr, &text);
    window.show();
    QTRY_VERIFY(text.contains(QDir::toNativeSeparators(missing)));
    QVERIFY(!store().value("recentFiles").toStringList().contains(missing));
    QCOMPARE(store().value("recentFiles").toStringList().size(), 2);
}

LEXORIN_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
