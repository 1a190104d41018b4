#include "readingtracker.h"

#include "library.h"
#include "readingsession.h"
#include "viewstack.h"

#include <QWidget>

ReadingTracker::ReadingTracker(ReadingSession *session, Library *library, ViewStack *views,
                               QWidget *window)
    : QObject(window)
    , m_session(session)
    , m_library(library)
    , m_views(views)
    , m_window(window)
{
    connect(m_session, &ReadingSession::positionChanged, this, &ReadingTracker::keepPlace);
    connect(m_session, &ReadingSession::bookShown, this, &ReadingTracker::updateBookInReading);
    connect(m_session, &ReadingSession::closed, this, &ReadingTracker::updateBookInReading);
    connect(m_views, &ViewStack::viewChanged, this, &ReadingTracker::updateBookInReading);
}

void ReadingTracker::keepPlace()
{
    if (m_session->state() != ReadingSession::State::Empty)
        m_library->keepPlace(m_session->book(), m_session->place(), m_session->textLength());
}

void ReadingTracker::updateBookInReading()
{
    const bool reading = m_window->isActiveWindow() && !m_window->isMinimized()
        && m_views->current() == ViewStack::Reading
        && m_session->state() != ReadingSession::State::Empty;
    m_library->setBookInReading(reading ? m_session->book() : QString());
}
