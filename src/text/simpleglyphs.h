#ifndef SIMPLEGLYPHS_H
#define SIMPLEGLYPHS_H

#include "paginator.h"

#include <QFont>
#include <QRawFont>
#include <QStringView>

#include <atomic>
#include <memory>
#include <vector>

// Breaks plain Chinese text into lines the way Qt's text layout does, from the advances of
// the font's own glyphs, without shaping. It takes only text it can break exactly: CJK
// characters and punctuation that the font's own face holds, none of whose glyphs reach past
// their advance. Everything else is left to the full layout. Safe to use from many threads.
class SimpleGlyphs
{
public:
    explicit SimpleGlyphs(const QFont &font);

    // Appends the lines of a piece, each lineHeight tall; false, with nothing appended, when
    // the piece is not simple.
    bool breakSimply(QStringView piece, qreal lineWidth, qreal lineHeight,
                     std::vector<Paginator::Line> &lines) const;

private:
    static bool isCandidate(char16_t c);
    // The advance of a character's glyph, or a negative value when it is not simple.
    float advance(char16_t c) const;
    float measure(char16_t c) const;

    QFont m_font;
    QRawFont m_face;
    // Indexed by UTF-16 unit; NaN until first asked for.
    std::unique_ptr<std::atomic<float>[]> m_advances;
};

#endif
