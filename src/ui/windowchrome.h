#ifndef WINDOWCHROME_H
#define WINDOWCHROME_H

#include <QList>
#include <QObject>
#include <QPoint>

class QAbstractButton;
class QWidget;

// What a frameless window needs to behave like a window: it is dragged by its handles (the
// title bar and the menu strip), casts a soft shadow, goes to full screen and back, and a
// double-click on its title bar maximises it or gives it back its size.
class WindowChrome : public QObject
{
    Q_OBJECT

public:
    // The shadow is cast by the window's opaque frame, which its transparent margin surrounds.
    WindowChrome(QWidget *window, QWidget *frame, QWidget *titleBar, QList<QWidget *> dragHandles,
                 QAbstractButton *fullScreenButton);

    bool isFullScreen() const { return m_fullScreen; }
    void toggleFullScreen();
    void toggleMaximized();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isOn(const QWidget *handle, const QPoint &windowPosition) const;
    bool isDragHandle(const QPoint &windowPosition) const;
    bool startDrag(const QPoint &windowPosition, const QPoint &globalPosition);

    QWidget *m_window;
    QWidget *m_titleBar;
    QList<QWidget *> m_dragHandles;
    QAbstractButton *m_fullScreenButton;
    bool m_fullScreen = false;
    bool m_maximizedBeforeFullScreen = false;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_windowStart;
};

#endif
