#include "fileloader.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStringEncoder>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Paths no book should be at: the loader refuses them with a reason in the reader's
// language, or reads them sensibly, and never hangs, neither the load nor the loader's end.
class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void whatIsNoBookIsRefused_data();
    void whatIsNoBookIsRefused();
    void fileChangedDuringTheLoadIsReadOrReported_data();
    void fileChangedDuringTheLoadIsReadOrReported();
    void openThatBlocksIsAbandoned_data();
    void openThatBlocksIsAbandoned();
    void onlyTheLastOfQuicklyOpenedBooksIsCut();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const PageFormat Format{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(480, 530) };

// A hang check, not a speed figure: ending a loader takes far less when nothing hangs.
constexpr qint64 EndWithin = 1000;

bool hasChinese(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() < 0xA000; });
}

// Holds a write lease on a file: until it is released, whoever opens the file waits in the
// kernel, the way a read waits on a stalled network mount.
class Lease
{
public:
    explicit Lease(const QString &path) : m_fd(::open(QFile::encodeName(path).constData(), O_RDONLY))
    {
        if (m_fd >= 0 && ::fcntl(m_fd, F_SETLEASE, F_WRLCK) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~Lease()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isHeld() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Which warnings a racing load logs depends on where the race lands; they are no finding.
class QuietWarnings
{
public:
    QuietWarnings() { s_forward = qInstallMessageHandler(&QuietWarnings::dropWarnings); }
    ~QuietWarnings() { qInstallMessageHandler(s_forward); }

private:
    static void dropWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type != QtWarningMsg)
            s_forward(type, context, message);
    }

    static inline QtMessageHandler s_forward = nullptr;
};

}

void TestHostileFiles::initTestCase()
{
    // A blocked open tells the lease holder by SIGIO, which would end the test.
    std::signal(SIGIO, SIG_IGN);
}

void TestHostileFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestHostileFiles::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void TestHostileFiles::whatIsNoBookIsRefused_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("empty") << QStringLiteral("empty");
    QTest::newRow("byte-order mark only") << QStringLiteral("mark only");
    QTest::newRow("folder named x.txt") << QStringLiteral("folder");
    QTest::newRow("fifo nobody writes") << QStringLiteral("fifo");
    QTest::newRow("link to /dev/zero") << QStringLiteral("zero");
    QTest::newRow("dangling link") << QStringLiteral("dangling");
    QTest::newRow("no read permission") << QStringLiteral("unreadable");
}

void TestHostileFiles::whatIsNoBookIsRefused()
{
    QFETCH(QString, kind);
    const QString path = m_dir->filePath(QStringLiteral("x.txt"));
    const QByteArray nativePath = QFile::encodeName(path);
    if (kind == QLatin1String("empty"))
        QVERIFY(!writeFile(QStringLiteral("x.txt"), {}).isEmpty() || QFileInfo(path).isFile());
    else if (kind == QLatin1String("mark only"))
        QVERIFY(!writeFile(QStringLiteral("x.txt"), "\xEF\xBB\xBF").isEmpty());
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("x.txt")));
    else if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(nativePath.constData(), 0600), 0);
    else if (kind == QLatin1String("zero"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    else if (kind == QLatin1String("dangling"))
        QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("gone.txt")), path));
    if (kind == QLatin1String("unreadable")) {
        QVERIFY(!writeFile(QStringLiteral("x.txt"), "secret\n").isEmpty());
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("Running with the power to read any file (as root): permissions cannot be denied");
    }

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to read file:")));
    if (kind != QLatin1String("empty") && kind != QLatin1String("mark only"))
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot open file:")));
    QElapsedTimer clock;
    clock.start();
    {
        FileLoader loader;
        QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
        QSignalSpy failed(&loader, &FileLoader::loadFailed);
        loader.loadFile(path, Format);

        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.first().at(0).toString(), path);
        const QString reason = failed.first().at(1).toString();
        QVERIFY2(hasChinese(reason), qPrintable(reason));
        QCOMPARE(loaded.count(), 0);
    }
    QVERIFY2(clock.elapsed() < EndWithin, qPrintable(QString::number(clock.elapsed())));
}

void TestHostileFiles::fileChangedDuringTheLoadIsReadOrReported_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("deleted") << QStringLiteral("remove");
    QTest::newRow("truncated") << QStringLiteral("truncate");
}

// When the change lands, before the open, during the read or after it, depends on the
// threads: whatever it is, the load reports one outcome, and a book shown is one the file held.
void TestHostileFiles::fileChangedDuringTheLoadIsReadOrReported()
{
    QFETCH(QString, change);
    const QByteArray line("A line of a long book that changes while it loads.\n");
    const QString path = writeFile(QStringLiteral("changing.txt"), line.repeated(400000));

    const QuietWarnings quiet;
    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    QSignalSpy failed(&loader, &FileLoader::loadFailed);
    loader.loadFile(path, Format);
    QFile file(path);
    QVERIFY(change == QLatin1String("remove") ? file.remove() : file.resize(line.size() * 10));

    QTRY_VERIFY_WITH_TIMEOUT(loaded.count() + failed.count() == 1, 20000);
    QTest::qWait(100);
    QCOMPARE(loaded.count() + failed.count(), 1);
    if (!failed.isEmpty()) {
        QVERIFY(hasChinese(failed.first().at(1).toString()));
        return;
    }
    QString text;
    for (const QString &page : loaded.first().at(0).value<PagedText>().pageTexts())
        text += page;
    const qsizetype lines = text.count(u'\n') - 1;
    QVERIFY2(lines == 400000 || lines == 10, qPrintable(QString::number(lines)));
}

void TestHostileFiles::openThatBlocksIsAbandoned_data()
{
    QTest::addColumn<bool>("openAnother");
    QTest::newRow("then quit") << false;
    QTest::newRow("then open another book") << true;
}

// Neither quitting nor the next book waits for a load stuck in the operating system.
void TestHostileFiles::openThatBlocksIsAbandoned()
{
    QFETCH(bool, openAnother);
    const QString stuck = writeFile(QStringLiteral("stuck.txt"), "never read\n");
    const QString next = writeFile(QStringLiteral("next.txt"), "The next book.\n");
    Lease lease(stuck);
    if (!lease.isHeld())
        QSKIP("The file system gives no leases, so no open can be made to block");

    QElapsedTimer clock;
    {
        FileLoader loader;
        QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
        QSignalSpy failed(&loader, &FileLoader::loadFailed);
        loader.loadFile(stuck, Format);
        QTest::qWait(200);
        QVERIFY(loaded.isEmpty() && failed.isEmpty());
        if (openAnother) {
            loader.loadFile(next, Format);
            QVERIFY(loaded.wait(5000));
            QCOMPARE(loaded.first().at(1).toString(), next);
        }
        clock.start();
    }
    QVERIFY2(clock.elapsed() < EndWithin, qPrintable(QString::number(clock.elapsed())));
}

// Each book supersedes the one before: once a later one is asked for, the earlier ones stop
// (or never start) and report nothing more; the last one is cut and delivered. An earlier
// book's first pages may arrive before the next book is asked for, its head being read first.
void TestHostileFiles::onlyTheLastOfQuicklyOpenedBooksIsCut()
{
    // About 20 MB of GBK: decoding it alone outlasts the 30 ms between two books.
    const QByteArray book = QStringEncoder("GBK").encode(
            QStringLiteral("　　一本很长的书，每一段都差不多。\r\n").repeated(600000));
    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths << writeFile(QStringLiteral("book-%1.txt").arg(i), book);

    FileLoader loader;
    QString latest;
    QStringList stale;
    connect(&loader, &FileLoader::pagesCut, this, [&](const PagedText &, const QString &path) {
        if (path != latest)
            stale << path;
    });
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    QSignalSpy failed(&loader, &FileLoader::loadFailed);
    for (const QString &path : paths) {
        latest = path;
        loader.loadFile(path, Format);
        QTest::qWait(30);
    }

    QVERIFY(loaded.wait(60000));
    QTest::qWait(200);
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.first().at(1).toString(), paths.last());
    QVERIFY2(stale.isEmpty(), qPrintable(stale.join(u", ")));
    QCOMPARE(failed.count(), 0);
}

LEXORIN_TEST_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
