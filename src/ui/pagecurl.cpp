#include "pagecurl.h"

#include <QColor>

#include <cmath>

namespace {

constexpr double Pi = 3.141592653589793;
constexpr float BulgeFactor = 0.1f;  // of the page height, at the end of a turn twice that
constexpr float LiftFactor = 0.2f;   // of the page height, in the middle of a turn
constexpr double CurvePull = 0.3;    // of the page width

}

PageCurl::PageCurl(const QSize &size, float progress, bool forward)
    : m_size(size)
    , m_progress(progress)
    , m_forward(forward)
{
    const float width = float(size.width());
    const float height = float(size.height());
    const double p = progress;
    m_bulge = float((1.0 - std::cos(Pi * p)) * double(BulgeFactor * height));
    m_lift = float(double(LiftFactor * height) * std::sin(Pi * p));

    if (forward) {
        m_foldX = width * (1.0f - progress);
        m_angle = 90.0f * progress;
        m_curveControl = QPointF(m_foldX - CurvePull * size.width() * p, m_lift);
        m_curveEnd = QPointF(0.0, p * height);
    } else {
        m_foldX = width * progress;
        m_angle = -90.0f * (1.0f - progress);
        m_curveControl = QPointF(m_foldX + CurvePull * size.width() * (1.0 - p), m_lift);
        m_curveEnd = QPointF(size.width(), (1.0 - p) * height);
    }
}

QRect PageCurl::outgoingStrip() const
{
    const int width = int((1.0f - m_progress) * float(m_size.width()));
    const int left = m_forward ? 0 : int(m_progress * float(m_size.width()));
    return QRect(left, 0, width, m_size.height());
}

QPainterPath PageCurl::sheetOutline() const
{
    const qreal edgeX = m_forward ? 0.0 : qreal(m_size.width());
    const qreal bottom = qreal(m_size.height()) + m_bulge;
    QPainterPath path;
    path.moveTo(m_foldX, -m_bulge);
    path.quadTo(m_curveControl, m_curveEnd);
    path.lineTo(edgeX, bottom);
    path.lineTo(m_foldX, bottom);
    path.closeSubpath();
    return path;
}

QTransform PageCurl::sheetTransform() const
{
    QTransform transform;
    transform.translate(m_foldX, SheetDrop);
    transform.rotate(m_angle, Qt::YAxis);
    transform.translate(-m_foldX, 0.0);
    return transform;
}

QRect PageCurl::sheetRect() const
{
    return QRect(0, int(-m_bulge), m_size.width(), int(float(m_size.height()) + 2.0f * m_bulge));
}

QRect PageCurl::sheetTextRect() const
{
    return QRect(30, int(0.5f * m_bulge + 30.0f), m_size.width(), m_size.height());
}

QRectF PageCurl::shadowRect() const
{
    const qreal left = m_forward ? m_foldX - ShadowWidth : m_foldX;
    return QRectF(left, -m_bulge, ShadowWidth, qreal(m_size.height()) + 2.0 * m_bulge);
}

QLinearGradient PageCurl::shadowGradient(const QColor &atFold) const
{
    const qreal end = m_forward ? m_foldX - ShadowWidth : m_foldX + ShadowWidth;
    QLinearGradient gradient(m_foldX, 0.0, end, 0.0);
    gradient.setColorAt(0.0, atFold);
    gradient.setColorAt(1.0, Qt::transparent);
    return gradient;
}
