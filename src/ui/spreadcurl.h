#ifndef SPREADCURL_H
#define SPREADCURL_H

#include <QLinearGradient>
#include <QPolygonF>
#include <QRect>
#include <QSize>
#include <QTransform>

// The geometry of one frame of a turn in a two-page spread, turned like a book: one sheet
// swings about the spine, the other half of the spread lies still. Forward, the right page
// rises from its outer edge, stands on the spine halfway and comes down on the left with its
// back showing; backward, the left page goes over to the right. A pure function of the
// spread's size, the progress (0 to 1) and the direction, so the painter and the tests share it.
class SpreadCurl
{
public:
    SpreadCurl(const QSize &size, float progress, bool forward);

    qreal spine() const { return m_spine; }
    // Whether the sheet has passed the spine, so its back is the face on show.
    bool showsBack() const { return m_progress > 0.5f; }
    // The page on show on the sheet, unturned: the right or the left half of the spread.
    QRect faceRect() const;
    // Turns the face about the spine, in perspective, its outer edge rising towards the reader.
    QTransform faceTransform() const;
    // Where the sheet lies in the spread this frame.
    QPolygonF sheetOutline() const;
    // Shades the sheet the more it stands up, deepest at the spine, in the colour of the
    // fold's shadow; laid over the sheet's outline.
    QLinearGradient faceShade(const QColor &fold) const;
    // The shadow the sheet casts beside its outer edge onto the page it has not reached yet.
    QPolygonF castShadowOutline() const;
    QLinearGradient castShadow(const QColor &fold) const;

    static constexpr qreal ShadowWidth = 24.0;

private:
    // The sheet's angle from lying flat where it started, 0 to 180 degrees.
    qreal turnedAngle() const;
    // The face's own rotation about the spine, signed so its outer edge rises.
    qreal faceAngle() const;
    bool faceOnRight() const { return m_forward != showsBack(); }
    qreal outerEdgeX() const;
    qreal standing() const;

    QSize m_size;
    float m_progress;
    bool m_forward;
    qreal m_spine;
};

#endif
