#ifndef TYPESETTER_H
#define TYPESETTER_H

#include <QFont>
#include <QFontMetricsF>
#include <QStringView>

#include <memory>
#include <vector>

// One line of a set paragraph: the characters from start to end, of which those before
// visibleEnd are drawn (the spaces a line ends with are not).
struct TypesetLine
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype visibleEnd = 0;
    qreal indent = 0.0; // where the line's first character stands
    bool last = false;  // a paragraph's last line, not stretched
};

// Breaks paragraphs into lines and places their characters the way a printed Chinese book
// does: no closing mark starts a line and no opening one ends it, "——" and "……" stay whole,
// two full-width marks side by side take one and a half ems, punctuation on a line is
// compressed before a character is pushed down with a mark, lines are justified on both
// edges (spaces between words first, then every gap between characters) but a paragraph's
// last, a quarter em sets CJK letters apart from Latin letters and digits, and a paragraph
// never ends on a lone character where one can be pulled down. A zero-width space takes no
// room and is not drawn.
//
// Every character is placed by this class and drawn where it places it, so a line is as
// wide on the page as it was measured. Lines are broken greedily from a line's start, so
// setting a paragraph from any of its line starts gives the same lines from there on.
// Uses the font of the thread that made it only.
class Typesetter
{
public:
    Typesetter(const QFont &font, qreal lineWidth, bool justify);

    // A paragraph given whole (complete) or only its start: the lines of a start are not
    // treated as the paragraph's last.
    std::vector<TypesetLine> linesOf(QStringView paragraph, qreal firstIndent,
                                     bool complete = true) const;
    // Where each character of a line stands, from the line's left edge (its indent
    // included); -1 for a character not drawn (a space ending the line, the second half of
    // a surrogate pair). The right edge of the last character's box, compressed or not, goes
    // to right.
    std::vector<qreal> positionsOf(QStringView paragraph, const TypesetLine &line,
                                   qreal *right = nullptr) const;

    // How wide a line's characters are set side by side, not stretched or compressed.
    qreal widthOf(QStringView paragraph, const TypesetLine &line) const;
    // How wide a character is drawn.
    qreal advanceAt(QStringView text, qsizetype at) const { return advanceOf(text, at); }

    const QFont &font() const { return m_font; }
    const QFontMetricsF &metrics() const { return m_metrics; }
    qreal lineWidth() const { return m_lineWidth; }
    qreal em() const { return m_em; }

    // Sets the line ends joined inside a paragraph between Chinese characters: it takes no
    // room, is not drawn, and lets the line break after it.
    static constexpr char16_t ZeroWidthSpace = 0x200B;

    static bool mayStartLine(char16_t c);
    static bool mayEndLine(char16_t c);

private:
    struct Widths
    {
        std::vector<qreal> advance;  // after pairs of marks were compressed
        std::vector<qreal> shift;    // a mark that lost its leading half is drawn this far left
        std::vector<qreal> shrinkable;
        std::vector<qreal> spacing;  // of the advance, set only between two characters
    };

    qreal advanceOf(QStringView text, qsizetype at) const;
    Widths widthsOf(QStringView paragraph, qsizetype from, qsizetype to) const;
    static void keepWholeAtLineStart(Widths &widths);
    bool breaksBefore(QStringView text, qsizetype at) const;
    qsizetype nextBreak(QStringView text, qsizetype at) const;
    qsizetype visibleEndOf(QStringView text, qsizetype start, qsizetype end) const;
    qsizetype lineEndFrom(QStringView text, const Widths &widths, qsizetype start, qreal width) const;
    void avoidLoneCharacter(QStringView text, const Widths &widths,
                            std::vector<TypesetLine> &lines) const;

    QFont m_font;
    QFontMetricsF m_metrics;
    qreal m_lineWidth;
    qreal m_em;
    bool m_justify;
    // Advances of the Basic Multilingual Plane, looked up as they are first needed.
    std::unique_ptr<std::vector<float>> m_advances;
};

#endif
