#include "signalwatcher.h"
#include "testmain.h"

#include <QProcess>
#include <QSettings>
#include <QSignalSpy>

#include <csignal>

class TestSignalWatcher : public QObject
{
    Q_OBJECT

private slots:
    void aSignalArrivesThroughTheEventLoop_data();
    void aSignalArrivesThroughTheEventLoop();
    void aBurstOfSignalsIsDeliveredInOrder();
    void theReaderEndsInOrderOnSignals_data();
    void theReaderEndsInOrderOnSignals();
};

void TestSignalWatcher::aSignalArrivesThroughTheEventLoop_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestSignalWatcher::aSignalArrivesThroughTheEventLoop()
{
    QFETCH(int, signalNumber);
    SignalWatcher watcher({ SIGTERM, SIGHUP, SIGINT });
    QSignalSpy received(&watcher, &SignalWatcher::received);
    QCOMPARE(::raise(signalNumber), 0);
    QCOMPARE(received.count(), 0);
    QVERIFY(received.wait(2000));
    QCOMPARE(received.first().first().toInt(), signalNumber);
}

void TestSignalWatcher::aBurstOfSignalsIsDeliveredInOrder()
{
    SignalWatcher watcher({ SIGTERM, SIGHUP });
    QSignalSpy received(&watcher, &SignalWatcher::received);
    ::raise(SIGHUP);
    ::raise(SIGTERM);
    QTRY_COMPARE(received.count(), 2);
    QCOMPARE(received.at(0).first().toInt(), SIGHUP);
    QCOMPARE(received.at(1).first().toInt(), SIGTERM);
}

// A reader ended by logout or kill closes as by its close button: it ends with 0 and writes
// its window's state, as it writes the place not yet saved.
void TestSignalWatcher::theReaderEndsInOrderOnSignals_data()
{
    aSignalArrivesThroughTheEventLoop_data();
}

void TestSignalWatcher::theReaderEndsInOrderOnSignals()
{
    QFETCH(int, signalNumber);
    QTemporaryDir home;
    QProcess reader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    reader.setProcessEnvironment(environment);
    reader.start(QStringLiteral(LEXORIN_BINARY), {});
    QVERIFY(reader.waitForStarted());
    QVERIFY(!reader.waitForFinished(1500));

    ::kill(pid_t(reader.processId()), signalNumber);
    QVERIFY(reader.waitForFinished(5000));
    QCOMPARE(reader.exitStatus(), QProcess::NormalExit);
    QCOMPARE(reader.exitCode(), 0);
    const QSettings store(home.filePath(QStringLiteral("config/Bookshelf/Lexorin.conf")),
                          QSettings::IniFormat);
    QVERIFY2(store.contains(QStringLiteral("geometry")), "the window's state was not written");
}

LEXORIN_TEST_MAIN(TestSignalWatcher)
#include "tst_signalwatcher.moc"
