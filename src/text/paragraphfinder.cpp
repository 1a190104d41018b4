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

qsizetype columns(QStringView text)
{
    qsizetype width = text.size();
    for (QChar c : text)
        width += isWide(c) ? 1 : 0;
    return width;
}

// "1.", "2)", "一、", "（一）", "- ", "• ": an item of a list starts a line of its own.
bool startsListItem(QStringView line)
{
    if (line.isEmpty())
        return false;
    if (QStringView(u"-*•·●○■□◆◇").contains(line.front()))
        return true;
    qsizetype i = (line.front() == u'(' || line.front() == u'（') ? 1 : 0;
    const qsizetype numberStart = i;
    while (i < line.size() && (line[i].isDigit() || QStringView(u"一二三四五六七八九十").contains(line[i])))
        ++i;
    return i > numberStart && i < line.size() && QStringView(u".．、)）").contains(line[i]);
}

// A site's watermark stands on a line of its own, which the book layout leaves out.
bool isWatermark(QStringView line)
{
    return LineCleaner::isWebAddressLine(line) || LineCleaner::isSpelledOutSiteLine(line);
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
    trimLines(text, lines);
    decideWrapping(text);
    joinParagraphs(text);
}

void ParagraphFinder::trimLines(QStringView text, const std::vector<QStringView> &lines)
{
    m_lines.reserve(lines.size());
    for (QStringView line : lines) {
        const qsizetype start = line.data() - text.data();
        qsizetype first = start;
        const qsizetype end = start + line.size();
        while (first < end && isSpace(text[first]))
            ++first;
        qsizetype last = end;
        while (last > first && isSpace(text[last - 1]))
            --last;
        m_lines.push_back({ first, last, first > start });
    }
}

void ParagraphFinder::decideWrapping(QStringView text)
{
    const size_t textLines = size_t(std::count_if(m_lines.begin(), m_lines.end(),
                                                  [](const Line &line) { return !line.isBlank(); }));
    if (textLines < MinimumLinesToJudge)
        return;
    const size_t step = std::max<size_t>(1, textLines / LinesToJudge);
    std::vector<const Line *> sample;
    std::vector<qsizetype> widths;
    for (size_t i = 0, textLine = 0; i < m_lines.size(); ++i) {
        if (!m_lines[i].isBlank() && textLine++ % step == 0) {
            sample.push_back(&m_lines[i]);
            widths.push_back(columns(text.sliced(m_lines[i].start, m_lines[i].end - m_lines[i].start)));
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
        indented += sample[i]->indented ? 1 : 0;
        if (widths[i] < m_fullWidth)
            continue;
        ++full;
        runOn += SentenceEnds.contains(text[sample[i]->end - 1]) ? 0 : 1;
    }
    m_indentsMarkParagraphs = double(indented) < IndentedLinesMarkingNothing * double(sample.size());
    m_hardWrapped = double(full) >= FullLinesInWrappedBook * double(sample.size())
            && double(runOn) >= RunOnLinesInWrappedBook * double(full);
}

bool ParagraphFinder::isFull(QStringView text, const Line &line) const
{
    // Far shorter than the width, or far longer, without counting.
    const qsizetype length = line.end - line.start;
    return length * 2 >= m_fullWidth && (length >= m_fullWidth || columns(text.sliced(line.start, length)) >= m_fullWidth);
}

bool ParagraphFinder::runsOn(QStringView text, const Line &line, const Line &next) const
{
    if (next.isBlank() || (next.indented && m_indentsMarkParagraphs) || !isFull(text, line))
        return false;
    const QStringView lineText = text.sliced(line.start, line.end - line.start);
    const QStringView nextText = text.sliced(next.start, next.end - next.start);
    // A watermark is far shorter than a full line: only a paragraph's last line may be one,
    // which keeps the check off most lines of a long book.
    return !startsListItem(nextText) && !isHeading(lineText) && !isHeading(nextText)
            && (isFull(text, next) || !isWatermark(nextText));
}

void ParagraphFinder::joinParagraphs(QStringView text)
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].isBlank())
            continue;
        TextRange paragraph{ m_lines[i].start, m_lines[i].end };
        while (m_hardWrapped && i + 1 < m_lines.size() && runsOn(text, m_lines[i], m_lines[i + 1]))
            paragraph.end = m_lines[++i].end;
        m_paragraphs.push_back(paragraph);
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

std::vector<qsizetype> ParagraphFinder::joinedLineEnds(QStringView text) const
{
    std::vector<qsizetype> joins;
    if (!m_hardWrapped)
        return joins;
    for (const TextRange &paragraph : m_paragraphs) {
        for (qsizetype at = text.indexOf(u'\n', paragraph.start); at >= 0 && at < paragraph.end;
             at = text.indexOf(u'\n', at + 1))
            joins.push_back(at);
    }
    return joins;
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
