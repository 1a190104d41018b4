#ifndef SIMPLEGLYPHS_H
#define SIMPLEGLYPHS_H

#include "paginator.h"

class MeasuringFonts;

#include <QStringView>

#include <atomic>
#include <memory>
#include <vector>

// Breaks plain Chinese text into lines the way Qt's text layout does, from the advances of
// the font's own glyphs, without shaping. It takes only text it can break exactly: CJK
// characters and punctuation that the font's own face holds, none of whose glyphs reach past
// their advance. Everything else is left to the full layout. Safe to use from many threads:
// the advances it has learnt are shared, the fonts it learns them from are each thread's own.
class SimpleGlyphs
{
public:
    SimpleGlyphs();

    // Appends the lines of a piece, each lineHeight tall; false, with nothing appended, when
    // the piece is not simple. The fonts are the calling thread's, all for the same font.
    bool breakSimply(const MeasuringFonts &fonts, QStringView piece, qreal lineWidth,
                     qreal lineHeight, std::vector<Paginator::Line> &lines) const;

private:
    static bool isCandidate(char16_t c);
    // The advance of a character's glyph, or a negative value when it is not simple.
    float advance(const MeasuringFonts &fonts, char16_t c) const;
    static float measure(const MeasuringFonts &fonts, char16_t c);

    // Indexed by UTF-16 unit; NaN until first asked for.
    std::unique_ptr<std::atomic<float>[]> m_advances;
};

#endif
