#include "shelfcontroller.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QAbstractEventDispatcher>
#include <QProgressDialog>
#include <QSignalSpy>

using namespace WindowDriver;

// Folders are scanned while the window goes on working: the call that starts a scan returns
// at once, and the scan ends through the scanner's signals, not inside a loop of its own.
class TestShelfController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void scanReturnsAtOnceAndTheWindowStaysLive();
    void cancellingAScanAddsNothing();
    void foldersAskedForDuringAScanAreScannedInTurn();

private:
    void makeTree(const QString &folder, int folders, int booksPerFolder);
    ShelfController *shelf() const { return m_window->findChild<ShelfController *>(); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestShelfController::init()
{
    startAfresh();
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestShelfController::cleanup()
{
    m_window.reset();
}

void TestShelfController::makeTree(const QString &folder, int folders, int booksPerFolder)
{
    for (int f = 0; f < folders; ++f) {
        const QString sub = m_dir.filePath(QStringLiteral("%1/%2").arg(folder).arg(f));
        QVERIFY(QDir().mkpath(sub));
        for (int b = 0; b < booksPerFolder; ++b) {
            QFile file(QStringLiteral("%1/%2.txt").arg(sub).arg(b));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("一行字\n");
        }
    }
}

// A nested loop would have run the whole scan, and its report, before scanFolder() returned.
void TestShelfController::scanReturnsAtOnceAndTheWindowStaysLive()
{
    makeTree(QStringLiteral("tree"), 40, 10);
    QSignalSpy scanned(shelf(), &ShelfController::folderScanned);
    int loopsBefore = 0;
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    const auto counting = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                                  [&loopsBefore] { ++loopsBefore; });

    shelf()->scanFolder(m_dir.filePath(QStringLiteral("tree")));
    const int loopsDuringCall = loopsBefore;

    QCOMPARE(loopsDuringCall, 0);
    QVERIFY(shelf()->isScanning());
    QCOMPARE(scanned.count(), 0);
    bool timerFired = false;
    QTimer::singleShot(0, this, [&timerFired] { timerFired = true; });
    QVERIFY(scanned.wait(10000));
    disconnect(counting);
    QVERIFY(timerFired);
    QVERIFY(!shelf()->isScanning());
    QCOMPARE(scanned.first().first().toStringList().size(), 400);
    QCOMPARE(m_window->findChild<QProgressDialog *>(), nullptr);
}

void TestShelfController::cancellingAScanAddsNothing()
{
    makeTree(QStringLiteral("big"), 100, 20);
    const QStringList before = store().value(QStringLiteral("recentFiles")).toStringList();
    QSignalSpy cancelled(shelf(), &ShelfController::scanCancelled);
    QSignalSpy scanned(shelf(), &ShelfController::folderScanned);
    QString title;
    answerNextMessageBox(QMessageBox::Ok, &title);

    shelf()->addFolder(m_dir.filePath(QStringLiteral("big")));
    auto *progress = m_window->findChild<QProgressDialog *>();
    QVERIFY(progress);
    emit progress->canceled();

    QTRY_COMPARE(title, QStringLiteral("扫描已取消"));
    QCOMPARE(cancelled.count(), 1);
    QCOMPARE(scanned.count(), 0);
    QVERIFY(!shelf()->isScanning());
    QCOMPARE(store().value(QStringLiteral("recentFiles")).toStringList(), before);
}

void TestShelfController::foldersAskedForDuringAScanAreScannedInTurn()
{
    makeTree(QStringLiteral("first"), 5, 3);
    makeTree(QStringLiteral("second"), 2, 2);
    QSignalSpy scanned(shelf(), &ShelfController::folderScanned);

    shelf()->scanFolder(m_dir.filePath(QStringLiteral("first")));
    shelf()->scanFolder(m_dir.filePath(QStringLiteral("second")));

    QTRY_COMPARE_WITH_TIMEOUT(scanned.count(), 2, 10000);
    QCOMPARE(scanned.at(0).first().toStringList().size(), 15);
    QCOMPARE(scanned.at(1).first().toStringList().size(), 4);
}

LEXORIN_TEST_MAIN(TestShelfController)
#include "tst_shelfcontroller.moc"
