#ifndef PARAGRAPHFINDER_H
#define PARAGRAPHFINDER_H

#include <QString>
#include <QStringView>

#include <vector>

// Where a paragraph lies in a book's decoded text: from its first character to just past its
// last, the spaces around it left out. A paragraph of a hard-wrapped book spans the line ends
// that broke it; ParagraphFinder::textOf joins them.
struct TextRange
{
    qsizetype start = 0;
    qsizetype end = 0;

    bool operator==(const TextRange &other) const { return start == other.start && end == other.end; }
};

// Finds the paragraphs of a book. Most books keep a paragraph on a line; some are
// hard-wrapped, broken at a fixed width inside sentences. Which kind a book is follows from
// its lines: in a hard-wrapped one most lines are about as long as its longest and end
// inside a sentence. There the lines of a paragraph are joined: a full line runs on into
// the next, unless that one is indented, blank, a heading, an item of a list, a site's
// watermark or a verse line (short). Blank lines only separate paragraphs, however many there are; the spaces around a
// paragraph (ASCII, U+3000, tabs) are left out. Offsets are the text's own, whatever its line
// ends, so places kept as offsets stay where they are.
class ParagraphFinder
{
public:
    explicit ParagraphFinder(QStringView text);
    // The same for a text already split into its lines (Paginator::paragraphsOf), as the
    // loader has it.
    ParagraphFinder(QStringView text, const std::vector<QStringView> &lines);

    bool isHardWrapped() const { return m_hardWrapped; }
    // The length of a full line of a hard-wrapped book, 0 in any other.
    qsizetype wrapWidth() const { return m_hardWrapped ? m_wrapWidth : 0; }
    const std::vector<TextRange> &paragraphs() const { return m_paragraphs; }

    // Where the "\n" of each line end inside a paragraph lies, in order; none in a book that is
    // not hard-wrapped.
    const std::vector<qsizetype> &joinedLineEnds() const { return m_joinedLineEnds; }
    // The lines of a text with "\n" line ends (Paginator::paragraphsOf) with those joined at the
    // line ends given, each run of joined lines one view across its line ends.
    static std::vector<QStringView> joinedLines(QStringView text, const std::vector<QStringView> &lines,
                                                const std::vector<qsizetype> &joinedLineEnds);

    // A paragraph's text with the line ends inside it joined: straight on between Chinese
    // characters, with a space between words.
    static QString textOf(QStringView text, const TextRange &paragraph);

private:
    struct Line
    {
        qsizetype start = 0; // trimmed
        qsizetype end = 0;
        bool indented = false;
        // Known only while the lines of a hard-wrapped book are joined.
        bool full = false;
        bool heading = false;

        bool isBlank() const { return end == start; }
    };

    static Line trimmed(QStringView text, QStringView line);
    Line judged(QStringView text, QStringView line) const;
    void decideWrapping(QStringView text, const std::vector<QStringView> &lines, size_t textLines);
    bool isFull(QStringView line) const;
    bool runsOn(QStringView text, const Line &line, const Line &next) const;
    void joinParagraphs(QStringView text, const std::vector<QStringView> &lines, size_t textLines);
    void addLineEndsBetween(QStringView text, QStringView line, QStringView next);

    std::vector<TextRange> m_paragraphs;
    std::vector<qsizetype> m_joinedLineEnds;
    qsizetype m_wrapWidth = 0;
    qsizetype m_fullWidth = 0;
    bool m_hardWrapped = false;
    bool m_indentsMarkParagraphs = true;
};

#endif
