#include "fileloader.h"
#include "readingsession.h"
#include "shelfcontroller.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStringEncoder>

using namespace WindowDriver;

// A seeded storm of keys, wheel steps and clicks while books load, fail and pages turn:
// nothing may crash, and when it settles the page on show is the page the label names.
class TestStorm : public QObject
{
    Q_OBJECT

private slots:
    void randomInputWhileBooksLoadAndPagesTurn();

private:
    void writeBooks();
    void sendWheel(MainWindow &window, int deltaY);

    QTemporaryDir m_dir;
    QStringList m_books;
};

namespace {

constexpr quint32 Seed = 20261210;
constexpr int TimeBudgetMs = 20000;
constexpr int MaximumEvents = 5000;

const Qt::Key PageKeys[] = { Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Right, Qt::Key_Left,
                             Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End };

}

void TestStorm::writeBooks()
{
    QStringEncoder gbk("GBK");
    const QString chapter = QStringLiteral("　　风吹过海面，灯塔的光一圈一圈地扫过去。\r\n").repeated(20);
    QFile big(m_dir.filePath(QStringLiteral("big.txt")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write(gbk.encode(chapter.repeated(3000)));
    big.close();
    QFile empty(m_dir.filePath(QStringLiteral("empty.txt")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();

    m_books = { QStringLiteral(":/book/星灯童话集.txt"), QStringLiteral(":/book/A Pocketful of Weather.txt"),
                big.fileName(), empty.fileName() };

    // A tree to scan, with links across it, so that scans take a moment.
    for (int folder = 0; folder < 40; ++folder) {
        const QString path = m_dir.filePath(QStringLiteral("tree/%1/inner").arg(folder));
        QVERIFY(QDir().mkpath(path));
        for (int book = 0; book < 5; ++book) {
            QFile file(QStringLiteral("%1/%2.txt").arg(path).arg(book));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("text\n");
        }
        QFile::link(m_dir.filePath(QStringLiteral("tree")), path + QStringLiteral("/up"));
    }
}

void TestStorm::sendWheel(MainWindow &window, int deltaY)
{
    const QPointF position(320, 400);
    QWheelEvent wheel(position, window.mapToGlobal(position), QPoint(), QPoint(0, deltaY),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &wheel);
}

void TestStorm::randomInputWhileBooksLoadAndPagesTurn()
{
    writeBooks();
    startAfresh();
    MainWindow window;
    QSignalSpy loaded(window.findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window.show();
    QVERIFY(loaded.wait(10000));

    // Failure boxes for the empty book are answered as they come.
    QTimer boxCloser;
    connect(&boxCloser, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    boxCloser.start(10);

    QRandomGenerator random(Seed);
    int events = 0;
    int loads = 0;
    int turns = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < TimeBudgetMs && events < MaximumEvents) {
        ++events;
        const int choice = int(random.bounded(100));
        if (choice < 45) {
            QTest::keyClick(&window, PageKeys[random.bounded(int(std::size(PageKeys)))]);
            ++turns;
        } else if (choice < 60) {
            sendWheel(window, random.bounded(2) ? 120 : -120);
            ++turns;
        } else if (choice < 72) {
            child<QAbstractButton>(window, random.bounded(2) ? "nextButton" : "prevButton")->click();
            ++turns;
        } else if (choice < 78) {
            window.onBookSelectedByPath(m_books.at(random.bounded(int(m_books.size()))));
            ++loads;
        } else if (choice < 83) {
            QTest::keyClick(&window, Qt::Key_B);
            child<QAbstractButton>(window, "readButton")->click();
        } else if (choice < 88) {
            child<QAbstractButton>(window, random.bounded(2) ? "zoomInButton" : "zoomOutButton")->click();
        } else if (choice < 90) {
            child<QAbstractButton>(window, "toggleSearchButton")->click();
        } else if (choice < 92) {
            // A book opened while the one on show is cut anew.
            child<QAbstractButton>(window, random.bounded(2) ? "zoomInButton" : "zoomOutButton")->click();
            window.onBookSelectedByPath(m_books.at(random.bounded(int(m_books.size()))));
            ++loads;
        } else if (choice < 93) {
            // A book opened, and pages turned, while a folder is scanned.
            const QString book = m_books.at(random.bounded(int(m_books.size())));
            QTimer::singleShot(0, &window, [&window, book] {
                window.onBookSelectedByPath(book);
                QTest::keyClick(&window, Qt::Key_PageDown);
            });
            auto *shelf = window.findChild<ShelfController *>();
            QSignalSpy scanned(shelf, &ShelfController::folderScanned);
            shelf->scanFolder(m_dir.filePath(QStringLiteral("tree")));
            QVERIFY(scanned.wait());
            QCOMPARE(scanned.first().first().toStringList().size(), 200);
            ++loads;
        } else {
            QTest::qWait(int(random.bounded(1, 40)));
        }
        if (random.bounded(8) == 0)
            QCoreApplication::processEvents();
    }
    qInfo("storm: %d events, %d loads, %d turn requests in %lld ms", events, loads, turns,
          clock.elapsed());

    // Let the last load and re-cut land and the last turns run.
    QTest::qWait(1500);
    waitForTurns(window);
    boxCloser.stop();
    const QRegularExpressionMatch label =
            QRegularExpression(QStringLiteral("^第 (\\d+) 页/共 (\\d+) 页$")).match(pageLabel(window));
    QVERIFY2(label.hasMatch(), qPrintable(pageLabel(window)));
    QCOMPARE(label.captured(1).toInt(), pageWidget(window)->restingPage() + 1);
    // The pages on show were cut for the font they are drawn in.
    QCOMPARE(window.findChild<ReadingSession *>()->pagesFormat().font, pageWidget(window)->textFont());
}

LEXORIN_TEST_MAIN(TestStorm)
#include "tst_storm.moc"
