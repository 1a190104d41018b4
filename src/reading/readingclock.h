#ifndef READINGCLOCK_H
#define READINGCLOCK_H

#include <QtGlobal>

#include <functional>

// Counts the time a reader spends reading. It runs while a book is in front of the reader;
// a reader who stops turning pages has walked away after a while, so the time after a move
// (or the start) counts for at most IdleLimitMs.
class ReadingClock
{
public:
    static constexpr qint64 IdleLimitMs = 5 * 60 * 1000;

    // Milliseconds from any fixed point; it must never go back.
    using Now = std::function<qint64()>;

    explicit ReadingClock(Now now = steadyNow);

    bool isRunning() const { return m_running; }
    void start();
    void stop();
    // The reader did something: the stretch until now counts, and a new one begins.
    void noteMove();
    // The whole seconds counted since the last call; what is left of a second is kept.
    qint64 takeSeconds();

private:
    static qint64 steadyNow();
    void restartAt(qint64 now);
    void countUntilNow();

    Now m_now;
    bool m_running = false;
    qint64 m_lastMove = 0;
    qint64 m_countedUntil = 0;
    qint64 m_countedMs = 0;
};

#endif
