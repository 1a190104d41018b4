#ifndef TYPESETSTYLE_H
#define TYPESETSTYLE_H

#include <QtGlobal>

// How pages are set. The original layout keeps the lines as the file has them and cuts pages
// between paragraphs; the book layout sets paragraphs like a printed book: justified,
// indented, with the spacing below, filling every page.
struct TypesetStyle
{
    bool book = false;
    int lineSpacing = 160;     // percent of the font's line height
    int paragraphSpacing = 30; // percent of a line
    qreal indent = 2.0;        // em
    bool justify = true;

    bool operator==(const TypesetStyle &other) const
    {
        return book == other.book && lineSpacing == other.lineSpacing
                && paragraphSpacing == other.paragraphSpacing && indent == other.indent
                && justify == other.justify;
    }
    bool operator!=(const TypesetStyle &other) const { return !(*this == other); }
};

#endif
