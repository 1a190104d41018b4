#ifndef TEXTSANITIZER_H
#define TEXTSANITIZER_H

#include <QString>

// Makes decoded text safe to measure and draw. QPainter::drawText stops at U+009C (it
// separates length variants of a string there) while a text layout measures on, so one
// such character hides the rest of a page; other control characters come out as empty
// boxes. Line and page breaks in their less common spellings (vertical tab, form feed,
// the Unicode line and paragraph separators) become "\n", so they break paragraphs where
// the paginator and the page agree; every other C0 or C1 control but tab and the line
// breaks becomes U+FFFD, the mark the reader already knows from undecodable bytes. That
// includes NEL (U+0085): in a book it is far more often the ellipsis byte of a Windows code
// page read as ISO-8859 than a line break. Each character is replaced by exactly one, so
// offsets into the text stay valid.
class TextSanitizer
{
public:
    // How many characters were replaced.
    static qsizetype sanitize(QString &text);

    static bool needsReplacement(QChar c)
    {
        const char16_t unit = c.unicode();
        if (unit >= 0xA0)
            return unit == 0x2028 || unit == 0x2029;
        if (unit < 0x20)
            return unit != u'\t' && unit != u'\n' && unit != u'\r';
        return unit >= 0x7F;
    }

    // What a character needing replacement is replaced with.
    static QChar replacementFor(QChar c);
};

#endif
