#ifndef CHAPTERDETECTOR_H
#define CHAPTERDETECTOR_H

#include <QString>
#include <QStringView>

#include <vector>

// A heading line of a book. Offsets count every line end as one character, so they are
// offsets into the text the book's pages join to (Paginator::textOf), whatever line ends
// the file used.
struct Chapter
{
    // A passage stands in for a chapter in a book without headings: it starts at a line
    // of text, has no heading line of its own (its length is 0) and is named by its first words.
    enum Level { Volume = 0, Section = 1, Passage = 2 };

    qsizetype offset = 0; // where the heading's line starts
    qsizetype length = 0; // the whole line, without its line end
    QString title;        // the line trimmed; with the title line after a bare "CHAPTER I."
    int level = Section;
};

// Finds the headings of a book: short lines of their own such as "第十二章 风起", "第三卷",
// "第一部分", "楔子", "Chapter XII", "Prologue", "Part One" or "第3話", also when decorated
// ("●第二章", "[(第2章 了解自己)]", "《书名》 第一部分", "[1]一 标题"). A bare "CHAPTER I."
// takes the short title line after it into its title. Where a book has no chapters of that
// kind, lone short lines it numbers consistently ("一、…", "（一）…", a line holding only
// "1") are its chapters, and failing those, in a collection, the short titles standing alone
// between blank lines before each piece. Prose that merely starts like a heading ("第三卷，
// 头两卷…"), table rows, numbered lists, a heading repeated on the next line and a table of
// contents (a run of headings with no text between them) are left out. For a book in which
// no heading is found, contents() gives passages of about PassageLength characters instead,
// so its contents are never empty. Fast enough for a loader thread: a book of 20 million
// characters takes a few tens of milliseconds.
class ChapterDetector
{
public:
    static std::vector<Chapter> detect(QStringView text);
    // The same for a text already split into lines (Paginator::paragraphsOf).
    static std::vector<Chapter> detect(const std::vector<QStringView> &lines);
    // The headings, or passages where there are none.
    static std::vector<Chapter> contents(const std::vector<QStringView> &lines);
    // Passages of about PassageLength characters, each named by its first words.
    static std::vector<Chapter> passagesOf(const std::vector<QStringView> &lines);

    // The heading's level when a trimmed line is one, or -1.
    static int levelOf(QStringView trimmedLine);
    // Whether a line starting with this character may be a heading at all: most lines of a
    // book are passed over on their first character.
    static bool mayStartHeading(QChar first);

    // The index of the chapter the offset lies in (the last one starting at or before it),
    // or -1 before the first one.
    static int chapterAt(const std::vector<Chapter> &chapters, qsizetype offset);
    // Whether the offset lies within a heading's line.
    static bool isInHeading(const std::vector<Chapter> &chapters, qsizetype offset);

    static constexpr qsizetype MaxHeadingLength = 40;
    static constexpr qsizetype PassageLength = 10000;
};

#endif
