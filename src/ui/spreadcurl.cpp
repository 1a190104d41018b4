#include "spreadcurl.h"

#include <QColor>

#include <cmath>

namespace {

constexpr double Pi = 3.141592653589793;
// How far the eye stands from the page, in spread widths: far enough that the rising edge
// grows only a little.
constexpr double EyeDistance = 2.5;
// The darkest the face gets, as a share of the fold shadow's alpha, when it stands upright.
constexpr double FaceShadeDepth = 0.6;

}

SpreadCurl::SpreadCurl(const QSize &size, float progress, bool forward)
    : m_size(size)
    , m_progress(qBound(0.0f, progress, 1.0f))
    , m_forward(forward)
    , m_spine(qreal(size.width() / 2))
{
}

qreal SpreadCurl::turnedAngle() const
{
    return 180.0 * qreal(m_progress);
}

// Forward, the right page's face turns by the angle and its back, on the left, by the angle
// less a half turn; backward, the same mirrored.
qreal SpreadCurl::faceAngle() const
{
    const qreal angle = showsBack() ? turnedAngle() - 180.0 : turnedAngle();
    return m_forward ? angle : -angle;
}

QRect SpreadCurl::faceRect() const
{
    const int spine = int(m_spine);
    return faceOnRight() ? QRect(spine, 0, m_size.width() - spine, m_size.height())
                         : QRect(0, 0, spine, m_size.height());
}

// A rotation about the vertical line through the spine at the page's middle height, with the
// perspective of an eye EyeDistance widths away: x' = x cos a / w and y' = y / w, where
// w = 1 - x sin a / distance, both measured from that middle.
QTransform SpreadCurl::faceTransform() const
{
    const double radians = faceAngle() * Pi / 180.0;
    const double distance = EyeDistance * qMax(m_size.width(), 1);
    const QTransform rotation(std::cos(radians), 0.0, -std::sin(radians) / distance, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0);
    const qreal middle = m_size.height() / 2.0;
    return QTransform::fromTranslate(-m_spine, -middle) * rotation * QTransform::fromTranslate(m_spine, middle);
}

QPolygonF SpreadCurl::sheetOutline() const
{
    return faceTransform().map(QPolygonF(QRectF(faceRect())));
}

// 0 lying flat, 1 standing upright on the spine.
qreal SpreadCurl::standing() const
{
    return std::sin(turnedAngle() * Pi / 180.0);
}

QLinearGradient SpreadCurl::faceShade(const QColor &fold) const
{
    QLinearGradient shade(m_spine, 0.0, outerEdgeX(), 0.0);
    QColor deep = fold;
    deep.setAlphaF(float(fold.alphaF() * FaceShadeDepth * standing()));
    QColor light = deep;
    light.setAlphaF(deep.alphaF() * 0.25f);
    shade.setColorAt(0.0, deep);
    shade.setColorAt(1.0, light);
    return shade;
}

qreal SpreadCurl::outerEdgeX() const
{
    const QPolygonF outline = sheetOutline();
    const QRectF bounds = outline.boundingRect();
    return faceOnRight() ? bounds.right() : bounds.left();
}

// The shadow widens as the sheet rises and narrows as it comes down.
QPolygonF SpreadCurl::castShadowOutline() const
{
    const qreal edge = outerEdgeX();
    const qreal width = ShadowWidth * (0.3 + standing());
    const qreal far = faceOnRight() ? edge + width : edge - width;
    return QPolygonF(QRectF(QPointF(qMin(edge, far), 0.0), QPointF(qMax(edge, far), qreal(m_size.height()))));
}

QLinearGradient SpreadCurl::castShadow(const QColor &fold) const
{
    const QRectF area = castShadowOutline().boundingRect();
    const bool towardsRight = faceOnRight();
    QLinearGradient shadow(towardsRight ? area.left() : area.right(), 0.0,
                           towardsRight ? area.right() : area.left(), 0.0);
    QColor dark = fold;
    dark.setAlphaF(float(fold.alphaF() * (0.4 + 0.6 * standing())));
    shadow.setColorAt(0.0, dark);
    shadow.setColorAt(1.0, Qt::transparent);
    return shadow;
}
