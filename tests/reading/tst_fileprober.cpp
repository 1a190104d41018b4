#include "fileprober.h"
#include "testmain.h"

#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>

#include <atomic>
#include <memory>

// Looking at files on workers: answers come back on the asking thread and are kept, a file
// asked about twice while its check hangs is checked once, and a prober may go while a check
// still hangs.
class TestFileProber : public QObject
{
    Q_OBJECT

private slots:
    void answersWhatTheFileIs_data();
    void answersWhatTheFileIs();
    void aHungFileIsCheckedOnce();
    void aProberMayGoWhileACheckHangs();
};

void TestFileProber::answersWhatTheFileIs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("isFile");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("folderExists");

    QTest::newRow("book") << "书.txt" << true << true << qint64(7) << true;
    QTest::newRow("folder") << "folder" << true << false << qint64(-2) << true;
    QTest::newRow("gone") << "gone.txt" << false << false << qint64(-1) << true;
    QTest::newRow("gone with its folder") << "lost/gone.txt" << false << false << qint64(-1) << false;
}

void TestFileProber::answersWhatTheFileIs()
{
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QFETCH(bool, isFile);
    QFETCH(qint64, size);
    QFETCH(bool, folderExists);

    QTemporaryDir dir;
    QFile book(dir.filePath(QStringLiteral("书.txt")));
    QVERIFY(book.open(QIODevice::WriteOnly));
    book.write("abcdefg");
    book.close();
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString path = dir.filePath(name);

    FileProber prober;
    QVERIFY(!prober.known(path));
    Qt::HANDLE answeredOn = nullptr;
    FileProber::Facts answer;
    connect(&prober, &FileProber::probed, this, [&](const QString &probed, const FileProber::Facts &facts) {
        QCOMPARE(probed, path);
        answeredOn = QThread::currentThreadId();
        answer = facts;
    });
    prober.probe(path);
    QTRY_VERIFY(answeredOn);
    QCOMPARE(answeredOn, QThread::currentThreadId());
    QCOMPARE(answer.exists, exists);
    QCOMPARE(answer.isFile, isFile);
    if (size != -2)
        QCOMPARE(answer.size, size);
    QCOMPARE(answer.folderExists, folderExists);
    QCOMPARE(answer.canonicalPath.isEmpty(), !exists);
    QVERIFY(prober.known(path));
    QCOMPARE(prober.known(path)->exists, exists);
}

void TestFileProber::aHungFileIsCheckedOnce()
{
    FileProber prober;
    const auto checks = std::make_shared<std::atomic<int>>(0);
    const auto answer = std::make_shared<QSemaphore>();
    const auto releaseChecks = qScopeGuard([answer] { answer->release(10); });
    prober.setCheck([checks, answer](const QString &) {
        ++*checks;
        answer->acquire();
        FileProber::Facts facts;
        facts.exists = true;
        return facts;
    });
    QSignalSpy probed(&prober, &FileProber::probed);
    const QString path = QStringLiteral("/mnt/hung/book.txt");
    for (int ask = 0; ask < 5; ++ask)
        prober.probe(path);
    QTRY_COMPARE(checks->load(), 1);
    QVERIFY(!prober.known(path));

    answer->release();
    QVERIFY(probed.wait());
    QCOMPARE(probed.size(), 1);
    QVERIFY(prober.known(path)->exists);
    // Answered, the file is looked at anew when asked again.
    prober.probe(path);
    QTRY_COMPARE(checks->load(), 2);
}

void TestFileProber::aProberMayGoWhileACheckHangs()
{
    const auto started = std::make_shared<QSemaphore>();
    const auto answer = std::make_shared<QSemaphore>();
    const auto finished = std::make_shared<QSemaphore>();
    {
        FileProber prober;
        // Released when the worker lets go of its check, after it has dealt with the answer.
        const std::shared_ptr<void> done(nullptr, [finished](void *) { finished->release(); });
        prober.setCheck([started, answer, done](const QString &) {
            started->release();
            answer->acquire();
            return FileProber::Facts();
        });
        prober.probe(QStringLiteral("/mnt/hung/book.txt"));
        QVERIFY(started->tryAcquire(1, 5000));
    }
    answer->release();
    QVERIFY(finished->tryAcquire(1, 5000));
    // The answer has nowhere to go; delivering it would touch the prober that is gone.
    QCoreApplication::processEvents();
}

LEXORIN_TEST_MAIN(TestFileProber)
#include "tst_fileprober.moc"
