#ifndef BOOKMARK_H
#define BOOKMARK_H

#include <QDateTime>
#include <QString>

// A place in a book the reader marked, with a little of the text found there.
struct Bookmark
{
    qint64 id = 0;
    qint64 bookId = 0;
    qint64 place = 0;
    QString snippet;
    QDateTime createdAt;
};

#endif
