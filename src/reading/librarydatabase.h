#ifndef LIBRARYDATABASE_H
#define LIBRARYDATABASE_H

#include "bookcleanuprule.h"
#include "bookmark.h"
#include "bookrecord.h"

#include <QHash>
#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <vector>

class QSqlDatabase;
class QSqlError;

// The reader's memory of every book it opened: the place, progress, encodings, reading time
// and bookmarks of each, kept in one SQLite file. The only code that speaks SQL.
//
// Failing storage never stops the reader. When the file cannot be used (the folder cannot be
// written, the file comes from a newer version of the program) the library works without
// memory: writes do nothing and reads come back empty. A damaged file is moved aside and a
// fresh one started. status() tells which case applies; statusMessage() words it for the
// reader, once, and statusChanged() announces each change. Damage deep inside the file is
// found by a check that runs beside the start; when it finds some, the library starts
// afresh and reports Recovered a moment after open() returned, so records read before
// then are gone.
//
// Use it on one thread only (the GUI thread); several instances, in this process or in
// others, may share one file.
class LibraryDatabase : public QObject
{
    Q_OBJECT

public:
    enum class Status {
        Closed, // open() not called yet
        Ready,
        Recovered, // the file was damaged; it was moved aside and a fresh one started
        NewerVersion, // written by a newer version: left untouched, working without memory
        Unavailable, // the file cannot be opened or created: working without memory
        WriteFailed, // a change could not be saved (full disk, locked file); reads still work
    };
    Q_ENUM(Status)

    static constexpr int SchemaVersion = 7;
    static constexpr qsizetype MaxSnippetLength = 200;

    // An empty folder means the per-user data folder.
    explicit LibraryDatabase(const QString &folder = QString(), QObject *parent = nullptr);
    ~LibraryDatabase() override;

    static QString defaultFolder();
    QString filePath() const;

    Status open();
    Status status() const { return m_status; }
    bool hasMemory() const;
    // What the reader should be told about the library, or an empty text when all is well.
    QString statusMessage() const;
    // Where a damaged file was moved to, when status() is Recovered.
    QString damagedFilePath() const { return m_damagedFilePath; }

    // The record of the book at the path, created when the library does not know it yet.
    // A book found under another path with the same fingerprint was moved: its record
    // follows it. A book whose content changed keeps its place, held within its new size,
    // unless that content was seen before: then the place it had returns.
    BookRecord bookFor(const QString &path, const BookFingerprint &fingerprint);
    // As bookFor(), for a path made canonical already: nothing looks at the book's file.
    BookRecord bookForFiledPath(const QString &filedPath, const BookFingerprint &fingerprint);
    // The record of the book at the path, or one that is not stored.
    BookRecord book(const QString &path);
    // The record filed under exactly this path, found without looking at the file system
    // (which may hang on a network mount), or one that is not stored.
    BookRecord bookFiledAt(const QString &filedPath);
    // Whether the book of that id is still the one filed under that path: another instance
    // may have forgotten it, or moved it, since its id was read.
    bool holdsBook(qint64 bookId, const QString &storedPath);
    BookRecord lastReadBook();
    // Every book, the most recently read (or added) first.
    QList<BookRecord> books();
    // What the shelf needs of a book, read without the rest of its record.
    struct ShelfEntry
    {
        QString path;
        double progress = 0.0;
        qint64 lastReadMsecs = 0; // 0 while the book has never been read
    };
    // Every book, in no particular order.
    QList<ShelfEntry> shelfEntries();

    // The books on the shelf, newest addition first. A book may be on it without a record,
    // and keeps its record when it leaves it.
    QStringList shelf();
    // Whether the shelf has been set up in this file; until then it is empty.
    bool holdsShelf();
    // Sets the shelf up with these books when the file holds none yet; whether the file
    // holds a shelf afterwards.
    bool adoptShelf(const QStringList &paths);
    // Moves on whenever the shelf may have changed other than through addToShelf() and
    // removeFromShelf(): the library opened, started afresh or cleared. Whoever keeps a copy
    // of the shelf reads it again when it has moved.
    quint64 shelfGeneration() const { return m_shelfGeneration; }
    // Puts the books not on the shelf yet at its front, each in front of the one before it;
    // how many were new.
    int addToShelf(const QStringList &paths);
    void removeFromShelf(const QString &path);

    void recordOpened(qint64 bookId);
    // The anchor is kept only when it lies at or before the place.
    void savePlace(qint64 bookId, qint64 place, qint64 textLength,
                   const TextAnchor &anchor = TextAnchor());
    void addReadingTime(qint64 bookId, qint64 seconds);
    void setEncoding(qint64 bookId, const QString &encoding);
    void setEncodingOverride(qint64 bookId, const QString &encoding);
    // The book's own script conversion; empty to follow the choice for all books.
    void setConversion(qint64 bookId, const QString &conversion);
    // The key of the book's own chapter rule (ChapterRule::key); empty for automatic detection.
    void setChapterRule(qint64 bookId, const QString &rule);
    // The clean-up rules for every book, then those of the book, as stored: of the built-in
    // rules only those turned off or on by the reader (CleanupRules::withBuiltIns adds the rest).
    std::vector<BookCleanupRule> cleanupRules(qint64 bookId);
    // Replaces the rules for every book and those of the book (none without a book, id 0).
    void setCleanupRules(qint64 bookId, const std::vector<BookCleanupRule> &rules);
    void removeBook(qint64 bookId);

    // The book's bookmarks in the order of their places.
    QList<Bookmark> bookmarks(qint64 bookId);
    // The new bookmark; its id is 0 when it could not be stored.
    Bookmark addBookmark(qint64 bookId, qint64 place, const QString &snippet);
    void removeBookmark(qint64 bookmarkId);

    // Forgets every book and bookmark, and empties the shelf.
    void clear();

    // The path the library files a book under: the canonical one when the file exists.
    static QString canonicalPath(const QString &path);

signals:
    void statusChanged(LibraryDatabase::Status status);

private:
    enum class Outcome { Usable, Recovered, Damaged, Newer, Failed };

    void startCheckingFile();
    void onCheckFinished();
    Outcome replaceDamagedFile();
    void adopt(Outcome outcome);
    Outcome openConnection();
    Outcome checkFile(QSqlDatabase &db, int *version);
    bool configure(QSqlDatabase &db);
    bool migrate(QSqlDatabase &db, int version);
    bool moveDamagedFileAside();
    void closeConnection();

    QSqlQuery &statement(const QString &sql);
    QSqlQuery &bound(const QString &sql, const QVariantList &values);
    bool read(QSqlQuery &query);
    bool write(QSqlQuery &query);
    bool inTransaction(const std::function<bool()> &work);
    void reportWriteFailure(const QSqlError &error);
    void setStatus(Status status);

    BookRecord firstBook(QSqlQuery &query);
    // The number of books inserted, -1 when a write failed.
    int insertOnShelf(const QStringList &paths, qint64 firstPosition, int step);
    BookRecord storedBookAt(const QString &path);
    BookRecord followMovedBook(const QString &path, const BookFingerprint &fingerprint);
    BookRecord insertBook(const QString &path, const BookFingerprint &fingerprint);
    bool takeChangedContent(BookRecord &record, const BookFingerprint &fingerprint);

    QString m_folder;
    QString m_connectionName;
    Status m_status = Status::Closed;
    quint64 m_shelfGeneration = 0;
    QString m_damagedFilePath;
    QHash<QString, QSqlQuery> m_statements;
    QFutureWatcher<bool> m_check;
};

#endif
