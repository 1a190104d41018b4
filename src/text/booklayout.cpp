#include "booklayout.h"

#include "paginator.h"

#include <algorithm>
#include <cmath>

BookLayout::BookLayout(const QFont &font, const QSizeF &area, const TypesetStyle &style,
                       bool chaptersStartPages, const std::vector<CleanupRule> &cleanupRules)
    : m_style(style)
    , m_area(area)
    , m_chaptersStartPages(chaptersStartPages)
    , m_body(font, area.width(), style.justify)
    , m_heading(headingFontFor(font), area.width(), false)
    , m_lineHeight(m_body.metrics().height() * style.lineSpacing / 100.0)
    , m_cleaner(cleanupRules)
{
}

QFont BookLayout::headingFontFor(const QFont &font)
{
    QFont heading = font;
    heading.setPointSizeF(font.pointSizeF() * 1.4);
    heading.setBold(true);
    return heading;
}

bool BookLayout::isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

// Chinese characters are joined straight on, words with a space.
bool BookLayout::isWide(QChar c)
{
    return c.unicode() >= 0x1100;
}

bool BookLayout::isVisible(QStringView line) const
{
    const Paragraph paragraph = trimmed(line, true);
    return paragraph.end > paragraph.start && m_cleaner.droppingRule(line) < 0;
}

BookLayout::Paragraph BookLayout::trimmed(QStringView line, bool trimEnd)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && isSpace(line[start]))
        ++start;
    while (trimEnd && end > start && isSpace(line[end - 1]))
        --end;
    return { start, end };
}

bool BookLayout::isTitlePage(QStringView paragraph) const
{
    return m_chaptersStartPages && ChapterDetector::levelOf(paragraph) == Chapter::Volume;
}

qreal BookLayout::headingLineHeight() const
{
    return m_heading.metrics().height() * 1.3;
}

qreal BookLayout::paragraphSpace() const
{
    return m_lineHeight * m_style.paragraphSpacing / 100.0;
}

void BookLayout::addRunsOf(QStringView line, bool isHeading, std::vector<TextRun> &runs) const
{
    if (!isVisible(line)) {
        runs.push_back({ line, 0.0, true, false });
        return;
    }
    const Paragraph paragraph = trimmed(line, true);
    QString storage;
    const QStringView text = cleaned(line.sliced(paragraph.start, paragraph.end - paragraph.start), storage);
    if (isHeading && isTitlePage(text)) {
        runs.push_back({ line, m_area.height(), true, true });
        return;
    }
    const std::vector<TypesetLine> lines = isHeading
            ? m_heading.linesOf(text, 0.0)
            : m_body.linesOf(text, m_style.indent * m_body.em());
    const int count = int(lines.size());
    for (int k = 0; k < count; ++k) {
        const qsizetype from = k == 0 ? 0 : paragraph.start + lines[size_t(k)].start;
        const qsizetype to = k + 1 < count ? paragraph.start + lines[size_t(k) + 1].start : line.size();
        TextRun run{ line.sliced(from, to - from), m_lineHeight, k + 1 == count, false };
        if (isHeading) {
            run.height = headingLineHeight() + (k + 1 == count ? spaceBelowHeading() : 0.0);
            run.isHeading = k == 0 && m_chaptersStartPages;
            run.spaceBefore = k == 0 ? spaceAboveHeading() : 0.0;
            // The heading goes on with the first two lines of its text.
            run.keepWithNext = k == 0 ? count + 1 : 0;
        } else {
            run.spaceBefore = k == 0 ? paragraphSpace() : 0.0;
        }
        runs.push_back(run);
    }
}

std::vector<PlacedLine> BookLayout::linesOfPage(QStringView page, bool startsInsideLine,
                                                QStringView following, bool followingEndsLine,
                                                const std::vector<qsizetype> &headingStarts,
                                                const std::vector<qsizetype> &joinedLineEnds) const
{
    std::vector<PlacedLine> placedLines;
    qreal y = 0.0;
    for (qsizetype at = 0; at < page.size();) {
        const qsizetype lineEnd = paragraphEnd(page, at, joinedLineEnds);
        const bool endsOnPage = lineEnd >= 0;
        const qsizetype end = endsOnPage ? lineEnd : page.size();
        QString joined;
        QStringView line = page.sliced(at, end - at);
        if (!endsOnPage) {
            joined = line.toString() + following.toString();
            line = joined;
        }
        const bool complete = endsOnPage || followingEndsLine;
        const bool goesOn = at == 0 && startsInsideLine;
        if (goesOn || isVisible(line)) {
            const Paragraph paragraph = goesOn ? Paragraph{ 0, trimmed(line, complete).end }
                                               : trimmed(line, complete);
            QString storage;
            QString substitutes;
            const QStringView text = cleaned(line.sliced(paragraph.start, paragraph.end - paragraph.start), storage,
                                             &substitutes);
            const qsizetype offset = at + paragraph.start;
            const bool isHeading = !goesOn
                    && std::find(headingStarts.begin(), headingStarts.end(), at) != headingStarts.end();
            if (isHeading) {
                placeHeading(text, offset, y, placedLines);
            } else {
                const std::vector<TypesetLine> lines =
                        m_body.linesOf(text, goesOn ? 0.0 : m_style.indent * m_body.em(), complete);
                for (size_t k = 0; k < lines.size() && offset + lines[k].start < page.size(); ++k) {
                    if (k == 0 && !goesOn && y > 0.0)
                        y += paragraphSpace();
                    placedLines.push_back(placed(m_body, text, lines[k], offset, y, m_lineHeight));
                    hideLineEnds(placedLines.back(), line, at);
                    hideUnset(placedLines.back(), text, offset);
                    showSubstitutes(placedLines.back(), substitutes, offset);
                    y += m_lineHeight;
                }
            }
        }
        at = endsOnPage ? lineEnd + 1 : page.size();
    }
    return placedLines;
}

std::vector<PlacedLine> BookLayout::linesOfPage(const std::vector<QString> &pages, int page,
                                                const std::vector<Chapter> &headings,
                                                const std::vector<qsizetype> &joinedLineEnds) const
{
    return linesOfPage(PagedText(pages), page, headings, joinedLineEnds);
}

std::vector<PlacedLine> BookLayout::linesOfPage(const PagedText &pages, int page,
                                                const std::vector<Chapter> &headings,
                                                const std::vector<qsizetype> &joinedLineEnds) const
{
    if (page < 0 || page >= pages.size())
        return {};
    const QStringView text = pages.page(page);
    const qsizetype pageStart = pages.startOf(page);
    const auto joinsIn = [&joinedLineEnds](qsizetype from, qsizetype to) {
        std::vector<qsizetype> joins;
        for (auto join = std::lower_bound(joinedLineEnds.begin(), joinedLineEnds.end(), from);
             join != joinedLineEnds.end() && *join < to; ++join)
            joins.push_back(*join - from);
        return joins;
    };
    const bool startsInsideLine = page > 0
            && (!pages.page(page - 1).endsWith(u'\n')
                || std::binary_search(joinedLineEnds.begin(), joinedLineEnds.end(), pageStart - 1));
    const std::vector<qsizetype> joins = joinsIn(pageStart, pageStart + text.size());
    QStringView following;
    bool followingEndsLine = true;
    const bool endsParagraph = text.endsWith(u'\n') && (joins.empty() || joins.back() != text.size() - 1);
    if (!endsParagraph && page + 1 < pages.size()) {
        const QStringView next = pages.page(page + 1);
        const qsizetype nextStart = pageStart + text.size();
        const qsizetype lineEnd = paragraphEnd(next, 0, joinsIn(nextStart, nextStart + next.size()));
        following = lineEnd < 0 ? next : next.first(lineEnd);
        followingEndsLine = lineEnd >= 0 || page + 2 == pages.size();
    }
    std::vector<qsizetype> headingStarts;
    for (const Chapter &heading : headings) {
        if (heading.level != Chapter::Passage && heading.offset >= pageStart
            && heading.offset < pageStart + text.size())
            headingStarts.push_back(heading.offset - pageStart);
    }
    std::vector<PlacedLine> lines = linesOfPage(text, startsInsideLine, following, followingEndsLine,
                                                headingStarts, joins);
    if (m_facingPages && textRunsOnPast(pages, page, headings))
        endOnLastRow(lines);
    return lines;
}

// Whether the page after this one goes on with the text rather than starting a chapter.
bool BookLayout::textRunsOnPast(const PagedText &pages, int page, const std::vector<Chapter> &headings)
{
    if (page + 1 >= pages.size())
        return false;
    const qsizetype next = pages.startOf(page + 1);
    return std::none_of(headings.begin(), headings.end(), [next](const Chapter &heading) {
        return heading.level != Chapter::Passage && heading.offset == next;
    });
}

// The last row of the grid is where a page of body lines alone ends. The gaps are scaled
// together, never below nothing and grown at most by what a page can have left over when its
// next line did not fit, so a page that cannot get there without a visible hole keeps its
// lines where they were set.
void BookLayout::endOnLastRow(std::vector<PlacedLine> &lines) const
{
    if (lines.size() < 2 || lines.back().heading)
        return;
    const qreal lastRow = std::floor(m_area.height() / m_lineHeight + 1e-9) * m_lineHeight;
    const qreal change = lastRow - (lines.back().top + lines.back().height);
    std::vector<qreal> gaps(lines.size(), 0.0);
    qreal allGaps = 0.0;
    for (size_t k = 1; k < lines.size(); ++k) {
        gaps[k] = qMax(0.0, lines[k].top - (lines[k - 1].top + lines[k - 1].height));
        allGaps += gaps[k];
    }
    if (qAbs(change) < 1e-9 || allGaps <= 0.0 || allGaps + change < 0.0
        || change > m_lineHeight + paragraphSpace())
        return;
    const qreal stretch = change / allGaps;
    qreal shift = 0.0;
    for (size_t k = 1; k < lines.size(); ++k) {
        shift += gaps[k] * stretch;
        lines[k].top += shift;
    }
}

// The "\n" ending the paragraph that goes on at a place, or -1 where it goes on past the text.
qsizetype BookLayout::paragraphEnd(QStringView text, qsizetype at, const std::vector<qsizetype> &joinedLineEnds)
{
    qsizetype end = text.indexOf(u'\n', at);
    while (end >= 0 && std::binary_search(joinedLineEnds.begin(), joinedLineEnds.end(), end))
        end = text.indexOf(u'\n', end + 1);
    return end;
}

// A joined line end set as the space between two words is not drawn: it is no character
// of the text on the page.
void BookLayout::hideLineEnds(PlacedLine &placedLine, QStringView line, qsizetype lineOffset)
{
    for (qsizetype i = placedLine.start; i < placedLine.end; ++i) {
        if (line[i - lineOffset] == u'\n')
            placedLine.x[size_t(i - placedLine.start)] = -1.0;
    }
}

QString BookLayout::settable(QStringView paragraph)
{
    QString shown = paragraph.toString();
    for (qsizetype at = shown.indexOf(u'\n'); at >= 0; at = shown.indexOf(u'\n', at)) {
        qsizetype start = at;
        while (start > 0 && isSpace(shown[start - 1]))
            --start;
        qsizetype end = at + 1;
        while (end < shown.size() && (isSpace(shown[end]) || shown[end] == u'\n'))
            ++end;
        const bool betweenWords = start > 0 && end < shown.size() && !isWide(shown[start - 1]) && !isWide(shown[end]);
        for (qsizetype i = start; i < end; ++i)
            shown[i] = i == start && betweenWords ? QChar(u' ') : QChar(Typesetter::ZeroWidthSpace);
    }
    return shown;
}

QStringView BookLayout::settable(QStringView paragraph, QString &storage)
{
    if (!paragraph.contains(u'\n'))
        return paragraph;
    storage = settable(paragraph);
    return storage;
}

// What the span rules match is set as nothing, keeping the paragraph's length: the page's
// text stays the file's, so places and search hits do not move.
// A line a rule drops inside a paragraph joined across line ends is set as nothing too. A
// span's replacement takes the place of its first characters (as many as the span has), the
// rest of the span set as nothing; substitutes, when asked for, tells which characters are
// drawn instead of the page's.
QStringView BookLayout::cleaned(QStringView paragraph, QString &storage, QString *substitutes) const
{
    std::vector<LineCleaner::Span> spans = m_cleaner.spans(paragraph);
    if (paragraph.contains(u'\n')) {
        for (qsizetype start = 0, end = 0; start <= paragraph.size(); start = end + 1) {
            end = paragraph.indexOf(u'\n', start);
            if (end < 0)
                end = paragraph.size();
            if (m_cleaner.droppingRule(paragraph.sliced(start, end - start)) >= 0)
                spans.push_back({ start, end, QString() });
        }
    }
    if (spans.empty())
        return settable(paragraph, storage);
    storage = settable(paragraph);
    for (const LineCleaner::Span &span : spans) {
        const qsizetype replaced = qMin(span.replacement.size(), span.end - span.start);
        std::copy_n(span.replacement.begin(), replaced, storage.begin() + span.start);
        std::fill(storage.begin() + span.start + replaced, storage.begin() + span.end,
                  QChar(Typesetter::ZeroWidthSpace));
        if (substitutes && replaced > 0) {
            if (substitutes->isEmpty())
                substitutes->fill(QChar(), paragraph.size());
            std::copy_n(span.replacement.begin(), replaced, substitutes->begin() + span.start);
        }
    }
    return storage;
}

void BookLayout::showSubstitutes(PlacedLine &placedLine, const QString &substitutes, qsizetype offset)
{
    if (substitutes.isEmpty())
        return;
    const qsizetype from = qBound(qsizetype(0), placedLine.start - offset, substitutes.size());
    const qsizetype to = qBound(from, placedLine.end - offset, substitutes.size());
    const QString shown = substitutes.sliced(from, to - from);
    if (std::any_of(shown.begin(), shown.end(), [](QChar c) { return !c.isNull(); }))
        placedLine.shown = shown.leftJustified(placedLine.end - placedLine.start, QChar());
}

// A character set as nothing is not drawn either.
void BookLayout::hideUnset(PlacedLine &placedLine, QStringView paragraph, qsizetype offset)
{
    for (qsizetype i = placedLine.start; i < placedLine.end; ++i) {
        const qsizetype at = i - offset;
        if (at >= 0 && at < paragraph.size() && paragraph[at] == QChar(Typesetter::ZeroWidthSpace))
            placedLine.x[size_t(i - placedLine.start)] = -1.0;
    }
}

qreal BookLayout::advanceOf(const PlacedLine &line, QStringView page, qsizetype at) const
{
    return (line.heading ? m_heading : m_body).advanceAt(page, at);
}

// A volume's title page holds its heading alone, a little above the middle.
void BookLayout::placeHeading(QStringView paragraph, qsizetype offset, qreal &y,
                              std::vector<PlacedLine> &lines) const
{
    const std::vector<TypesetLine> headingLines = m_heading.linesOf(paragraph, 0.0);
    const qreal height = headingLineHeight();
    const bool titlePage = isTitlePage(paragraph);
    if (titlePage)
        y = qMax(0.0, (m_area.height() - height * qreal(headingLines.size())) * 0.4);
    else if (y > 0.0)
        y += spaceAboveHeading();
    for (const TypesetLine &line : headingLines) {
        PlacedLine placedLine = placed(m_heading, paragraph, line, offset, y, height);
        placedLine.left = (m_area.width() - m_heading.widthOf(paragraph, line)) / 2;
        placedLine.heading = true;
        hideUnset(placedLine, paragraph, offset);
        lines.push_back(std::move(placedLine));
        y += height;
    }
    y = titlePage ? m_area.height() : y + spaceBelowHeading();
}

PlacedLine BookLayout::placed(const Typesetter &typesetter, QStringView paragraph,
                              const TypesetLine &line, qsizetype offset, qreal top, qreal height) const
{
    const QFontMetricsF &metrics = typesetter.metrics();
    PlacedLine placedLine;
    placedLine.start = offset + line.start;
    placedLine.end = offset + line.end;
    placedLine.x = typesetter.positionsOf(paragraph, line, &placedLine.right);
    placedLine.top = top;
    placedLine.height = height;
    placedLine.baseline = (height - metrics.height()) / 2 + metrics.ascent();
    return placedLine;
}
