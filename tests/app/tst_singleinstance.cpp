#include "singleinstance.h"
#include "testmain.h"

#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QUuid>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void aSecondStartHandsItsBooksOver();
    void aHandOverAnsweredWithADialogOutlivesTheSecondStart();
    void withNoWindowRunningNothingIsHandedOver();
    void aSocketLeftByACrashDoesNotBlockTheStart();
    void theProgramStartsDespiteAnUnknownOption();
    void aSecondProgramHandsOverAndEndsAtOnce();

private:
    static QString uniqueName();
    QProcess *startReader(const QStringList &arguments, const QString &user);
};

QString TestSingleInstance::uniqueName()
{
    return QStringLiteral("lexorin-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

void TestSingleInstance::aSecondStartHandsItsBooksOver()
{
    const QString name = uniqueName();
    SingleInstance running(name);
    QVERIFY(running.listen());
    QSignalSpy handed(&running, &SingleInstance::booksHandedOver);

    // The second start blocks while it waits for the answer, so it runs on its own thread.
    const QStringList books{ QStringLiteral("/books/第一卷.txt"), QStringLiteral("/books/two words.txt") };
    bool tookThem = false;
    std::thread second([&] { tookThem = SingleInstance(name).handOver(books); });
    QTRY_COMPARE(handed.count(), 1);
    second.join();
    QVERIFY(tookThem);
    QCOMPARE(handed.first().first().toStringList(), books);
}

// The window answers a book it cannot open with a message box, whose event loop runs while
// the second start ends and its connection goes away.
void TestSingleInstance::aHandOverAnsweredWithADialogOutlivesTheSecondStart()
{
    const QString name = uniqueName();
    SingleInstance running(name);
    QVERIFY(running.listen());
    bool secondEnded = false;
    connect(&running, &SingleInstance::booksHandedOver, this, [&] {
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
    QSignalSpy handed(&running, &SingleInstance::booksHandedOver);

    std::thread second([&] {
        SingleInstance(name).handOver({ QStringLiteral("/books/missing.txt") });
        secondEnded = true;
    });
    QTRY_COMPARE(handed.count(), 1);
    second.join();
    QTest::qWait(100);
}

void TestSingleInstance::withNoWindowRunningNothingIsHandedOver()
{
    QVERIFY(!SingleInstance(uniqueName()).handOver({ QStringLiteral("/books/a.txt") }));
}

// A crashed window leaves its socket file behind; nobody answers on it.
void TestSingleInstance::aSocketLeftByACrashDoesNotBlockTheStart()
{
    const QString name = uniqueName();
    const QString path = QDir::tempPath() + QLatin1Char('/') + name;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
    QVERIFY(QFileInfo::exists(path));

    SingleInstance start(name);
    QVERIFY(!start.handOver({}));
    QVERIFY(start.listen());
    bool tookThem = false;
    std::thread second([&] { tookThem = SingleInstance(name).handOver({}); });
    QSignalSpy handed(&start, &SingleInstance::booksHandedOver);
    QTRY_COMPARE(handed.count(), 1);
    second.join();
    QVERIFY(tookThem);
}

QProcess *TestSingleInstance::startReader(const QStringList &arguments, const QString &user)
{
    auto *process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("USER"), user);
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(LEXORIN_BINARY), arguments);
    return process;
}

void TestSingleInstance::theProgramStartsDespiteAnUnknownOption()
{
    QProcess *reader = startReader({ QStringLiteral("--foo") }, uniqueName());
    QVERIFY(reader->waitForStarted());
    QVERIFY(!reader->waitForFinished(1500));
    QVERIFY(reader->readAllStandardError().contains("Unknown option 'foo'"));
    reader->kill();
    reader->waitForFinished();
}

void TestSingleInstance::aSecondProgramHandsOverAndEndsAtOnce()
{
    const QString user = uniqueName();
    QProcess *first = startReader({}, user);
    QVERIFY(first->waitForStarted());
    QTest::qWait(1500);
    QCOMPARE(first->state(), QProcess::Running);

    QProcess *second = startReader({ QStringLiteral("missing-book.txt") }, user);
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished();
}

LEXORIN_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
