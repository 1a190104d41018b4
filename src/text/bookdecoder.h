#ifndef BOOKDECODER_H
#define BOOKDECODER_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Turns the bytes of a book file into text. The one place that knows about encodings:
// a byte-order mark always wins; otherwise UTF-8 when the bytes are valid UTF-8; otherwise
// the encoding uchardet names, when Qt can decode the bytes in it without an error;
// otherwise the legacy code page (the system's, or GB18030 where the system speaks UTF-8).
class BookDecoder
{
public:
    struct Result
    {
        QString text;
        QByteArray encoding; // the name the text was decoded with
    };

    static Result decode(QByteArrayView bytes);

    // The encoding uchardet names for a sample of the book, in a spelling Qt accepts;
    // empty when it cannot tell.
    static QByteArray detectEncoding(QByteArrayView sample);

    // The code page used when nothing else fits.
    static QByteArray legacyEncoding();

private:
    static QByteArray encodingFromByteOrderMark(QByteArrayView bytes, qsizetype *markLength);
    static QByteArray utf16FromNulBytes(QByteArrayView sample);
    static bool decodesCleanly(QByteArrayView bytes, const QByteArray &encoding, QString *text);
};

#endif
