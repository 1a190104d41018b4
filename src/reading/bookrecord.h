#ifndef BOOKRECORD_H
#define BOOKRECORD_H

#include "bookfingerprint.h"
#include "textanchor.h"

#include <QDateTime>
#include <QString>

// How far through a text of the given length a place lies, from 0 to 1.
inline double progressAt(qint64 place, qint64 textLength)
{
    return textLength > 0 ? double(qBound<qint64>(0, place, textLength)) / double(textLength) : 0.0;
}

// What the library remembers of one book. Places and lengths count characters (UTF-16 code
// units) of the decoded text. A record with id 0 is not stored: the library handed it out
// without being able to remember it.
struct BookRecord
{
    qint64 id = 0;
    QString path;
    QString title;
    BookFingerprint fingerprint;
    qint64 place = 0;
    qint64 textLength = 0; // 0 until the book has been decoded
    QString encoding; // the encoding the text was last decoded with
    QString encodingOverride; // the reader's choice; empty for automatic detection
    int timesOpened = 0;
    QDateTime addedAt;
    QDateTime lastReadAt; // null while the book has never been read
    qint64 readingSeconds = 0;
    QString conversion; // the script the book is shown in; empty to follow the choice for all
    QString chapterRule; // how its headings are found (ChapterRule::key); empty for automatically
    // A line start near the place, in this fingerprint's content; invalid while none is known.
    TextAnchor anchor;

    bool isStored() const { return id > 0; }

    // How far through the book the place lies, from 0 to 1.
    double progress() const { return progressAt(place, textLength); }

    // The place within a text of the given length: a book that changed since the place
    // was saved may have become shorter.
    qint64 placeWithin(qint64 length) const { return qBound<qint64>(0, place, qMax<qint64>(length, 0)); }
};

#endif
