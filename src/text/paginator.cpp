#include "paginator.h"

#include "booklayout.h"
#include "measuringfonts.h"
#include "simpleglyphs.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <QtConcurrent>
#include <QtMath>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <optional>

namespace {

// Paragraphs are measured in batches of about this much text, so the pool's threads share
// the work in parts large enough to outweigh their hand-over and small enough to stop soon
// when the work is cancelled.
constexpr size_t CharactersPerBatch = 64 * 1024;
constexpr size_t PiecesPerBatch = 1024;

// Longer paragraphs (a whole book on one line, say) are laid out in pieces of at most this
// many characters, cut where a line may break, so no single layout grows without bound.
constexpr qsizetype MaxPieceLength = 4096;

}

Paginator::Paginator(const PageFormat &format, QThreadPool *pool)
    : m_format(format)
    , m_pool(pool)
    , m_simpleGlyphs(std::make_shared<SimpleGlyphs>())
{
    // Every line the simple path breaks holds glyphs of the font's own face only, so all
    // of them are as tall as a line of one ideograph.
    m_simpleLineHeight = laidOutLinesOf(u"\u4E2D", MeasuringFonts::detachedCopy(format.font),
                                        format.textArea.width())
                                 .front()
                                 .height;
}

std::vector<QString> Paginator::paginate(QStringView text, const std::vector<Chapter> &headings) const
{
    return paginate(paragraphsOf(text), headings);
}

std::vector<QString> Paginator::paginate(const std::vector<QStringView> &paragraphs,
                                         const Cancelled &isCancelled) const
{
    return paginate(paragraphs, {}, isCancelled);
}

std::vector<QString> Paginator::paginate(const std::vector<QStringView> &paragraphs,
                                         const std::vector<Chapter> &headings,
                                         const Cancelled &isCancelled) const
{
    const std::vector<TextRun> pieces = piecesOf(paragraphs, headings, !m_format.style.book);
    PageCutter cutter(pageHeight());
    for (const TextRun &run : measure(pieces, 0, pieces.size(), isCancelled))
        cutter.add(run);
    cutter.finish();
    return cutter.takePages();
}

std::vector<qsizetype> Paginator::pageLengths(const std::vector<QStringView> &paragraphs,
                                              const std::vector<Chapter> &headings,
                                              const Cancelled &isCancelled) const
{
    const std::vector<TextRun> pieces = piecesOf(paragraphs, headings, !m_format.style.book);
    PageCutter cutter(pageHeight(), PageCutter::Keep::LengthsOnly);
    for (const TextRun &run : measure(pieces, 0, pieces.size(), isCancelled))
        cutter.add(run);
    cutter.finish();
    return cutter.pageLengths();
}

std::vector<TextRun> Paginator::measure(const std::vector<TextRun> &pieces, size_t first,
                                        size_t last, const Cancelled &isCancelled) const
{
    std::vector<std::pair<size_t, size_t>> batches;
    for (size_t batchStart = first, length = 0, i = first; i < last; ++i) {
        length += size_t(pieces[i].text.size());
        if (length >= CharactersPerBatch || i + 1 - batchStart == PiecesPerBatch || i + 1 == last) {
            batches.emplace_back(batchStart, i + 1);
            batchStart = i + 1;
            length = 0;
        }
    }

    // Each worker measures with fonts of its own thread, built when it starts and dropped
    // before it ends, and takes batches until none is left.
    std::vector<std::vector<TextRun>> measured(batches.size());
    std::atomic<size_t> nextBatch{ 0 };
    const auto measureBatches = [&](int) {
        const MeasuringFonts fonts(m_format.font);
        std::optional<BookLayout> book;
        if (m_format.style.book)
            book.emplace(fonts.text(), QSizeF(m_format.textArea), m_format.style, m_format.chaptersStartPages,
                         m_format.cleanupRules.value_or(LineCleaner::builtInRules()));
        for (size_t batch = nextBatch++; batch < batches.size(); batch = nextBatch++) {
            measured[batch].reserve(batches[batch].second - batches[batch].first);
            for (size_t i = batches[batch].first; i < batches[batch].second; ++i) {
                if (isCancelled && isCancelled())
                    return;
                measurePiece(fonts, book ? &*book : nullptr, pieces[i], measured[batch]);
            }
        }
    };
    if (m_pool && batches.size() > 1) {
        // The calling thread measures too.
        std::vector<int> workers(size_t(qMin(qsizetype(batches.size()), qsizetype(m_pool->maxThreadCount()) + 1)));
        QtConcurrent::blockingMap(m_pool, workers, measureBatches);
    } else if (!batches.empty()) {
        measureBatches(0);
    }

    std::vector<TextRun> runs;
    runs.reserve(last - first);
    for (const std::vector<TextRun> &batch : measured)
        runs.insert(runs.end(), batch.begin(), batch.end());
    return runs;
}

std::vector<TextRun> Paginator::piecesOf(const std::vector<QStringView> &paragraphs,
                                         const std::vector<Chapter> &headings, bool splitLong)
{
    std::vector<TextRun> pieces;
    pieces.reserve(paragraphs.size());
    auto heading = headings.begin();
    qsizetype offset = 0;
    for (QStringView paragraph : paragraphs) {
        while (heading != headings.end() && heading->offset < offset)
            ++heading;
        const bool isHeading = heading != headings.end() && heading->offset == offset
                && heading->level != Chapter::Passage;
        qsizetype start = 0;
        do {
            const qsizetype end = splitLong ? pieceEnd(paragraph, start) : paragraph.size();
            pieces.push_back({ paragraph.sliced(start, end - start), 0.0, end == paragraph.size(),
                               isHeading && start == 0 });
            start = end;
        } while (start < paragraph.size());
        offset += paragraph.size() + 1;
    }
    return pieces;
}

// A piece taller than a page goes on over the next pages, each part from a line's start. A
// heading is set in the heading font, all of it, though only its first run starts a page.
void Paginator::measurePiece(const MeasuringFonts &fonts, const BookLayout *book,
                             const TextRun &piece, std::vector<TextRun> &runs) const
{
    if (book) {
        book->addRunsOf(piece.text, piece.isHeading, runs);
        return;
    }
    const bool isHeading = piece.isHeading && m_format.chaptersStartPages;
    const std::vector<Line> lines = isHeading
            ? laidOutLinesOf(piece.text, fonts.heading(), m_format.textArea.width())
            : linesOf(fonts, piece.text);
    const qreal limit = pageHeight();
    qsizetype runStart = 0;
    qreal runHeight = 0.0;
    for (const Line &line : lines) {
        if (runHeight + line.height > limit && runHeight > 0.0) {
            runs.push_back({ piece.text.sliced(runStart, line.start - runStart), runHeight, false,
                             isHeading && runStart == 0 });
            runStart = line.start;
            runHeight = 0.0;
        }
        runHeight += line.height;
    }
    runs.push_back({ piece.text.sliced(runStart), runHeight, piece.endsParagraph,
                     isHeading && runStart == 0 });
}

std::vector<Paginator::Line> Paginator::linesOf(const MeasuringFonts &fonts, QStringView piece) const
{
    std::vector<Line> lines;
    if (!m_simpleGlyphs->breakSimply(fonts, piece, m_format.textArea.width(), m_simpleLineHeight, lines))
        lines = laidOutLinesOf(piece, fonts.text(), m_format.textArea.width());
    return lines;
}

// QPainter::drawText places every line of a word-wrapped text on a whole pixel below the
// previous one, so each line takes its height rounded up. Summing the rounded heights can
// overestimate the last line of a page by under a pixel, never underestimate it.
std::vector<Paginator::Line> Paginator::laidOutLinesOf(QStringView piece, const QFont &font,
                                                       qreal lineWidth)
{
    const qreal leading = QFontMetricsF(font).leading();
    QTextLayout layout(piece.toString(), font);
    layout.setTextOption(textOption());
    layout.setCacheEnabled(false);
    std::vector<Line> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        lines.push_back({ line.textStart(), qreal(qCeil(line.height() + leading)) });
    }
    layout.endLayout();
    return lines;
}

qreal Paginator::heightOf(const std::vector<Line> &lines)
{
    return std::accumulate(lines.begin(), lines.end(), 0.0,
                           [](qreal sum, const Line &line) { return sum + line.height; });
}

qsizetype Paginator::pieceEnd(QStringView paragraph, qsizetype start)
{
    if (paragraph.size() - start <= MaxPieceLength)
        return paragraph.size();
    const QStringView window = paragraph.sliced(start, MaxPieceLength);
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, window.data(), window.size());
    breaks.setPosition(window.size());
    const qsizetype lastBreak = breaks.toPreviousBoundary();
    if (lastBreak > MaxPieceLength / 2)
        return start + lastBreak;
    // No place to break a line (a run of letters or NULs): cut anyway, but never inside a
    // surrogate pair.
    qsizetype end = start + MaxPieceLength;
    if (paragraph[end - 1].isHighSurrogate())
        --end;
    return end;
}

QTextOption Paginator::textOption()
{
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

// Books mostly end their lines with "\n" or "\r\n": lines are found with Qt's vectorised
// search for "\n", and only a line that still holds a "\r" is split again.
std::vector<QStringView> Paginator::paragraphsOf(QStringView text)
{
    std::vector<QStringView> paragraphs;
    paragraphs.reserve(size_t(text.size() / 64));
    const auto addSplitAtReturns = [&paragraphs](QStringView line) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        for (qsizetype at = line.indexOf(u'\r'); at >= 0; at = line.indexOf(u'\r')) {
            paragraphs.push_back(line.first(at));
            line = line.sliced(at + 1);
        }
        paragraphs.push_back(line);
    };
    qsizetype start = 0;
    for (qsizetype end = text.indexOf(u'\n'); end >= 0; end = text.indexOf(u'\n', start)) {
        addSplitAtReturns(text.sliced(start, end - start));
        start = end + 1;
    }
    // The last line has no "\n" to end it: a "\r" there ends a line of its own.
    QStringView last = text.sliced(start);
    const bool endsInReturn = last.endsWith(u'\r');
    addSplitAtReturns(last);
    if (endsInReturn)
        paragraphs.emplace_back(last.last(0));
    return paragraphs;
}

void Paginator::unifyLineEnds(QString &text)
{
    qsizetype at = text.indexOf(u'\r');
    if (at < 0)
        return;
    const qsizetype size = text.size();
    QChar *data = text.data();
    qsizetype to = at;
    while (at < size) {
        data[to++] = u'\n';
        at += at + 1 < size && data[at + 1] == u'\n' ? 2 : 1;
        qsizetype next = text.indexOf(u'\r', at);
        if (next < 0)
            next = size;
        std::copy(data + at, data + next, data + to);
        to += next - at;
        at = next;
    }
    text.truncate(to);
}

QString Paginator::textOf(const std::vector<QString> &pages)
{
    QString text;
    text.reserve(offsetOfPage(pages, int(pages.size())));
    for (const QString &page : pages)
        text += page;
    return text;
}

std::vector<QStringView> Paginator::paragraphsOfPages(const QString &textOfPages)
{
    // Pages end their last paragraph with "\n", which is no paragraph of its own.
    std::vector<QStringView> paragraphs = paragraphsOf(textOfPages);
    if (textOfPages.endsWith(u'\n'))
        paragraphs.pop_back();
    return paragraphs;
}

qsizetype Paginator::offsetOfPage(const std::vector<QString> &pages, int page)
{
    const int end = qBound(0, page, int(pages.size()));
    return std::accumulate(pages.begin(), pages.begin() + end, qsizetype(0),
                           [](qsizetype sum, const QString &text) { return sum + text.size(); });
}

bool Paginator::startsWithHeading(const std::vector<QString> &pages, int page,
                                  const std::vector<Chapter> &headings)
{
    return !headings.empty() && page >= 0 && page < int(pages.size())
            && ChapterDetector::isInHeading(headings, offsetOfPage(pages, page));
}

bool Paginator::startsWithHeading(const PagedText &pages, int page, const std::vector<Chapter> &headings)
{
    return !headings.empty() && page >= 0 && page < pages.size()
            && ChapterDetector::isInHeading(headings, pages.startOf(page));
}

int Paginator::pageAtOffset(const std::vector<QString> &pages, qsizetype offset)
{
    qsizetype pageStart = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        pageStart += pages[i].size();
        if (offset < pageStart)
            return int(i);
    }
    return qMax(0, int(pages.size()) - 1);
}
