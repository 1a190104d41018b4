#ifndef BOOKFILEREADER_H
#define BOOKFILEREADER_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>

// Reads the bytes of a book file, or says in the reader's language why it cannot. Only
// regular files (and the program's own resources) are books: a device, a pipe or a socket
// could feed bytes for ever or never. The file is read in chunks, so that the size limit
// holds whatever size the file system reports (a /proc file says 0) and a read no longer
// wanted stops at the next chunk. A file that changes size while it is read is refused:
// what was read is neither the old book nor the new one.
//
// Every call may block in the operating system (a hung network mount), so callers run it on
// a thread they can afford to abandon.
class BookFileReader
{
    Q_DECLARE_TR_FUNCTIONS(BookFileReader)

public:
    using Cancelled = std::function<bool()>;

    struct Result
    {
        QByteArray bytes;
        QString error; // empty when the bytes are the whole file
        bool cancelled = false;
    };

    explicit BookFileReader(qint64 maxSize, qint64 chunkSize = DefaultChunkSize);

    Result read(const QString &filePath, const Cancelled &isCancelled = {}) const;
    // Up to `length` bytes from `offset` on, of a regular file; fewer at its end. Its size
    // is told too, so a caller can tell a part that ends the file.
    static Result readPart(const QString &filePath, qint64 offset, qint64 length, qint64 *fileSize);

    static constexpr qint64 DefaultChunkSize = qint64(2) << 20;

    // Why a path cannot be read as a book before any of it is read (it is missing, a folder,
    // no regular file, or not readable), or an empty text when it can be opened.
    static QString whyNotOpenable(const QString &filePath);

private:
    static QString notRegularFileText();
    QString sizeLimitText() const;

    qint64 m_maxSize;
    qint64 m_chunkSize;
};

#endif
