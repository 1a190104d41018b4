#include "folderscanner.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QSignalSpy>

class TestFolderScanner : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void findsTextFilesDepthFirstOnceEach();
    void linksToTheSameFoldersOnEveryLevelAreWalkedOnce();
    void folderThatIsNoFolderHoldsNoBooks_data();
    void folderThatIsNoFolderHoldsNoBooks();
    void cancelEndsTheScanAtOnce();
    void newScanCancelsTheRunningOne();
    void destroyingTheScannerDuringAScanIsSafe();

private:
    void makeFile(const QString &relativePath);
    QString makeLinkedLevels(int levels);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFolderScanner::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestFolderScanner::makeFile(const QString &relativePath)
{
    const QString path = m_dir->filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("text\n");
}

// Folders level0 ... levelN side by side, each with one book and two links, "a" and "b",
// to the next level: a walk that does not remember where it has been finds the last
// level's book 2^N times.
QString TestFolderScanner::makeLinkedLevels(int levels)
{
    for (int level = 0; level <= levels; ++level) {
        makeFile(QStringLiteral("level%1/book%1.txt").arg(level));
        if (level == levels)
            break;
        const QString next = m_dir->filePath(QStringLiteral("level%1").arg(level + 1));
        for (const char *link : { "a", "b" })
            QFile::link(next, m_dir->filePath(QStringLiteral("level%1/%2").arg(level).arg(QLatin1String(link))));
    }
    return m_dir->filePath(QStringLiteral("level0"));
}

void TestFolderScanner::findsTextFilesDepthFirstOnceEach()
{
    for (const char *name : { "a.txt", "B.TXT", "sub/c.txt", "sub/deeper/d.txt", "x.txt.bak",
                              "x.Txt", "archive.tar.txt", "txt", ".hidden.txt", ".hidden/e.txt" })
        makeFile(QString::fromLatin1(name));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.txt")));
    QVERIFY(QFile::link(m_dir->path(), m_dir->filePath(QStringLiteral("sub/back-to-top"))));
    QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("sub")), m_dir->filePath(QStringLiteral("across"))));
    QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("a.txt")), m_dir->filePath(QStringLiteral("alias.txt"))));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), m_dir->filePath(QStringLiteral("device.txt"))));

    FolderScanner scanner;
    QSignalSpy finished(&scanner, &FolderScanner::finished);
    scanner.scan(m_dir->path());
    QVERIFY(scanner.isScanning());
    QVERIFY(finished.wait());
    QVERIFY(!scanner.isScanning());

    const QStringList found = finished.first().first().toStringList();
    const QString root = QDir(m_dir->path()).absolutePath() + u'/';
    // The book and its link are one book, found under whichever name the listing gives first.
    QStringList expected{ "B.TXT", "c.txt", "d.txt", "x.Txt", "archive.tar.txt", "a.txt" };
    QStringList names;
    for (const QString &path : found)
        names << QFileInfo(path).fileName().replace(QStringLiteral("alias.txt"), QStringLiteral("a.txt"));
    QCOMPARE(QSet<QString>(names.begin(), names.end()), QSet<QString>(expected.begin(), expected.end()));
    QCOMPARE(found.size(), expected.size());
    QVERIFY(found.contains(root + "sub/c.txt") || found.contains(root + "across/c.txt"));
    // Depth first: a folder's books stand together, where the folder was met.
    const qsizetype c = names.indexOf(QStringLiteral("c.txt"));
    const qsizetype d = names.indexOf(QStringLiteral("d.txt"));
    QCOMPARE(qAbs(c - d), 1);
}

void TestFolderScanner::linksToTheSameFoldersOnEveryLevelAreWalkedOnce()
{
    const QString top = makeLinkedLevels(16);

    FolderScanner scanner;
    QSignalSpy finished(&scanner, &FolderScanner::finished);
    QElapsedTimer clock;
    clock.start();
    scanner.scan(top);
    QVERIFY(finished.wait(20000));
    // A hang check: the walk that multiplies the folders takes many seconds.
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));

    QStringList names;
    for (const QString &path : finished.first().first().toStringList())
        names << QFileInfo(path).fileName();
    QCOMPARE(names.size(), 17);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 17);
}

void TestFolderScanner::folderThatIsNoFolderHoldsNoBooks_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("a file") << QStringLiteral("book.txt");
}

void TestFolderScanner::folderThatIsNoFolderHoldsNoBooks()
{
    QFETCH(QString, name);
    makeFile(QStringLiteral("book.txt"));

    FolderScanner scanner;
    QSignalSpy finished(&scanner, &FolderScanner::finished);
    scanner.scan(m_dir->filePath(name));
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().first().toStringList(), QStringList());
}

void TestFolderScanner::cancelEndsTheScanAtOnce()
{
    const QString top = makeLinkedLevels(8);
    FolderScanner scanner;
    QSignalSpy finished(&scanner, &FolderScanner::finished);
    QSignalSpy cancelled(&scanner, &FolderScanner::cancelled);
    scanner.scan(top);
    scanner.cancel();

    QCOMPARE(cancelled.count(), 1);
    QVERIFY(!scanner.isScanning());
    scanner.cancel();
    QCOMPARE(cancelled.count(), 1);
    QTest::qWait(200);
    QCOMPARE(finished.count(), 0);

    scanner.scan(top);
    QVERIFY(finished.wait());
    QCOMPARE(finished.first().first().toStringList().size(), 9);
}

void TestFolderScanner::newScanCancelsTheRunningOne()
{
    makeFile(QStringLiteral("first/one.txt"));
    makeFile(QStringLiteral("second/two.txt"));
    FolderScanner scanner;
    QSignalSpy finished(&scanner, &FolderScanner::finished);
    QSignalSpy cancelled(&scanner, &FolderScanner::cancelled);
    scanner.scan(m_dir->filePath(QStringLiteral("first")));
    scanner.scan(m_dir->filePath(QStringLiteral("second")));

    QVERIFY(finished.wait());
    QTest::qWait(100);
    QCOMPARE(cancelled.count(), 1);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toStringList(), QStringList{ m_dir->filePath(QStringLiteral("second/two.txt")) });
}

void TestFolderScanner::destroyingTheScannerDuringAScanIsSafe()
{
    const QString top = makeLinkedLevels(12);
    bool emitted = false;
    {
        FolderScanner scanner;
        connect(&scanner, &FolderScanner::finished, this, [&emitted] { emitted = true; });
        scanner.scan(top);
    }
    QTest::qWait(200);
    QVERIFY(!emitted);
}

LEXORIN_TEST_MAIN(TestFolderScanner)
#include "tst_folderscanner.moc"
