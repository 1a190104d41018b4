#ifndef BOOKDECODER_H
#define BOOKDECODER_H

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include "textanchor.h"

#include <vector>

// Turns the bytes of a book file into text. The one place that knows about encodings.
// Candidates are chosen by the evidence they leave, strongest first: a byte-order mark;
// UTF-32 or UTF-16 recognised from the pattern of their NUL bytes; a 7-bit escape encoding
// (ISO-2022-*, HZ) that uchardet names and whose escape sequences are there; UTF-8 when
// the bytes are UTF-8 but for a few damaged ones; the encoding uchardet names; and last the
// legacy code page (the system's, or GB18030 where the system speaks UTF-8). Whatever is
// chosen, the text is made safe to draw (see TextSanitizer).
class BookDecoder
{
public:
    struct Result
    {
        QString text;
        QByteArray encoding; // the name the text was decoded with
        // Bytes that could not be read in that encoding, each shown as U+FFFD in the text.
        qsizetype undecodableBytes = 0;
        // Line starts the text was decoded from, in order, the first where the text begins:
        // `byte` counts from the start of the bytes given, `place` in the text decoded
        // (every line end as it is in the file).
        std::vector<TextAnchor> anchors;
    };

    static Result decode(QByteArrayView bytes);
    // Decodes in an encoding the reader chose (one of overrideEncodings(), say); a
    // byte-order mark of that encoding is skipped. An encoding Qt does not know is ignored
    // and the book decoded as if none had been chosen.
    static Result decode(QByteArrayView bytes, const QByteArray &forcedEncoding);

    // The encoding decode() takes for bytes, told from their byte-order mark or a sample of
    // their head, without decoding the rest; for all but a few damaged books the one
    // decode() finds.
    static QByteArray encodingOf(QByteArrayView bytes);
    // Where the text begins in bytes decoded in an encoding: past its byte-order mark.
    static qsizetype textStart(QByteArrayView bytes, const QByteArray &encoding);
    // The first line start at or after `from` (past a line feed, on a whole unit of UTF-16
    // and UTF-32), where the bytes can be decoded in two parts as one; the end of the bytes
    // when there is none, or the encoding keeps a state from line to line (ISO-2022, HZ).
    static qsizetype lineStartAfter(QByteArrayView bytes, qsizetype from, const QByteArray &encoding);

    // The encodings a reader may choose to reopen a book in: every one this decoder can
    // pick by itself, Unicode first, then by script.
    static QByteArrayList overrideEncodings();

    // The encoding uchardet names for a sample of the book, in a spelling Qt accepts;
    // empty when it cannot tell.
    static QByteArray detectEncoding(QByteArrayView sample);

    // The encoding Qt decodes for a charset name uchardet returns; empty for "unknown" and
    // for the few charsets Qt's converters lack (VISCII).
    static QByteArray encodingForCharset(QByteArrayView charset);

    // The code page used when nothing else fits.
    static QByteArray legacyEncoding();

private:
    // How many undecodable bytes a book of the given size may hold and still be taken
    // for the encoding it is otherwise valid in.
    static qsizetype damageAllowance(qsizetype bookSize);
    static QByteArray encodingFromByteOrderMark(QByteArrayView bytes, qsizetype *markLength);
    static QByteArray unicodeFromNulBytes(QByteArrayView sample);
    static QByteArray escapeEncoding(QByteArrayView sample);
    static Result decodeDetected(QByteArrayView bytes);
    static bool mayBeUtf8(QByteArrayView sample);
    static bool isMostlyUtf8(QByteArrayView bytes, const Result &decoded);
    static Result decodeCounting(QByteArrayView bytes, const QByteArray &encoding,
                                 qsizetype byteBase = 0);
    static Result finished(Result result);
};

#endif
