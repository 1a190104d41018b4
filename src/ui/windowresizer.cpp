#include "windowresizer.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowResizer::WindowResizer(QWidget *window, QWidget *frame, int grip)
    : QObject(window)
    , m_window(window)
    , m_grip(grip)
{
    // The cursor shows the grip before a press; that needs moves without a button over the
    // margin, and a cursor of the frame's own so the grip's does not spread into it.
    for (QWidget *widget = frame->parentWidget(); widget; widget = widget->parentWidget()) {
        widget->setMouseTracking(true);
        if (widget == m_window)
            break;
    }
    frame->setCursor(Qt::ArrowCursor);
    m_window->installEventFilter(this);
}

bool WindowResizer::canResize() const
{
    return !(m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
}

Qt::Edges WindowResizer::edgesAt(const QPoint &windowPosition) const
{
    Qt::Edges edges;
    if (!canResize() || !m_window->rect().contains(windowPosition))
        return edges;
    if (windowPosition.x() < m_grip)
        edges |= Qt::LeftEdge;
    else if (windowPosition.x() >= m_window->width() - m_grip)
        edges |= Qt::RightEdge;
    if (windowPosition.y() < m_grip)
        edges |= Qt::TopEdge;
    else if (windowPosition.y() >= m_window->height() - m_grip)
        edges |= Qt::BottomEdge;
    return edges;
}

QRect WindowResizer::resized(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum)
{
    QRect geometry = start;
    if (edges & Qt::LeftEdge)
        geometry.setLeft(qMin(start.left() + delta.x(), start.right() + 1 - minimum.width()));
    if (edges & Qt::RightEdge)
        geometry.setRight(qMax(start.right() + delta.x(), start.left() - 1 + minimum.width()));
    if (edges & Qt::TopEdge)
        geometry.setTop(qMin(start.top() + delta.y(), start.bottom() + 1 - minimum.height()));
    if (edges & Qt::BottomEdge)
        geometry.setBottom(qMax(start.bottom() + delta.y(), start.top() - 1 + minimum.height()));
    return geometry;
}

void WindowResizer::showCursorFor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling = edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge);
        m_window->setCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    } else if (horizontal) {
        m_window->setCursor(Qt::SizeHorCursor);
    } else if (vertical) {
        m_window->setCursor(Qt::SizeVerCursor);
    } else {
        m_window->unsetCursor();
    }
}

bool WindowResizer::press(QMouseEvent *event)
{
    const Qt::Edges edges = edgesAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !edges)
        return false;
    QWindow *handle = m_window->windowHandle();
    if (handle && handle->startSystemResize(edges))
        return true;
    m_edges = edges;
    m_pressedAt = event->globalPosition().toPoint();
    m_startGeometry = m_window->geometry();
    return true;
}

bool WindowResizer::move(QMouseEvent *event)
{
    if (!m_edges) {
        if (!(event->buttons() & Qt::LeftButton))
            showCursorFor(edgesAt(event->position().toPoint()));
        return false;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_pressedAt;
    m_window->setGeometry(resized(m_startGeometry, m_edges, delta, m_window->minimumSize()));
    return true;
}

bool WindowResizer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove:
        return move(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonRelease:
        if (!m_edges || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            return false;
        m_edges = {};
        return true;
    case QEvent::Leave:
        if (!m_edges)
            m_window->unsetCursor();
        return false;
    default:
        return false;
    }
}
