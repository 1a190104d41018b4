#ifndef PAGECURL_H
#define PAGECURL_H

#include <QLinearGradient>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QTransform>

// The geometry of one frame of a page turn: where the fold stands, how the turning sheet is
// clipped, bent and tilted, and where its shadow falls. A pure function of the page's size,
// the progress (0 to 1) and the direction, so the painter and the tests share one source.
class PageCurl
{
public:
    PageCurl(const QSize &size, float progress, bool forward);

    float foldX() const { return m_foldX; }
    float angle() const { return m_angle; } // degrees about the vertical axis
    float bulge() const { return m_bulge; }
    float lift() const { return m_lift; }
    QPointF curveControl() const { return m_curveControl; }
    QPointF curveEnd() const { return m_curveEnd; }

    // The part of the outgoing page that has not been lifted yet.
    QRect outgoingStrip() const;
    // The outline the sheet is clipped to, in page coordinates.
    QPainterPath sheetOutline() const;
    // Turns the sheet about the fold, in perspective, lowered by the sheet drop.
    QTransform sheetTransform() const;
    // The sheet's face and its text area, before the transform.
    QRect sheetRect() const;
    QRect sheetTextRect() const;
    // The fold shadow's rectangle and gradient, before the transform; the gradient fades from
    // the colour given at the fold to nothing.
    QRectF shadowRect() const;
    QLinearGradient shadowGradient(const QColor &atFold) const;

    static constexpr int Duration = 800;  // ms
    static constexpr qreal SheetDrop = 110.0;
    static constexpr qreal ShadowWidth = 20.0;

private:
    QSize m_size;
    float m_progress;
    bool m_forward;
    float m_foldX;
    float m_angle;
    float m_bulge;
    float m_lift;
    QPointF m_curveControl;
    QPointF m_curveEnd;
};

#endif
