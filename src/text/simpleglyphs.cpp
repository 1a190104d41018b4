#include "simpleglyphs.h"

#include "measuringfonts.h"

#include <QTextBoundaryFinder>

#include <cmath>
#include <limits>

namespace {

constexpr size_t Units = 0x10000;
constexpr float NotSimple = -1.0f;
constexpr char16_t IdeographicSpace = 0x3000;

}

SimpleGlyphs::SimpleGlyphs()
    : m_advances(new std::atomic<float>[Units])
{
    for (size_t i = 0; i < Units; ++i)
        m_advances[i].store(std::numeric_limits<float>::quiet_NaN(), std::memory_order_relaxed);
}

// Line breaking as Qt's text layout does it: glyphs are taken a word at a time (up to the
// next space or break opportunity); a word goes on the line if it fits after the spaces
// before it, and spaces at the end of a line take no room. A line that would still overflow
// (a word wider than the line) Qt breaks inside the word: that is left to the full layout.
bool SimpleGlyphs::breakSimply(const MeasuringFonts &fonts, QStringView piece, qreal lineWidth,
                               qreal lineHeight, std::vector<Paginator::Line> &lines) const
{
    for (QChar c : piece) {
        if (advance(fonts, c.unicode()) < 0.0f)
            return false;
    }
    std::vector<bool> breakBefore(size_t(piece.size()) + 1, false);
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, piece.data(), piece.size());
    for (qsizetype at = breaks.toNextBoundary(); at > 0; at = breaks.toNextBoundary())
        breakBefore[size_t(at)] = true;

    const auto isSpace = [&piece](qsizetype i) { return piece[i].unicode() == IdeographicSpace; };
    const size_t firstLine = lines.size();
    lines.push_back({ 0, lineHeight });
    qreal filled = 0.0;
    qreal spaces = 0.0;
    bool lineHasWords = false;
    for (qsizetype at = 0; at < piece.size();) {
        if (isSpace(at)) {
            spaces += advance(fonts, piece[at++].unicode());
            continue;
        }
        const qsizetype wordStart = at;
        qreal word = 0.0;
        do {
            word += advance(fonts, piece[at++].unicode());
        } while (at < piece.size() && !isSpace(at) && !breakBefore[size_t(at)]);

        if (lineHasWords && filled + spaces + word > lineWidth) {
            lines.push_back({ wordStart, lineHeight });
            filled = word;
        } else {
            filled += spaces + word;
        }
        spaces = 0.0;
        lineHasWords = true;
        if (filled > lineWidth) {
            lines.resize(firstLine);
            return false;
        }
    }
    return true;
}

bool SimpleGlyphs::isCandidate(char16_t c)
{
    return (c >= 0x3000 && c < 0x3040) || (c >= 0x3400 && c < 0x4DC0) || (c >= 0x4E00 && c < 0xA000)
            || (c >= 0xFF01 && c < 0xFF61) || (c >= 0x2010 && c < 0x2028) || c == 0x00B7;
}

float SimpleGlyphs::advance(const MeasuringFonts &fonts, char16_t c) const
{
    std::atomic<float> &slot = m_advances[c];
    float value = slot.load(std::memory_order_relaxed);
    if (std::isnan(value)) {
        value = measure(fonts, c);
        slot.store(value, std::memory_order_relaxed);
    }
    return value;
}

float SimpleGlyphs::measure(const MeasuringFonts &fonts, char16_t c)
{
    if (!isCandidate(c) || !fonts.face().supportsCharacter(QChar(c)))
        return NotSimple;
    if (fonts.metrics().rightBearing(QChar(c)) < 0.0)
        return NotSimple;
    return float(fonts.metrics().horizontalAdvance(QChar(c)));
}
