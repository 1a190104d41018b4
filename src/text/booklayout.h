#ifndef BOOKLAYOUT_H
#define BOOKLAYOUT_H

#include "chapterdetector.h"
#include "linecleaner.h"
#include "pagecutter.h"
#include "pagedtext.h"
#include "typesetstyle.h"
#include "typesetter.h"

#include <QFont>
#include <QSizeF>
#include <QStringView>

#include <vector>

// A line of a page in the book layout, where the page draws it: its characters are those
// of the page's text from start to end, each at its own x, and the line's box is top to
// top + height, its baseline at top + baseline.
struct PlacedLine
{
    qsizetype start = 0;
    qsizetype end = 0;
    std::vector<qreal> x; // one for each character; -1 for one not drawn
    qreal left = 0.0;
    qreal right = 0.0; // where the last character's box ends
    qreal top = 0.0;
    qreal height = 0.0;
    qreal baseline = 0.0;
    bool heading = false;
};

// Sets a book's lines like a printed book's paragraphs for one text area: each line of the
// file that holds text is a paragraph, its surrounding spaces left out, indented and set by
// a Typesetter; blank lines and watermark lines take no room, paragraphs are spaced apart,
// headings are set larger with space around them, and with chapters starting pages a volume
// heading stands alone on its page. The same object measures lines for cutting pages
// (runsOf) and places a page's lines for drawing it (linesOfPage), so a page holds what
// was measured for it. Built and used on one thread.
class BookLayout
{
public:
    BookLayout(const QFont &font, const QSizeF &area, const TypesetStyle &style,
               bool chaptersStartPages);

    // The runs a page cutter fills pages with for one line of the file (without its line
    // end): one for each line it is set in, joined back to the whole line.
    void addRunsOf(QStringView line, bool isHeading, std::vector<TextRun> &runs) const;

    // The lines of a page cut from such runs. A page that starts inside a line of the file
    // goes on from where the page before left it; following is the text after the page up
    // to the end of its last line of the file (or as much of it as is at hand:
    // followingEndsLine says whether it reaches the end). Headings are given as the offsets
    // in the page where heading lines start.
    std::vector<PlacedLine> linesOfPage(QStringView page, bool startsInsideLine,
                                        QStringView following, bool followingEndsLine,
                                        const std::vector<qsizetype> &headingStarts) const;

    // The lines of a page of a list cut from such runs, with the headings the list was cut with.
    std::vector<PlacedLine> linesOfPage(const std::vector<QString> &pages, int page,
                                        const std::vector<Chapter> &headings) const;
    std::vector<PlacedLine> linesOfPage(const PagedText &pages, int page,
                                        const std::vector<Chapter> &headings) const;
    // How wide a placed line's character is drawn.
    qreal advanceOf(const PlacedLine &line, QStringView page, qsizetype at) const;

    const QFont &font() const { return m_body.font(); }
    QSizeF area() const { return m_area; }
    const TypesetStyle &style() const { return m_style; }
    bool chaptersStartPages() const { return m_chaptersStartPages; }
    const QFont &headingFont() const { return m_heading.font(); }
    qreal lineHeight() const { return m_lineHeight; }

    static QFont headingFontFor(const QFont &font);
    static bool isSpace(QChar c);

private:
    struct Paragraph
    {
        qsizetype start;
        qsizetype end;
    };

    bool isVisible(QStringView line) const;
    static Paragraph trimmed(QStringView line, bool trimEnd);
    bool isTitlePage(QStringView paragraph) const;
    qreal headingLineHeight() const;
    qreal spaceAboveHeading() const { return m_lineHeight; }
    qreal spaceBelowHeading() const { return m_lineHeight * 0.6; }
    qreal paragraphSpace() const;
    PlacedLine placed(const Typesetter &typesetter, QStringView paragraph, const TypesetLine &line,
                      qsizetype offset, qreal top, qreal height) const;
    void placeHeading(QStringView paragraph, qsizetype offset, qreal &y,
                      std::vector<PlacedLine> &lines) const;

    TypesetStyle m_style;
    QSizeF m_area;
    bool m_chaptersStartPages;
    Typesetter m_body;
    Typesetter m_heading;
    qreal m_lineHeight;
    LineCleaner m_cleaner;
};

#endif
