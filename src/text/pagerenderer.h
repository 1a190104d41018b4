#ifndef PAGERENDERER_H
#define PAGERENDERER_H

#include <QFont>
#include <QList>
#include <QRectF>
#include <QStringView>

#include <vector>

class BookLayout;
class QPainter;
struct PlacedLine;

// Draws a page's text the way the paginator measured it: laid out with
// Paginator::textOption() in the reading font, and, on a page that begins with a heading,
// that first paragraph in the bold heading font, the rest starting just below it. Drawing
// here and nowhere else keeps every page inside the text area it was cut for.
class PageRenderer
{
public:
    // Whether a text holds nothing but white space.
    static bool isBlank(QStringView text);
    // How many characters the blank lines at a page's top take: they are not drawn.
    static qsizetype blankLinesAtTop(QStringView pageText);

    static void draw(QPainter &painter, const QRectF &area, QStringView pageText,
                     const QFont &font, bool startsWithHeading);
    // Where draw puts the characters from start to start + length of the page: one rectangle
    // for each line they lie on.
    static QList<QRectF> rectsOf(const QRectF &area, QStringView pageText, const QFont &font,
                                 bool startsWithHeading, qsizetype start, qsizetype length);

    // A page in the book layout, each character where the layout placed it.
    static void draw(QPainter &painter, const QRectF &area, QStringView pageText,
                     const BookLayout &layout, const std::vector<PlacedLine> &lines);
    static QList<QRectF> rectsOf(const QRectF &area, QStringView pageText, const BookLayout &layout,
                                 const std::vector<PlacedLine> &lines, qsizetype start,
                                 qsizetype length);

private:
    static QList<QRectF> rectsInBlock(const QRectF &area, QStringView text, const QFont &font,
                                      qsizetype start, qsizetype end);
};

#endif
