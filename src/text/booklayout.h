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
    // What a clean-up rule put in place of the page's characters, one for each character of
    // the line (a null character where the page's own is drawn); empty when nothing was.
    QString shown;
};

// Sets a book's lines like a printed book's paragraphs for one text area: each line of the
// file that holds text is a paragraph, or, in a hard-wrapped book, the lines a joined line
// end runs on into (the line end set as a space between words, as nothing between Chinese
// characters, the spaces around it with it), its surrounding spaces left out, indented and set by
// a Typesetter; blank lines and the lines the clean-up rules drop (by default the built-in
// ones: watermarks) take no room, what their span rules match is left out where it stands, paragraphs are spaced apart,
// headings are set larger with space around them, and with chapters starting pages a volume
// heading stands alone on its page. The same object measures lines for cutting pages
// (runsOf) and places a page's lines for drawing it (linesOfPage), so a page holds what
// was measured for it. Built and used on one thread.
class BookLayout
{
public:
    BookLayout(const QFont &font, const QSizeF &area, const TypesetStyle &style,
               bool chaptersStartPages,
               const std::vector<CleanupRule> &cleanupRules = LineCleaner::builtInRules());

    // The runs a page cutter fills pages with for one paragraph (without its line end): one
    // for each line it is set in, joined back to the whole paragraph. Every line end inside
    // the paragraph is a joined one.
    void addRunsOf(QStringView line, bool isHeading, std::vector<TextRun> &runs) const;

    // The lines of a page cut from such runs. A page that starts inside a line of the file
    // goes on from where the page before left it; following is the text after the page up
    // to the end of its last paragraph (or as much of it as is at hand:
    // followingEndsLine says whether it reaches the end). Headings are given as the offsets
    // in the page where heading lines start, joined line ends as the sorted offsets in the
    // page of their "\n".
    std::vector<PlacedLine> linesOfPage(QStringView page, bool startsInsideLine,
                                        QStringView following, bool followingEndsLine,
                                        const std::vector<qsizetype> &headingStarts,
                                        const std::vector<qsizetype> &joinedLineEnds = {}) const;

    // The lines of a page of a list cut from such runs, with the headings and the joined line
    // ends (sorted offsets in the text of the list) the list was cut with.
    std::vector<PlacedLine> linesOfPage(const std::vector<QString> &pages, int page,
                                        const std::vector<Chapter> &headings,
                                        const std::vector<qsizetype> &joinedLineEnds = {}) const;
    std::vector<PlacedLine> linesOfPage(const PagedText &pages, int page,
                                        const std::vector<Chapter> &headings,
                                        const std::vector<qsizetype> &joinedLineEnds = {}) const;
    // A paragraph as it is set: the same length, each line end inside it with the spaces
    // around it set as one space between words, or as zero-width spaces.
    static QString settable(QStringView paragraph);
    // How wide a placed line's character is drawn.
    qreal advanceOf(const PlacedLine &line, QStringView page, qsizetype at) const;

    // Facing pages of a spread share one baseline grid: every page that the text runs on past
    // ends its last line on the grid's last row, the space between its paragraphs and around
    // its headings evened out to get there. A page the text does not run on past (a chapter's
    // end, the book's) ends where its text does.
    void setFacingPages(bool on) { m_facingPages = on; }
    bool facingPages() const { return m_facingPages; }

    const QFont &font() const { return m_body.font(); }
    QSizeF area() const { return m_area; }
    const TypesetStyle &style() const { return m_style; }
    bool chaptersStartPages() const { return m_chaptersStartPages; }
    const std::vector<CleanupRule> &cleanupRules() const { return m_cleaner.rules(); }
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
    static QStringView settable(QStringView paragraph, QString &storage);
    QStringView cleaned(QStringView paragraph, QString &storage, QString *substitutes = nullptr) const;
    static void showSubstitutes(PlacedLine &placedLine, const QString &substitutes, qsizetype offset);
    static void hideUnset(PlacedLine &placedLine, QStringView paragraph, qsizetype offset);
    static qsizetype paragraphEnd(QStringView text, qsizetype at, const std::vector<qsizetype> &joinedLineEnds);
    static bool isWide(QChar c);
    static void hideLineEnds(PlacedLine &placedLine, QStringView line, qsizetype lineOffset);
    void placeHeading(QStringView paragraph, qsizetype offset, qreal &y,
                      std::vector<PlacedLine> &lines) const;
    static bool textRunsOnPast(const PagedText &pages, int page, const std::vector<Chapter> &headings);
    void endOnLastRow(std::vector<PlacedLine> &lines) const;

    TypesetStyle m_style;
    QSizeF m_area;
    bool m_chaptersStartPages;
    Typesetter m_body;
    Typesetter m_heading;
    qreal m_lineHeight;
    LineCleaner m_cleaner;
    bool m_facingPages = false;
};

#endif
