#include "wheelturner.h"

#include <QWheelEvent>
#include <QWidget>

WheelTurner::WheelTurner(QWidget *watched)
    : QObject(watched)
{
    watched->installEventFilter(this);
}

// Each step mainly up or down counts once, however small, with no sum kept between steps;
// a sideways movement is left to the widget.
bool WheelTurner::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    const QPoint delta = wheel->angleDelta();
    const bool mainlyVertical = delta.x() == 0 ? delta.y() != 0 : qAbs(delta.y()) > qAbs(delta.x());
    if (!mainlyVertical)
        return false;
    if (wheel->modifiers() & Qt::ControlModifier)
        emit zoomRequested(delta.y() > 0);
    else
        emit turnRequested(delta.y() < 0);
    wheel->accept();
    return true;
}
