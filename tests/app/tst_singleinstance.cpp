#include "handovermessage.h"
#include "singleinstance.h"
#include "testmain.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

using Outcome = SingleInstance::Outcome;

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aSecondStartHandsItsBooksOver();
    void aHandOverAnsweredWithADialogOutlivesTheSecondStart();
    void withNoWindowRunningTheStartIsTheWindow();
    void aSocketLeftByACrashDoesNotBlockTheStart();
    void aWindowThatDoesNotAnswerIsReportedUnreachable();
    void anotherUsersListenerHearsNoBooks();
    void aFloodIsCutOffWithoutAHandOver();
    void separateSettingsLocationsHaveSeparateWindows();
    void theProgramStartsDespiteAnUnknownOption();
    void aSecondProgramHandsOverAndEndsAtOnce();
    void twoProgramsStartedTogetherLeaveOneWindow();

private:
    SingleInstance *instance(const QString &key = QStringLiteral("k"));
    QProcess *startReader(const QStringList &arguments);

    std::unique_ptr<QTemporaryDir> m_folder;
};

// Each test gets a private folder of its own, as the user's runtime folder is.
void TestSingleInstance::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

// The windows and their lock files go before their folder does.
void TestSingleInstance::cleanup()
{
    for (QProcess *reader : findChildren<QProcess *>(Qt::FindDirectChildrenOnly)) {
        reader->kill();
        reader->waitForFinished();
    }
    qDeleteAll(children());
    m_folder.reset();
}

SingleInstance *TestSingleInstance::instance(const QString &key)
{
    return new SingleInstance(m_folder->path(), key, this);
}

void TestSingleInstance::aSecondStartHandsItsBooksOver()
{
    SingleInstance *running = instance();
    QCOMPARE(running->start({}), Outcome::Running);
    QSignalSpy handed(running, &SingleInstance::booksHandedOver);

    // The second start blocks while it waits for the answer, so it runs on its own thread.
    const QStringList books{ QStringLiteral("/books/第一卷.txt"), QStringLiteral("/books/two words.txt") };
    Outcome second = Outcome::Running;
    std::thread secondStart([&] { second = SingleInstance(m_folder->path(), QStringLiteral("k")).start(books); });
    QTRY_COMPARE(handed.count(), 1);
    secondStart.join();
    QCOMPARE(second, Outcome::HandedOver);
    QCOMPARE(handed.first().first().toStringList(), books);
}

// The window answers a book it cannot open with a message box, whose event loop runs while
// the second start ends and its connection goes away.
void TestSingleInstance::aHandOverAnsweredWithADialogOutlivesTheSecondStart()
{
    SingleInstance *running = instance();
    QCOMPARE(running->start({}), Outcome::Running);
    std::atomic<bool> secondEnded = false;
    connect(running, &SingleInstance::booksHandedOver, this, [&] {
        QEventLoop box;
        QTimer::singleShot(3000, &box, &QEventLoop::quit);
        QTimer poll;
        connect(&poll, &QTimer::timeout, &box, [&] {
            if (secondEnded)
                QTimer::singleShot(200, &box, &QEventLoop::quit);
        });
        poll.start(20);
        box.exec();
    });
    QSignalSpy handed(running, &SingleInstance::booksHandedOver);

    std::thread second([&] {
        SingleInstance(m_folder->path(), QStringLiteral("k")).start({ QStringLiteral("/books/missing.txt") });
        secondEnded = true;
    });
    QTRY_COMPARE(handed.count(), 1);
    second.join();
    QTest::qWait(100);
}

void TestSingleInstance::withNoWindowRunningTheStartIsTheWindow()
{
    SingleInstance *start = instance();
    QCOMPARE(start->start({ QStringLiteral("/books/a.txt") }), Outcome::Running);
    QVERIFY(QFileInfo::exists(start->lockPath()));
}

// A crashed window leaves its socket file behind; nobody answers on it.
void TestSingleInstance::aSocketLeftByACrashDoesNotBlockTheStart()
{
    SingleInstance *start = instance();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(start->socketPath()).constData(), sizeof address.sun_path);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(fd);

    QCOMPARE(start->start({}), Outcome::Running);
    QSignalSpy handed(start, &SingleInstance::booksHandedOver);
    Outcome second = Outcome::Running;
    std::thread secondStart([&] { second = SingleInstance(m_folder->path(), QStringLiteral("k")).start({}); });
    QTRY_COMPARE(handed.count(), 1);
    secondStart.join();
    QCOMPARE(second, Outcome::HandedOver);
}

// A window stopped or hung holds the lock without answering: a second window on the same
// library is worse than a word that the first does not answer.
void TestSingleInstance::aWindowThatDoesNotAnswerIsReportedUnreachable()
{
    SingleInstance *start = instance();
    QLockFile held(start->lockPath());
    QVERIFY(held.tryLock(0));
    QLocalServer silent;
    QVERIFY(silent.listen(start->socketPath()));

    Outcome second = Outcome::Running;
    std::thread secondStart([&] { second = start->start({ QStringLiteral("/books/a.txt") }); });
    while (!silent.waitForNewConnection(50)) { }
    secondStart.join();
    QCOMPARE(second, Outcome::Unreachable);
}

// Someone else listening where the window should be never gets the books. As root the
// listener runs as another user at the socket's own place, while the lock is held as by a
// window that hung; otherwise it takes the shared name earlier versions used, and the start
// simply becomes the window.
void TestSingleInstance::anotherUsersListenerHearsNoBooks()
{
    SingleInstance *start = instance();
    const bool root = ::geteuid() == 0;
    const QString path = root ? start->socketPath()
                              : QDir::tempPath() + QStringLiteral("/lexorin-") + qEnvironmentVariable("USER");
    int heard[2];
    QCOMPARE(::pipe(heard), 0);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    ::unlink(address.sun_path);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::chmod(address.sun_path, 0777);
    const pid_t squatter = ::fork();
    if (squatter == 0) {
        if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(1);
        ::listen(fd, 4);
        for (;;) {
            const int client = ::accept(fd, nullptr, nullptr);
            char buffer[4096];
            const ssize_t got = ::read(client, buffer, sizeof buffer);
            if (got > 0 && ::write(heard[1], buffer, size_t(got)) < 0)
                ::_exit(1);
            if (::write(client, "1", 1) < 0)
                ::_exit(1);
            ::close(client);
        }
    }
    ::close(fd);
    ::close(heard[1]);
    QLockFile held(start->lockPath());
    if (root)
        QVERIFY(held.tryLock(0));
    QTest::qWait(100);

    const Outcome outcome = start->start({ QStringLiteral("/home/someone/private.txt") });
    ::kill(squatter, SIGKILL);
    ::waitpid(squatter, nullptr, 0);
    char buffer[64];
    const ssize_t got = ::read(heard[0], buffer, sizeof buffer);
    ::close(heard[0]);
    if (!root)
        ::unlink(address.sun_path);
    QCOMPARE(outcome, root ? Outcome::Unreachable : Outcome::Running);
    QCOMPARE(got, ssize_t(0));
}

void TestSingleInstance::aFloodIsCutOffWithoutAHandOver()
{
    SingleInstance *running = instance();
    QCOMPARE(running->start({}), Outcome::Running);
    QSignalSpy handed(running, &SingleInstance::booksHandedOver);

    std::atomic<bool> cutOff = false;
    std::thread flood([&] {
        QLocalSocket socket;
        socket.connectToServer(running->socketPath());
        if (!socket.waitForConnected(2000))
            return;
        const QByteArray chunk(64 * 1024, 'x');
        for (qsizetype sent = 0; sent <= 4 * HandOverMessage::MaxBytes && socket.state() == QLocalSocket::ConnectedState;
             sent += chunk.size()) {
            socket.write(chunk);
            socket.waitForBytesWritten(2000);
        }
        cutOff = socket.state() != QLocalSocket::ConnectedState || !socket.waitForReadyRead(2000);
    });
    QTRY_VERIFY_WITH_TIMEOUT(cutOff, 15000);
    flood.join();
    QTest::qWait(50);
    QCOMPARE(handed.count(), 0);
}

void TestSingleInstance::separateSettingsLocationsHaveSeparateWindows()
{
    QCOMPARE(instance(QStringLiteral("one"))->start({}), Outcome::Running);
    QCOMPARE(instance(QStringLiteral("two"))->start({}), Outcome::Running);
}

QProcess *TestSingleInstance::startReader(const QStringList &arguments)
{
    auto *process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder->path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder->filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_folder->filePath(QStringLiteral("data")));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(LEXORIN_BINARY), arguments);
    return process;
}

void TestSingleInstance::theProgramStartsDespiteAnUnknownOption()
{
    QProcess *reader = startReader({ QStringLiteral("--foo") });
    QVERIFY(reader->waitForStarted());
    QVERIFY(!reader->waitForFinished(1500));
    QVERIFY(reader->readAllStandardError().contains("Unknown option 'foo'"));
    reader->kill();
    reader->waitForFinished();
}

void TestSingleInstance::aSecondProgramHandsOverAndEndsAtOnce()
{
    QProcess *first = startReader({});
    QVERIFY(first->waitForStarted());
    QTest::qWait(1500);
    QCOMPARE(first->state(), QProcess::Running);

    QProcess *second = startReader({ QStringLiteral("missing-book.txt") });
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished();
}

void TestSingleInstance::twoProgramsStartedTogetherLeaveOneWindow()
{
    QProcess *first = startReader({});
    QTest::qWait(10);
    QProcess *second = startReader({});
    QVERIFY(first->waitForStarted());
    QVERIFY(second->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(first->state() == QProcess::NotRunning || second->state() == QProcess::NotRunning, 8000);
    QProcess *ended = first->state() == QProcess::NotRunning ? first : second;
    QProcess *window = ended == first ? second : first;
    QCOMPARE(ended->exitCode(), 0);
    QVERIFY(!window->waitForFinished(1000));
    window->kill();
    window->waitForFinished();
}

LEXORIN_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
