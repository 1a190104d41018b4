#ifndef WINDOWPLACEMENT_H
#define WINDOWPLACEMENT_H

#include <QByteArray>
#include <QObject>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

// Where the window opens and how large: the place and size it had when it was last closed,
// or the first-start size in the middle of the screen, in either case shrunk and moved so
// the whole window lies in the screen's available area (a laptop's bottom panel never hides
// the toolbar). Full screen is never restored; a maximised window stays maximised.
class WindowPlacement : public QObject
{
    Q_OBJECT

public:
    static constexpr QSize FirstSize{ 640, 800 };
    // Small enough for any screen a reader uses, large enough to reach every control.
    static constexpr QSize MinimumSize{ 560, 480 };

    // The geometry is what QWidget::saveGeometry() wrote, or empty at a first start.
    WindowPlacement(QWidget *window, QByteArray savedGeometry);

    // Tells where the screen's available area is; the window's screen is asked by default.
    void setAvailableArea(std::function<QRect()> availableArea);

    // The window geometry that lies wholly in the available area, the wanted size shrunk no
    // further than minimum.
    static QRect fitted(const QRect &wanted, const QRect &available, const QSize &minimum);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();
    bool restoreSaved();

    QWidget *m_window;
    QByteArray m_savedGeometry;
    std::function<QRect()> m_availableArea;
    bool m_placed = false;
};

#endif
