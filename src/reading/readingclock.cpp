#include "readingclock.h"

#include <QDeadlineTimer>

#include <utility>

ReadingClock::ReadingClock(Now now)
    : m_now(std::move(now))
{
}

qint64 ReadingClock::steadyNow()
{
    return QDeadlineTimer::current().deadline();
}

void ReadingClock::start()
{
    if (std::exchange(m_running, true))
        return;
    restartAt(m_now());
}

void ReadingClock::stop()
{
    if (!m_running)
        return;
    countUntilNow();
    m_running = false;
}

void ReadingClock::noteMove()
{
    if (!m_running)
        return;
    countUntilNow();
    restartAt(m_now());
}

qint64 ReadingClock::takeSeconds()
{
    if (m_running)
        countUntilNow();
    const qint64 seconds = m_countedMs / 1000;
    m_countedMs -= seconds * 1000;
    return seconds;
}

void ReadingClock::restartAt(qint64 now)
{
    m_lastMove = now;
    m_countedUntil = now;
}

// Counting may stop short of now: past the idle limit the reader is taken to be away.
void ReadingClock::countUntilNow()
{
    const qint64 end = qMin(m_now(), m_lastMove + IdleLimitMs);
    if (end > m_countedUntil) {
        m_countedMs += end - m_countedUntil;
        m_countedUntil = end;
    }
}
