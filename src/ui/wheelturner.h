#ifndef WHEELTURNER_H
#define WHEELTURNER_H

#include <QObject>

class QWidget;

// Turns the wheel over a widget into page turns, and with Ctrl held into zoom steps. Only
// wheel events that reach the widget count: a list inside it keeps its own wheel.
class WheelTurner : public QObject
{
    Q_OBJECT

public:
    explicit WheelTurner(QWidget *watched);

signals:
    void turnRequested(bool forward);
    void zoomRequested(bool in);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif
