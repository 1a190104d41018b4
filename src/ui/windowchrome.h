#ifndef WINDOWCHROME_H
#define WINDOWCHROME_H

#include <QList>
#include <QObject>
#include <QPoint>
#include <QSize>

class QAbstractButton;
class QWidget;

// What a frameless window needs to behave like a window: it is dragged by its handles (the
// title bar and the menu strip), casts a soft shadow, and goes to full screen and back to
// its fixed size.
class WindowChrome : public QObject
{
    Q_OBJECT

public:
    // The shadow is cast by the window's opaque frame, which its transparent margin surrounds.
    WindowChrome(QWidget *window, const QSize &fixedSize, QWidget *frame,
                 QList<QWidget *> dragHandles, QAbstractButton *fullScreenButton);

    bool isFullScreen() const { return m_fullScreen; }
    void toggleFullScreen();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isDragHandle(const QPoint &windowPosition) const;
    bool startDrag(const QPoint &windowPosition, const QPoint &globalPosition);

    QWidget *m_window;
    QSize m_fixedSize;
    QList<QWidget *> m_dragHandles;
    QAbstractButton *m_fullScreenButton;
    bool m_fullScreen = false;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_windowStart;
};

#endif
