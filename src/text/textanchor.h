#ifndef TEXTANCHOR_H
#define TEXTANCHOR_H

#include <QtGlobal>

// A point where a book's bytes and its text meet: the byte offset in the file of a line's
// start, and the offset of the same line's start in the text as pages hold it (every line end
// one "\n"). A decoder may start there and count characters on from `place`, without
// decoding what lies before. Only valid for the content it was taken from.
struct TextAnchor
{
    qint64 byte = -1;
    qint64 place = 0;

    bool isValid() const { return byte >= 0 && place >= 0; }
};

#endif
