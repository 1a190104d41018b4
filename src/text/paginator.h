#ifndef PAGINATOR_H
#define PAGINATOR_H

#include "chapterdetector.h"
#include "cleanuprule.h"
#include "pagecutter.h"
#include "pagedtext.h"
#include "typesetstyle.h"

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringView>
#include <QTextOption>

class BookLayout;
class MeasuringFonts;
class QThreadPool;
class SimpleGlyphs;

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// What a page is cut for: the font the page widget draws with and the size of its text area,
// and whether every chapter heading begins a page of its own, set in bold.
struct PageFormat
{
    PageFormat() = default;
    PageFormat(const QFont &font, const QSize &textArea, bool chaptersStartPages = true,
               const TypesetStyle &style = TypesetStyle())
        : font(font), textArea(textArea), chaptersStartPages(chaptersStartPages), style(style)
    {
    }

    QFont font;
    QSize textArea;
    bool chaptersStartPages = true;
    TypesetStyle style;
    // The book's clean-up rules, used by the book layout; unset for the built-in ones.
    std::optional<std::vector<CleanupRule>> cleanupRules;
};

// Cuts a book into pages. A page holds whole paragraphs (a paragraph is one line of the
// file), as many as fit the text area one below the other, each followed by "\n". A
// paragraph taller than a page is carried over several pages at the start of a wrapped
// line, so no line is ever cut off. Heights are the ones QPainter::drawText gives the page
// with textOption(), so every page is shown whole. Given the book's headings (ChapterDetector)
// and a format whose chapters start pages, each heading begins a page and is measured in the
// bold heading font PageRenderer draws it in; the pages still join to the text.
class Paginator
{
public:
    using Cancelled = std::function<bool()>;

    // Measures on the given pool's threads, or on the calling thread alone without one.
    // Not Qt's global pool: QPainter fills large areas on its threads, and a window that
    // paints while a book is measured must not wait for them.
    explicit Paginator(const PageFormat &format, QThreadPool *pool = nullptr);

    std::vector<QString> paginate(QStringView text,
                                  const std::vector<Chapter> &headings = {}) const;
    std::vector<QString> paginate(const std::vector<QStringView> &paragraphs,
                                  const Cancelled &isCancelled = {}) const;
    std::vector<QString> paginate(const std::vector<QStringView> &paragraphs,
                                  const std::vector<Chapter> &headings,
                                  const Cancelled &isCancelled = {}) const;
    // The same cut as the lengths of the pages only, for pages kept as views of the text.
    std::vector<qsizetype> pageLengths(const std::vector<QStringView> &paragraphs,
                                       const std::vector<Chapter> &headings,
                                       const Cancelled &isCancelled = {}) const;

    // Paragraphs as pieces short enough to lay out at once, in reading order, not measured;
    // the paragraphs that start where a heading does are marked as headings. The book
    // layout sets a paragraph whole, however long.
    static std::vector<TextRun> piecesOf(const std::vector<QStringView> &paragraphs,
                                         const std::vector<Chapter> &headings = {},
                                         bool splitLong = true);
    // Measures the pieces from first to last, in parallel where there is a pool; the runs
    // they fill on pages come back in reading order. Stops early, returning what it has,
    // once isCancelled returns true.
    std::vector<TextRun> measure(const std::vector<TextRun> &pieces, size_t first, size_t last,
                                 const Cancelled &isCancelled = {}) const;

    qreal pageHeight() const { return m_format.textArea.height(); }

    // How page text is laid out, here and where it is drawn: top left, wrapped between words,
    // and inside a word only where the word alone is wider than the line (a long link, say),
    // which would otherwise run off the page's edge.
    static QTextOption textOption();

    // The paragraphs of a text: it is split at "\r\n", "\n" and "\r", so a text that ends
    // with a line break ends with an empty paragraph.
    static std::vector<QStringView> paragraphsOf(QStringView text);
    // Makes every line end of a text one "\n", in place: "\r\n" and a lone "\r" alike. In one
    // pass, each stretch between two line ends moved once, so a book of a million lines costs
    // no more than a copy of it.
    static void unifyLineEnds(QString &text);
    // The text a page list was cut from ("\n" line ends), and its paragraphs.
    static QString textOf(const std::vector<QString> &pages);
    static std::vector<QStringView> paragraphsOfPages(const QString &textOfPages);

    // Where page starts lie in the text the pages were cut from.
    static qsizetype offsetOfPage(const std::vector<QString> &pages, int page);
    static int pageAtOffset(const std::vector<QString> &pages, qsizetype offset);
    static qsizetype offsetOfPage(const PagedText &pages, int page) { return pages.startOf(page); }
    static int pageAtOffset(const PagedText &pages, qsizetype offset) { return pages.pageAt(offset); }
    // Whether a page begins with (the rest of) a heading, to be drawn in the heading font:
    // pass the headings the pages were cut with, or none if chapters did not start pages.
    static bool startsWithHeading(const std::vector<QString> &pages, int page,
                                  const std::vector<Chapter> &headings);
    static bool startsWithHeading(const PagedText &pages, int page, const std::vector<Chapter> &headings);

    struct Line
    {
        qsizetype start;
        qreal height;
    };
    // Where the lines of a piece start and how much height each takes on the page: worked
    // out from the glyph advances where the piece is plain Chinese text in the font's own
    // face (most of a Chinese novel, and several times faster), laid out by Qt otherwise.
    // The fonts are the calling thread's own, made for this paginator's format.
    std::vector<Line> linesOf(const MeasuringFonts &fonts, QStringView piece) const;
    // The same, always laid out by Qt's text layout, in any font and line width.
    static std::vector<Line> laidOutLinesOf(QStringView piece, const QFont &font, qreal lineWidth);
    static qreal heightOf(const std::vector<Line> &lines);

private:
    void measurePiece(const MeasuringFonts &fonts, const BookLayout *book, const TextRun &piece,
                      std::vector<TextRun> &runs) const;
    static qsizetype pieceEnd(QStringView paragraph, qsizetype start);

    PageFormat m_format;
    QThreadPool *m_pool;
    std::shared_ptr<SimpleGlyphs> m_simpleGlyphs;
    qreal m_simpleLineHeight = 0.0;
};

#endif
