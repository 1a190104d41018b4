#ifndef WINDOWSHADOW_H
#define WINDOWSHADOW_H

#include <QPixmap>
#include <QWidget>

// A soft drop shadow around a widget, drawn behind it in its parent. It looks like a
// QGraphicsDropShadowEffect on the parent (blur radius 20, black at alpha 80, no offset),
// but the blur is made once per device pixel ratio into a small nine-slice pixmap, so a
// repaint of anything inside the window costs no more than it would without a shadow.
// The widget casting the shadow is taken to be opaque within its rectangle, rounded by
// cornerRadius() when its style rounds its corners.
class WindowShadow : public QWidget
{
    Q_OBJECT

public:
    explicit WindowShadow(QWidget *caster);

    qreal cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(qreal radius);

    static constexpr qreal BlurRadius = 20.0;
    static const QColor Color;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    qreal sliceInset() const;
    QRectF tileCasterRect() const;
    QPixmap renderTile(qreal ratio) const;
    const QPixmap &tile(qreal ratio);
    void followParent();

    QWidget *m_caster;
    qreal m_cornerRadius = 0.0;
    QPixmap m_tile;
};

#endif
