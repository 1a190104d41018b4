#ifndef TEXTSANITIZER_H
#define TEXTSANITIZER_H

#include <QString>

// Makes decoded text safe to measure and draw. QPainter::drawText stops at U+009C (it
// separates length variants of a string there) while a text layout measures on, so one
// such character hides the rest of a page; other control characters come out as empty
// boxes. Line and page breaks in their less common spellings (vertical tab, form feed,
// NEL, the Unicode line and paragraph separators) become "\n", so they break paragraphs
// where the paginator and the page agree; every other C0 or C1 control but tab and the line
// breaks becomes U+FFFD, the mark the reader already knows from undecodable bytes. Each
// character is replaced by exactly one, so offsets into the text stay valid.
class TextSanitizer
{
public:
    // How many characters were replaced.
    static qsizetype sanitize(QString &text);

    static bool needsReplacement(QChar c) { return replacementFor(c) != c; }
    static QChar replacementFor(QChar c);
};

#endif
