#include "typesetter.h"

#include <QtMath>

#include <cmath>

namespace {

constexpr qreal Tolerance = 1e-6;

// Closing marks whose glyph sits in the left half of the box, and those drawn across the
// middle of it (：；！？ in most Chinese faces), which cannot give up half their width.
constexpr char16_t ClosingMarks[] = u"、，。．”’」』）】》〉〕］｝〗〙〞";
constexpr char16_t CentredClosingMarks[] = u"：；！？・‧,.;:!?)]}%";
constexpr char16_t OpeningMarks[] = u"“‘「『（【《〈〔［｛〖〘〝([{";

enum MarkKind : quint8 { OtherCharacter, ClosingMark, CentredClosingMark, OpeningMark };

const std::vector<quint8> &markKinds()
{
    static const std::vector<quint8> kinds = [] {
        std::vector<quint8> table(0x10000, OtherCharacter);
        for (const char16_t *c = ClosingMarks; *c; ++c)
            table[*c] = ClosingMark;
        for (const char16_t *c = CentredClosingMarks; *c; ++c)
            table[*c] = CentredClosingMark;
        for (const char16_t *c = OpeningMarks; *c; ++c)
            table[*c] = OpeningMark;
        return table;
    }();
    return kinds;
}

bool isClosing(char16_t c) { return markKinds()[c] == ClosingMark || markKinds()[c] == CentredClosingMark; }
bool isOpening(char16_t c) { return markKinds()[c] == OpeningMark; }
// Marks set two at a time, "——" and "……", that are never split or spaced out.
bool isDoubled(char16_t c) { return c == 0x2014 || c == 0x2015 || c == 0x2026 || c == 0x2025; }
bool isSpace(char16_t c) { return c == u' ' || c == u'\t'; }
// Takes no room and is never drawn; a line may break after it.
bool isZeroWidthSpace(char16_t c) { return c == Typesetter::ZeroWidthSpace; }

// Characters set on the square grid of Chinese text, between any two of which a line may break.
bool isWide(char16_t c)
{
    return (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xD800 && c <= 0xDFFF)
            || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
            || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
}

// A letter, digit or sign of a Latin word, which is set and broken as a whole.
bool isInWord(char16_t c)
{
    return !isWide(c) && !isSpace(c) && !isDoubled(c) && !isZeroWidthSpace(c);
}

bool isLowSurrogate(QStringView text, qsizetype at)
{
    return at > 0 && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate();
}

// Han ideographs (those beyond the Basic Multilingual Plane by their surrogates), kana and
// Hangul: the letters of CJK text, as against its punctuation.
bool isCjkLetter(char16_t c)
{
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF)
            || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xD800 && c <= 0xDFFF) || (c >= 0xF900 && c <= 0xFAFF);
}

bool isLatinLetterOrDigit(char16_t c)
{
    return c < 0x250 && QChar(c).isLetterOrNumber();
}

// Where CJK letters meet Latin letters or digits, as in "用Qt写" or "第3章", a quarter em of
// space keeps them apart; a space, a mark or the line's edge already does.
bool spacedApart(QStringView text, qsizetype at)
{
    const char16_t c = text[at].unicode();
    const char16_t next = text[at + 1].unicode();
    if (text[at].isHighSurrogate())
        return false;
    return (isCjkLetter(c) && isLatinLetterOrDigit(next)) || (isLatinLetterOrDigit(c) && isCjkLetter(next));
}

}

Typesetter::Typesetter(const QFont &font, qreal lineWidth, bool justify)
    : m_font(font)
    , m_metrics(font)
    , m_lineWidth(lineWidth)
    , m_em(m_metrics.horizontalAdvance(QChar(0x4E2D)))
    , m_justify(justify)
    , m_advances(std::make_unique<std::vector<float>>(0x10000, -1.0f))
{
}

bool Typesetter::mayStartLine(char16_t c)
{
    return !isClosing(c);
}

bool Typesetter::mayEndLine(char16_t c)
{
    return !isOpening(c);
}

qreal Typesetter::advanceOf(QStringView text, qsizetype at) const
{
    const char16_t c = text[at].unicode();
    if (isLowSurrogate(text, at) || isZeroWidthSpace(c))
        return 0.0;
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        return m_metrics.horizontalAdvance(text.sliced(at, 2).toString());
    float &advance = (*m_advances)[c];
    if (advance < 0.0f)
        advance = float(m_metrics.horizontalAdvance(QChar(c)));
    return advance;
}

// A full-width mark's glyph fills half its box: a closing mark's the left half, an opening
// mark's the right one. Of two marks side by side, the blank half between them is dropped;
// after a mark drawn across the middle of its box (：？), the opening mark's. Between CJK and
// Latin letters the character before carries the space that keeps them apart, when the
// character after it lies within the range.
Typesetter::Widths Typesetter::widthsOf(QStringView text, qsizetype from, qsizetype to) const
{
    Widths widths;
    const qsizetype count = to - from;
    widths.advance.resize(size_t(count));
    widths.shift.assign(size_t(count), 0.0);
    widths.shrinkable.assign(size_t(count), 0.0);
    widths.spacing.assign(size_t(count), 0.0);
    for (qsizetype i = from; i < to; ++i) {
        widths.advance[size_t(i - from)] = advanceOf(text, i);
        if (i + 1 < to && spacedApart(text, i)) {
            widths.spacing[size_t(i - from)] = m_em / 4;
            widths.advance[size_t(i - from)] += m_em / 4;
        }
    }
    const qreal halfEm = m_em / 2;
    const qreal fullWidth = 0.9 * m_em;
    const auto kindAt = [&](qsizetype at) {
        if (at < 0 || at >= text.size())
            return quint8(OtherCharacter);
        const quint8 kind = markKinds()[text[at].unicode()];
        if (kind == OtherCharacter)
            return quint8(OtherCharacter);
        const qreal advance = at >= from && at < to ? widths.advance[size_t(at - from)] : advanceOf(text, at);
        return advance >= fullWidth ? kind : quint8(OtherCharacter);
    };
    quint8 previous = kindAt(from - 1);
    quint8 kind = kindAt(from);
    for (qsizetype i = from; i < to; ++i) {
        const quint8 next = kindAt(i + 1);
        const size_t k = size_t(i - from);
        if (kind == ClosingMark && next != OtherCharacter) {
            widths.advance[k] -= halfEm;
        } else if (kind == OpeningMark && (previous == OpeningMark || previous == CentredClosingMark)) {
            widths.advance[k] -= halfEm;
            widths.shift[k] = -halfEm;
        } else if (kind == ClosingMark) {
            widths.shrinkable[k] = halfEm;
        }
        previous = kind;
        kind = next;
    }
    return widths;
}

void Typesetter::keepWholeAtLineStart(Widths &widths)
{
    if (widths.shift.empty() || widths.shift.front() == 0.0)
        return;
    widths.advance.front() -= widths.shift.front();
    widths.shift.front() = 0.0;
}

bool Typesetter::breaksBefore(QStringView text, qsizetype at) const
{
    if (at <= 0 || at >= text.size())
        return true;
    const char16_t before = text[at - 1].unicode();
    const char16_t c = text[at].unicode();
    if (isLowSurrogate(text, at) || isSpace(c) || isZeroWidthSpace(c) || isClosing(c)
        || isOpening(before))
        return false;
    if (isZeroWidthSpace(before))
        return at < 2 || !isOpening(text[at - 2].unicode());
    if (isDoubled(before) && c == before)
        return false;
    if (isSpace(before) || isWide(before) || isWide(c))
        return true;
    if (isDoubled(before) || isDoubled(c))
        return true;
    return !isInWord(before) || !isInWord(c);
}

qsizetype Typesetter::nextBreak(QStringView text, qsizetype at) const
{
    qsizetype next = at + 1;
    while (next < text.size() && !breaksBefore(text, next))
        ++next;
    return next;
}

qsizetype Typesetter::visibleEndOf(QStringView text, qsizetype start, qsizetype end) const
{
    while (end > start && (isSpace(text[end - 1].unicode()) || isZeroWidthSpace(text[end - 1].unicode())))
        --end;
    return end;
}

// Greedy: whole pieces between break opportunities while they fit, and one more when it
// ends in a closing mark and compressing the line's punctuation makes room for it.
qsizetype Typesetter::lineEndFrom(QStringView text, const Widths &widths, qsizetype start,
                                  qreal width) const
{
    // An opening mark that starts the line keeps the half it gives up after a mark.
    qreal filled = -widths.shift[size_t(start)];
    qreal shrinkable = 0.0;
    qsizetype at = start;
    while (at < text.size()) {
        const qsizetype next = nextBreak(text, at);
        const qsizetype visibleNext = visibleEndOf(text, at, next);
        qreal pieceWidth = 0.0;
        qreal visibleWidth = 0.0;
        qreal pieceShrinkable = 0.0;
        for (qsizetype i = at; i < next; ++i) {
            pieceWidth += widths.advance[size_t(i)];
            if (i < visibleNext)
                visibleWidth += widths.advance[size_t(i)];
            pieceShrinkable += widths.shrinkable[size_t(i)];
        }
        // A space between CJK and Latin letters at the line's end is not set.
        const qreal edgeSpacing = visibleNext > at ? widths.spacing[size_t(visibleNext - 1)] : 0.0;
        visibleWidth -= edgeSpacing;
        if (filled + visibleWidth <= width + Tolerance) {
            filled += pieceWidth;
            shrinkable += pieceShrinkable;
            at = next;
            continue;
        }
        const bool endsInMark = visibleNext > at && isClosing(text[visibleNext - 1].unicode());
        if (at > start && endsInMark
            && filled + visibleWidth - shrinkable - pieceShrinkable <= width + Tolerance)
            return next;
        if (at > start)
            return at;
        // A word wider than the line is cut where the line is full, after one character at least.
        qsizetype cut = at;
        qreal cutWidth = 0.0;
        do {
            cutWidth += widths.advance[size_t(cut)];
            ++cut;
            if (cut < next && isLowSurrogate(text, cut))
                ++cut;
        } while (cut < next && cutWidth + widths.advance[size_t(cut)] <= width + Tolerance);
        return cut;
    }
    return text.size();
}

std::vector<TypesetLine> Typesetter::linesOf(QStringView paragraph, qreal firstIndent,
                                             bool complete) const
{
    std::vector<TypesetLine> lines;
    const Widths widths = widthsOf(paragraph, 0, paragraph.size());
    qsizetype start = 0;
    while (start < paragraph.size()) {
        const qreal indent = lines.empty() ? firstIndent : 0.0;
        const qsizetype end = lineEndFrom(paragraph, widths, start, m_lineWidth - indent);
        lines.push_back({ start, end, visibleEndOf(paragraph, start, end), indent, false });
        start = end;
    }
    if (complete && !lines.empty()) {
        lines.back().last = true;
        avoidLoneCharacter(paragraph, widths, lines);
    }
    return lines;
}

// A last line holding a single character (with the marks after it) takes the character
// before it along, from the line above, which is then stretched.
void Typesetter::avoidLoneCharacter(QStringView text, const Widths &widths,
                                    std::vector<TypesetLine> &lines) const
{
    if (lines.size() < 2)
        return;
    TypesetLine &last = lines.back();
    int characters = 0;
    for (qsizetype i = last.start; i < last.visibleEnd; ++i) {
        const char16_t c = text[i].unicode();
        if (!isClosing(c) && !isOpening(c) && !isLowSurrogate(text, i))
            ++characters;
    }
    if (characters != 1)
        return;
    TypesetLine &above = lines[lines.size() - 2];
    qsizetype pulled = above.end - 1;
    while (pulled > above.start && !breaksBefore(text, pulled))
        --pulled;
    if (pulled <= above.start || visibleEndOf(text, above.start, pulled) == above.start)
        return;
    qreal restWidth = -widths.shift[size_t(pulled)];
    for (qsizetype i = pulled; i < last.visibleEnd; ++i)
        restWidth += widths.advance[size_t(i)];
    if (restWidth > m_lineWidth + Tolerance)
        return;
    above.end = pulled;
    above.visibleEnd = visibleEndOf(text, above.start, pulled);
    last.start = pulled;
}

std::vector<qreal> Typesetter::positionsOf(QStringView paragraph, const TypesetLine &line,
                                           qreal *right) const
{
    Widths widths = widthsOf(paragraph, line.start, line.end);
    keepWholeAtLineStart(widths);
    std::vector<qreal> advance = widths.advance;
    const auto at = [&line](qsizetype i) { return size_t(i - line.start); };
    qreal natural = 0.0;
    qreal shrinkable = 0.0;
    int spaces = 0;
    int gaps = 0;
    for (qsizetype i = line.start; i < line.visibleEnd; ++i) {
        natural += advance[at(i)];
        shrinkable += widths.shrinkable[at(i)];
        if (isSpace(paragraph[i].unicode()))
            ++spaces;
        else if (i + 1 < line.visibleEnd && breaksBefore(paragraph, i + 1) && !isSpace(paragraph[i + 1].unicode()))
            ++gaps;
    }
    qreal extra = m_lineWidth - line.indent - natural;
    if (extra < 0.0 && shrinkable > 0.0) {
        const qreal factor = qMin(1.0, -extra / shrinkable);
        for (qsizetype i = line.start; i < line.visibleEnd; ++i)
            advance[at(i)] -= widths.shrinkable[at(i)] * factor;
        extra = 0.0;
    }
    qreal perSpace = 0.0;
    qreal perGap = 0.0;
    if (m_justify && !line.last && extra > 0.0) {
        if (spaces > 0) {
            perSpace = qMin(extra / spaces, m_em / 2);
            extra -= perSpace * spaces;
        }
        if (gaps > 0)
            perGap = extra / gaps;
        else if (spaces > 0)
            perSpace += extra / spaces;
    }
    std::vector<qreal> positions(size_t(line.end - line.start), -1.0);
    qreal x = line.indent;
    for (qsizetype i = line.start; i < line.visibleEnd; ++i) {
        if (!isLowSurrogate(paragraph, i) && !isZeroWidthSpace(paragraph[i].unicode()))
            positions[at(i)] = x + widths.shift[at(i)];
        x += advance[at(i)];
        if (isSpace(paragraph[i].unicode()))
            x += perSpace;
        else if (i + 1 < line.visibleEnd && breaksBefore(paragraph, i + 1) && !isSpace(paragraph[i + 1].unicode()))
            x += perGap;
    }
    if (right)
        *right = x;
    return positions;
}

qreal Typesetter::widthOf(QStringView paragraph, const TypesetLine &line) const
{
    Widths widths = widthsOf(paragraph, line.start, line.visibleEnd);
    keepWholeAtLineStart(widths);
    qreal width = 0.0;
    for (qreal advance : widths.advance)
        width += advance;
    return width;
}
