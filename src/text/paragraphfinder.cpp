#include "paragraphfinder.h"

#include "chapterdetector.h"
#include "linecleaner.h"
#include "paginator.h"

#include <algorithm>

namespace {

// A book needs this many lines of text before its lines say how it was written; this many,
// spread over it, say it well enough for any book.
constexpr size_t MinimumLinesToJudge = 8;
constexpr size_t LinesToJudge = 4096;
// Lines are measured in columns, a Chinese character taking two. Narrower wrapping than
// this is verse, whose lines stay as they are.
constexpr qsizetype MinimumWrapWidth = 50;
constexpr qsizetype MaximumWrapWidth = 200;
// The longest lines but the few longest set the width a hard-wrapped book was broken at.
constexpr double WrapWidthQuantile = 0.9;
// A line this close to the width is full: words may leave the end of a line this short of it.
constexpr double FullLineShare = 0.8;
// In a hard-wrapped book most lines are full and most full ones end inside a sentence.
constexpr double FullLinesInWrappedBook = 0.5;
constexpr double RunOnLinesInWrappedBook = 0.5;
// Where (nearly) every line is indented, an indent marks no paragraph.
constexpr double IndentedLinesMarkingNothing = 0.8;

constexpr QStringView SentenceEnds = u"。！？!?.…”」』\"'：:";
constexpr QStringView ListMarks = u"-*•·●○■□◆◇";
constexpr QStringView ChineseNumerals = u"一二三四五六七八九十";
constexpr QStringView ItemNumberEnds = u".．、)）";

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool isWide(QChar c)
{
    return c.unicode() >= 0x1100;
}

// A plain search: QStringView::contains(QChar) goes through the general substring search,
// which costs far more on every line of a long book.
bool isOneOf(QChar c, QStringView set)
{
    const char16_t *const end = set.utf16() + set.size();
    return std::find(set.utf16(), end, c.unicode()) != end;
}

qsizetype columns(QStringView text)
{
    const char16_t *const begin = text.utf16();
    return text.size() + std::count_if(begin, begin + text.size(), [](char16_t c) { return isWide(QChar(c)); });
}

// "1.", "2)", "一、", "（一）", "- ", "• ": an item of a list starts a line of its own.
bool startsListItem(QStringView line)
{
    if (line.isEmpty())
        return false;
    if (isOneOf(line.front(), ListMarks))
        return true;
    qsizetype i = (line.front() == u'(' || line.front() == u'（') ? 1 : 0;
    const qsizetype numberStart = i;
    while (i < line.size() && (line[i].isDigit() || isOneOf(line[i], ChineseNumerals)))
        ++i;
    return i > numberStart && i < line.size() && isOneOf(line[i], ItemNumberEnds);
}

// A site's watermark stands on a line of its own, which the book layout leaves out.
bool isWatermark(QStringView line)
{
    return LineCleaner::isWebAddressLine(line) || LineCleaner::isSpelledOutSiteLine(line);
}

bool holdsText(QStringView line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return !isSpace(c); });
}

bool isHeading(QStringView line)
{
    return line.size() <= ChapterDetector::MaxHeadingLength && ChapterDetector::mayStartHeading(line.front())
            && ChapterDetector::levelOf(line) >= 0;
}

}

ParagraphFinder::ParagraphFinder(QStringView text) : ParagraphFinder(text, Paginator::paragraphsOf(text)) { }

ParagraphFinder::ParagraphFinder(QStringView text, const std::vector<QStringView> &lines)
{
    const size_t textLines = size_t(std::count_if(lines.begin(), lines.end(), holdsText));
    decideWrapping(text, lines, textLines);
    joinParagraphs(text, lines, textLines);
}

ParagraphFinder::Line ParagraphFinder::trimmed(QStringView text, QStringView line)
{
    const qsizetype start = line.data() - text.data();
    const qsizetype end = start + line.size();
    qsizetype first = start;
    while (first < end && isSpace(text[first]))
        ++first;
    qsizetype last = end;
    while (last > first && isSpace(text[last - 1]))
        --last;
    Line trimmedLine;
    trimmedLine.start = first;
    trimmedLine.end = last;
    trimmedLine.indented = first > start;
    return trimmedLine;
}

// Each line is weighed once, though it is looked at both as the line that may run on and as
// the one it would run on into.
ParagraphFinder::Line ParagraphFinder::judged(QStringView text, QStringView line) const
{
    Line judgedLine = trimmed(text, line);
    if (m_hardWrapped && !judgedLine.isBlank()) {
        const QStringView lineText = text.sliced(judgedLine.start, judgedLine.end - judgedLine.start);
        judgedLine.full = isFull(lineText);
        judgedLine.heading = isHeading(lineText);
    }
    return judgedLine;
}

// The lines judged are a sample spread evenly over the book's lines of text, so a long book
// costs no more to judge than a few thousand lines do.
void ParagraphFinder::decideWrapping(QStringView text, const std::vector<QStringView> &lines, size_t textLines)
{
    if (textLines < MinimumLinesToJudge)
        return;
    const size_t step = std::max<size_t>(1, textLines / LinesToJudge);
    std::vector<Line> sample;
    std::vector<qsizetype> widths;
    sample.reserve(textLines / step + 1);
    widths.reserve(textLines / step + 1);
    for (size_t i = 0, textLine = 0; i < lines.size(); ++i) {
        if (holdsText(lines[i]) && textLine++ % step == 0) {
            sample.push_back(trimmed(text, lines[i]));
            widths.push_back(columns(text.sliced(sample.back().start, sample.back().end - sample.back().start)));
        }
    }
    std::vector<qsizetype> sorted = widths;
    const auto quantile = sorted.begin() + qsizetype(double(sorted.size() - 1) * WrapWidthQuantile);
    std::nth_element(sorted.begin(), quantile, sorted.end());
    m_wrapWidth = *quantile;
    m_fullWidth = qsizetype(FullLineShare * double(m_wrapWidth));
    if (m_wrapWidth < MinimumWrapWidth || m_wrapWidth > MaximumWrapWidth)
        return;

    size_t full = 0;
    size_t runOn = 0;
    size_t indented = 0;
    for (size_t i = 0; i < sample.size(); ++i) {
        indented += sample[i].indented ? 1 : 0;
        if (widths[i] < m_fullWidth)
            continue;
        ++full;
        runOn += isOneOf(text[sample[i].end - 1], SentenceEnds) ? 0 : 1;
    }
    m_indentsMarkParagraphs = double(indented) < IndentedLinesMarkingNothing * double(sample.size());
    m_hardWrapped = double(full) >= FullLinesInWrappedBook * double(sample.size())
            && double(runOn) >= RunOnLinesInWrappedBook * double(full);
}

bool ParagraphFinder::isFull(QStringView line) const
{
    // Far shorter than the width, or far longer, without counting; else counted only as far
    // as the width.
    if (line.size() * 2 < m_fullWidth)
        return false;
    qsizetype width = line.size();
    for (qsizetype i = 0; i < line.size() && width < m_fullWidth; ++i)
        width += isWide(line[i]) ? 1 : 0;
    return width >= m_fullWidth;
}

bool ParagraphFinder::runsOn(QStringView text, const Line &line, const Line &next) const
{
    if (next.isBlank() || (next.indented && m_indentsMarkParagraphs) || !line.full || line.heading || next.heading)
        return false;
    const QStringView nextText = text.sliced(next.start, next.end - next.start);
    // A watermark is far shorter than a full line: only a paragraph's last line may be one,
    // which keeps the check off most lines of a long book.
    return !startsListItem(nextText) && (next.full || !isWatermark(nextText));
}

// One pass over the lines, each trimmed once, as the joins are decided: a large book's lines
// are never copied.
void ParagraphFinder::joinParagraphs(QStringView text, const std::vector<QStringView> &lines, size_t textLines)
{
    if (lines.empty())
        return;
    m_paragraphs.reserve(textLines);
    if (m_hardWrapped)
        m_joinedLineEnds.reserve(textLines);
    TextRange paragraph;
    bool runsOnFromAbove = false;
    Line line = judged(text, lines.front());
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool hasNext = i + 1 < lines.size();
        const Line next = hasNext ? judged(text, lines[i + 1]) : Line();
        if (!line.isBlank()) {
            if (!runsOnFromAbove)
                paragraph.start = line.start;
            paragraph.end = line.end;
            runsOnFromAbove = m_hardWrapped && hasNext && runsOn(text, line, next);
            if (runsOnFromAbove)
                addLineEndsBetween(text, lines[i], lines[i + 1]);
            else
                m_paragraphs.push_back(paragraph);
        }
        line = next;
    }
}

void ParagraphFinder::addLineEndsBetween(QStringView text, QStringView line, QStringView next)
{
    for (qsizetype at = line.data() + line.size() - text.data(); at < next.data() - text.data(); ++at) {
        if (text[at] == u'\n')
            m_joinedLineEnds.push_back(at);
    }
}

QString ParagraphFinder::textOf(QStringView text, const TextRange &paragraph)
{
    const QStringView range = text.sliced(paragraph.start, paragraph.end - paragraph.start);
    QString joined;
    joined.reserve(range.size());
    qsizetype i = 0;
    while (i < range.size()) {
        if (!isLineEnd(range[i])) {
            joined += range[i++];
            continue;
        }
        while (!joined.isEmpty() && isSpace(joined.back()))
            joined.chop(1);
        while (i < range.size() && (isLineEnd(range[i]) || isSpace(range[i])))
            ++i;
        if (!joined.isEmpty() && i < range.size() && !isWide(joined.back()) && !isWide(range[i]))
            joined += u' ';
    }
    return joined;
}

std::vector<QStringView> ParagraphFinder::joinedLines(QStringView text, const std::vector<QStringView> &lines,
                                                      const std::vector<qsizetype> &joinedLineEnds)
{
    if (joinedLineEnds.empty())
        return lines;
    std::vector<QStringView> joined;
    joined.reserve(lines.size() - joinedLineEnds.size());
    auto join = joinedLineEnds.begin();
    for (QStringView line : lines) {
        const qsizetype start = line.data() - text.data();
        while (join != joinedLineEnds.end() && *join < start - 1)
            ++join;
        const bool continues = !joined.empty() && start > 0 && join != joinedLineEnds.end() && *join == start - 1;
        if (continues) {
            ++join;
            const qsizetype from = joined.back().data() - text.data();
            joined.back() = text.sliced(from, start + line.size() - from);
        } else {
            joined.push_back(line);
        }
    }
    return joined;
}
