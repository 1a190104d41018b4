#ifndef COVERPAINTER_H
#define COVERPAINTER_H

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

// Draws the generated covers of the bookshelf. Pure functions: no state, no widgets.
namespace CoverPainter {

constexpr int CoverWidth = 150;
constexpr int CoverHeight = 200;

// The part of the front board the title is laid out in; a title line may be as wide as it.
constexpr QRect TitleArea(20, 40, 100, 120);

// A title starts at the first size and gives up a point at a time while it is too tall,
// down to the second; below that it would no longer be legible.
constexpr int TitlePointSize = 10;
constexpr int SmallestTitlePointSize = 6;

// The base colour of the book at a zero-based position in the book list (cycles every ten).
QColor coverColor(int index);

// A 150 x 200 cover showing the (already shortened) shelf title on a board of the given colour.
// On a dark shelf the shadow along its edge is deeper, so that it still shows.
QPixmap generateCover(const QString &title, const QColor &color, bool darkShelf = false);

// The cover with a thin bar along its foot showing how far the reader is, from 0 to 1.
QPixmap withProgress(const QPixmap &cover, double progress);

// The cover in grey with a mark across it: the book's file is gone.
QPixmap asMissing(const QPixmap &cover);

// The title lines of a cover: the title broken at spaces so that each line fits the title
// area at 10-point bold, limited to the lines the area can hold. Joined with "\n".
QString breakTitle(const QString &title, const QFont &font);

// The bold font the title text is drawn in: the largest size from 10 points down at which
// the text fits the title area's height, or 6 points when even that is too tall.
QFont fittedTitleFont(const QString &text);

}

#endif
