#ifndef WINDOWRESIZER_H
#define WINDOWRESIZER_H

#include <QObject>
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

// Resizes a frameless window from its edges and corners: the transparent margin around its
// frame is the grip. The window system does the resize where it can; elsewhere (a desktop
// without a window manager) the window follows the pointer itself. A maximised or full-screen
// window has no grip.
class WindowResizer : public QObject
{
    Q_OBJECT

public:
    // The grip is the margin of this width between the window's edges and its frame.
    WindowResizer(QWidget *window, QWidget *frame, int grip);

    // The edges a press at this point of the window would move.
    Qt::Edges edgesAt(const QPoint &windowPosition) const;
    // The window's geometry when the edges of start are dragged by delta, kept at least as
    // large as minimum and with the opposite edges where they were.
    static QRect resized(const QRect &start, Qt::Edges edges, const QPoint &delta, const QSize &minimum);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool canResize() const;
    void showCursorFor(Qt::Edges edges);
    bool press(QMouseEvent *event);
    bool move(QMouseEvent *event);

    QWidget *m_window;
    int m_grip;
    Qt::Edges m_edges;
    QPoint m_pressedAt;
    QRect m_startGeometry;
};

#endif
