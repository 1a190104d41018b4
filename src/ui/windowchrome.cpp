#include "windowchrome.h"

#include "windowshadow.h"

#include <QAbstractButton>
#include <QMouseEvent>

WindowChrome::WindowChrome(QWidget *window, QWidget *frame, QWidget *titleBar,
                           QList<QWidget *> dragHandles, QAbstractButton *fullScreenButton)
    : QObject(window)
    , m_window(window)
    , m_titleBar(titleBar)
    , m_dragHandles(std::move(dragHandles))
    , m_fullScreenButton(fullScreenButton)
{
    m_window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    m_window->setAttribute(Qt::WA_TranslucentBackground, true);
    new WindowShadow(frame);
    m_window->installEventFilter(this);
}

// Leaving full screen gives the window back the size, or the maximised state, it had.
void WindowChrome::toggleFullScreen()
{
    m_fullScreen = !m_fullScreen;
    if (m_fullScreen) {
        m_maximizedBeforeFullScreen = m_window->isMaximized();
        m_window->showFullScreen();
        m_fullScreenButton->setIcon(QIcon(QStringLiteral(":/icons/restore.svg")));
    } else {
        if (m_maximizedBeforeFullScreen)
            m_window->showMaximized();
        else
            m_window->showNormal();
        m_fullScreenButton->setIcon(QIcon(QStringLiteral(":/icons/fullscreen.svg")));
    }
}

void WindowChrome::toggleMaximized()
{
    if (m_fullScreen)
        return;
    if (m_window->isMaximized())
        m_window->showNormal();
    else
        m_window->showMaximized();
}

bool WindowChrome::isOn(const QWidget *handle, const QPoint &windowPosition) const
{
    return handle->rect().contains(handle->mapFrom(m_window, windowPosition));
}

bool WindowChrome::isDragHandle(const QPoint &windowPosition) const
{
    return std::any_of(m_dragHandles.cbegin(), m_dragHandles.cend(),
                       [&](const QWidget *handle) { return isOn(handle, windowPosition); });
}

bool WindowChrome::startDrag(const QPoint &windowPosition, const QPoint &globalPosition)
{
    if (!isDragHandle(windowPosition))
        return false;
    m_dragging = true;
    m_dragStart = globalPosition;
    m_windowStart = m_window->frameGeometry().topLeft();
    return true;
}

// Presses that no child took reach the window; those on a handle start a drag, and the
// window then follows the pointer one to one.
bool WindowChrome::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *press = static_cast<QMouseEvent *>(event);
        return press->button() == Qt::LeftButton
                && startDrag(press->position().toPoint(), press->globalPosition().toPoint());
    }
    case QEvent::MouseButtonDblClick: {
        auto *click = static_cast<QMouseEvent *>(event);
        if (click->button() != Qt::LeftButton || !isOn(m_titleBar, click->position().toPoint()))
            return false;
        m_dragging = false;
        toggleMaximized();
        return true;
    }
    case QEvent::MouseMove: {
        auto *move = static_cast<QMouseEvent *>(event);
        if (!m_dragging || !(move->buttons() & Qt::LeftButton))
            return false;
        m_window->move(move->globalPosition().toPoint() - m_dragStart + m_windowStart);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *release = static_cast<QMouseEvent *>(event);
        if (release->button() != Qt::LeftButton || !m_dragging)
            return false;
        m_dragging = false;
        return true;
    }
    default:
        return false;
    }
}
