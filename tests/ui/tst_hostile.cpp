#include "fileloader.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStringEncoder>

using namespace WindowDriver;

// Files and stores no reader should have, and the reader still behaves: it opens them,
// refuses them with the failure box, or starts, and never crashes, freezes or loses books.
class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fileJustOverTheSizeLimitIsRefused();
    void hugeFilesOpenWhileTheWindowKeepsResponding_data();
    void hugeFilesOpenWhileTheWindowKeepsResponding();
    void fileNameWithQuotesSpacesAndChineseOpens();
    void tenThousandMostlyMissingBooksSurviveARun();
    void storeWithEveryKeyOfTheWrongTypeStarts();

private:
    std::unique_ptr<MainWindow> openWindow();
    QString writeFile(const QString &name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

// The longest time the event loop went without handling a 20 ms timer while the window
// waited for something: a frozen window would show the whole wait here.
qint64 longestStallWhile(const std::function<bool()> &busy, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = qMax(longest, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    ticker.start(20);
    while (busy() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return qMax(longest, clock.elapsed() - lastTick);
}

}

void TestHostile::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
}

std::unique_ptr<MainWindow> TestHostile::openWindow()
{
    auto window = std::make_unique<MainWindow>();
    QSignalSpy loaded(window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window->show();
    loaded.wait(10000);
    return window;
}

QString TestHostile::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void TestHostile::fileJustOverTheSizeLimitIsRefused()
{
    auto window = openWindow();
    QFile file(m_dir->filePath(QStringLiteral("huge.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(FileLoader::MaxFileSize + 1));
    file.close();

    QString text;
    answerNextMessageBox(QMessageBox::Ok, nullptr, &text);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^File too large:")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to read file:")));
    window->onBookSelectedByPath(file.fileName());
    QTRY_VERIFY(!text.isEmpty());
    QVERIFY(text.contains(QStringLiteral("1024 MB")));
    QCOMPARE(bookName(*window), QStringLiteral("星灯童话集"));
    window->close();
    QCOMPARE(store().value("recentFiles").toStringList().size(), 2);
}

void TestHostile::hugeFilesOpenWhileTheWindowKeepsResponding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("waitForIt");

    QByteArray random(200 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
    QTest::newRow("200 MB of random bytes") << random << false;
    QTest::newRow("NUL bytes") << QByteArray(4 << 20, '\0') << true;
    QStringEncoder gbk("GBK");
    QTest::newRow("one 20 MB line") << QByteArray(gbk.encode(QStringLiteral("没有换行的一行字，").repeated(1200000)))
                                    << true;
}

// Large books load on worker threads: the window goes on handling events meanwhile, and a
// newer book supersedes a load still running.
void TestHostile::hugeFilesOpenWhileTheWindowKeepsResponding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, waitForIt);
    const QString path = writeFile(QStringLiteral("hostile.txt"), bytes);
    bytes.clear();
    QVERIFY(!path.isEmpty());

    auto window = openWindow();
    QSignalSpy loaded(window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window->onBookSelectedByPath(path);
    const qint64 stall = longestStallWhile([&loaded] { return loaded.isEmpty(); },
                                           waitForIt ? 120000 : 1500);
    QVERIFY2(stall < 1000, qPrintable(QStringLiteral("the window stalled for %1 ms").arg(stall)));

    if (waitForIt) {
        QCOMPARE(loaded.count(), 1);
        QVERIFY(pageLabel(*window).startsWith(QStringLiteral("第 1 页/共 ")));
        waitForTurns(*window);
        QTest::keyClick(window.get(), Qt::Key_End);
        waitForTurns(*window);
    } else {
        window->onBookSelectedByPath(QStringLiteral(":/book/A Pocketful of Weather.txt"));
        QTRY_COMPARE_WITH_TIMEOUT(bookOnShow(*window), QStringLiteral("A Pocketful of Weather"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 60000);
        QCOMPARE(loaded.last().at(1).toString(), QStringLiteral(":/book/A Pocketful of Weather.txt"));
    }
}

void TestHostile::fileNameWithQuotesSpacesAndChineseOpens()
{
    const QString path = writeFile(QStringLiteral("a \"quoted\" 'name' 书 名.txt"), "Hello.\n");
    auto window = openWindow();
    QSignalSpy loaded(window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window->onBookSelectedByPath(path);
    QVERIFY(loaded.wait());
    QCOMPARE(bookName(*window), QStringLiteral("a \"quoted\" 'name' 书 名"));
    QCOMPARE(pageLabel(*window), QStringLiteral("第 1 页/共 1 页"));
}

void TestHostile::tenThousandMostlyMissingBooksSurviveARun()
{
    QStringList books;
    for (int i = 0; i < 10000; ++i)
        books << QStringLiteral("/nowhere/书架/第%1本.txt").arg(i);
    books[5000] = writeFile(QStringLiteral("real.txt"), "A real book.\n");
    store().setValue("recentFiles", books);

    auto window = openWindow();
    QTest::keyClick(window.get(), Qt::Key_B);
    QCOMPARE(child<QStackedWidget>(*window, "stackedWidget")->currentIndex(), 1);
    QCOMPARE(bookName(*window), QStringLiteral("Quorvane - 共有 10002 本书"));
    window->onBookSelectedByIndex(5002);
    QTRY_COMPARE(pageLabel(*window), QStringLiteral("第 1 页/共 1 页"));
    window->close();
    window.reset();

    const QStringList saved = store().value("recentFiles").toStringList();
    QCOMPARE(saved.size(), 10002);
    QCOMPARE(saved.mid(2), books);
}

void TestHostile::storeWithEveryKeyOfTheWrongTypeStarts()
{
    QSettings settings = store();
    settings.setValue("recentFiles", 42);
    settings.setValue("fontSize", QStringLiteral("huge"));
    settings.setValue("bgColor", QStringList{ "not", "a", "colour" });
    settings.setValue("textColor", 3.5);
    settings.setValue("textFontFamily", QStringList{ "A", "B" });
    settings.setValue("textFontSize", QByteArray("\x01\x02"));
    settings.setValue("geometry", QStringLiteral("geometry"));
    settings.setValue("windowState", 7);
    settings.setValue("isFullscreen", QStringLiteral("maybe"));
    settings.setValue("isSearchBarVisible", QColor(Qt::red));
    settings.setValue("language", 42);
    settings.sync();

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Translation file not found:")));
    auto window = openWindow();
    QVERIFY2(pageLabel(*window).startsWith(QStringLiteral("第 1 页/共 ")), qPrintable(pageLabel(*window)));
    window->onZoomIn();
    window->close();
    window.reset();

    QCOMPARE(store().value("bgColor").value<QColor>(), QColor(250, 245, 235));
    QCOMPARE(store().value("textColor").value<QColor>(), QColor(Qt::black));
    QCOMPARE(store().value("recentFiles").toStringList().size(), 2);
    QCOMPARE(store().value("language").toString(), QStringLiteral("zh_CN"));
}

LEXORIN_TEST_MAIN(TestHostile)
#include "tst_hostile.moc"
