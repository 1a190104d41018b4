#include "readingclock.h"
#include "testmain.h"

// The reading clock against a clock the test moves: what counts as reading, and what does
// not once the reader has walked away.
class TestReadingClock : public QObject
{
    Q_OBJECT

public:
    // At `atSecond`, the clock is started, stopped, told of a move or asked for its seconds.
    struct Step
    {
        double atSecond;
        char what; // 's'tart, 'x' stop, 'm'ove, 't'ake
    };

private slots:
    void countedSeconds_data();
    void countedSeconds();
};

Q_DECLARE_METATYPE(QList<TestReadingClock::Step>)

namespace {

constexpr double Minute = 60.0;

}

void TestReadingClock::countedSeconds_data()
{
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<qint64>("seconds");

    QTest::newRow("reading with moves") << QList<Step>{ { 0, 's' }, { 10, 'm' }, { 70, 'm' }, { 100, 'x' } }
                                        << qint64(100);
    QTest::newRow("not started") << QList<Step>{ { 0, 'm' }, { 50, 'x' } } << qint64(0);
    QTest::newRow("left alone") << QList<Step>{ { 0, 's' }, { 20 * Minute, 'x' } } << qint64(5 * Minute);
    QTest::newRow("back after a break")
            << QList<Step>{ { 0, 's' }, { 10 * Minute, 'm' }, { 11 * Minute, 'x' } } << qint64(6 * Minute);
    QTest::newRow("paused in between")
            << QList<Step>{ { 0, 's' }, { 30, 'x' }, { 100, 's' }, { 130, 'x' } } << qint64(60);
    QTest::newRow("started twice") << QList<Step>{ { 0, 's' }, { 40, 's' }, { 90, 'x' } } << qint64(90);
    QTest::newRow("taking does not restart the idle limit")
            << QList<Step>{ { 0, 's' }, { 4 * Minute, 't' }, { 20 * Minute, 'x' } } << qint64(5 * Minute);
    QTest::newRow("parts of seconds add up")
            << QList<Step>{ { 0, 's' }, { 1.5, 't' }, { 3, 't' }, { 3.4, 'x' } } << qint64(3);
}

void TestReadingClock::countedSeconds()
{
    QFETCH(QList<Step>, steps);
    QFETCH(qint64, seconds);

    qint64 now = 0;
    ReadingClock clock([&now] { return now; });
    qint64 taken = 0;
    for (const Step &step : std::as_const(steps)) {
        now = qint64(step.atSecond * 1000);
        switch (step.what) {
        case 's': clock.start(); break;
        case 'x': clock.stop(); break;
        case 'm': clock.noteMove(); break;
        case 't': taken += clock.takeSeconds(); break;
        }
    }
    now += 3600 * 1000;
    taken += clock.takeSeconds();
    QCOMPARE(taken, seconds);
    QCOMPARE(clock.isRunning(), false);
}

LEXORIN_TEST_MAIN(TestReadingClock)
#include "tst_readingclock.moc"
