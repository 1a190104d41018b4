#include "windowplacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

WindowPlacement::WindowPlacement(QWidget *window, QByteArray savedGeometry)
    : QObject(window)
    , m_window(window)
    , m_savedGeometry(std::move(savedGeometry))
    , m_availableArea([window] { return window->screen()->availableGeometry(); })
{
    m_window->setMinimumSize(MinimumSize);
    m_window->resize(FirstSize);
    m_window->installEventFilter(this);
}

void WindowPlacement::setAvailableArea(std::function<QRect()> availableArea)
{
    m_availableArea = std::move(availableArea);
}

QRect WindowPlacement::fitted(const QRect &wanted, const QRect &available, const QSize &minimum)
{
    const QSize size = wanted.size().boundedTo(available.size()).expandedTo(minimum);
    const int left = qBound(available.left(), wanted.left(), qMax(available.left(), available.right() + 1 - size.width()));
    const int top = qBound(available.top(), wanted.top(), qMax(available.top(), available.bottom() + 1 - size.height()));
    return { QPoint(left, top), size };
}

// Placed once, as the window is first shown, so that a caller can say where the available
// area is after the window is built. A window its caller moved keeps that place.
bool WindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show && !m_placed) {
        m_placed = true;
        place();
    }
    return false;
}

void WindowPlacement::place()
{
    const QRect available = m_availableArea();
    if (!restoreSaved() && !m_window->testAttribute(Qt::WA_Moved)) {
        QRect first({}, FirstSize);
        first.moveCenter(available.center());
        m_window->setGeometry(first);
    }
    if (!m_window->isMaximized())
        m_window->setGeometry(fitted(m_window->geometry(), available, m_window->minimumSize()));
}

// Each start begins out of full screen.
bool WindowPlacement::restoreSaved()
{
    if (m_savedGeometry.isEmpty() || !m_window->restoreGeometry(m_savedGeometry))
        return false;
    if (m_window->windowState() & Qt::WindowFullScreen)
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowFullScreen);
    return true;
}
