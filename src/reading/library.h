#ifndef LIBRARY_H
#define LIBRARY_H

#include "bookcleanuprule.h"
#include "bookfingerprint.h"
#include "bookmark.h"
#include "bookrecord.h"
#include "readingclock.h"
#include "settings.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <optional>
#include <vector>

class FileLoader;
class FileProber;
class LibraryDatabase;

// What the reader remembers of its books, as the window needs it: where to open a book,
// its place kept as the reader moves (written at most once a second, and at once when
// another book takes over or the library is flushed), the time spent reading it, its
// bookmarks, and the shelf's order.
// Books are known by path; the loader's fingerprint of a book ties the path to its record,
// which follows a book moved to another path.
// Records are filed under canonical paths. Finding one is a look at the file system, which
// can hang for as long as a network mount does, so it is done off the GUI thread and kept:
// until a path's canonical form is known, the path is taken as it is spelled.
class Library : public QObject
{
    Q_OBJECT

public:
    static constexpr int SaveDelayMs = 1000;

    // An empty folder means the per-user data folder.
    explicit Library(const QString &folder = QString(), QObject *parent = nullptr);
    ~Library() override;

    // Opens the database; what the reader should be told about it, or an empty text.
    QString open();
    LibraryDatabase *database() const { return m_database; }
    // What the reader should be told about the database, or an empty text.
    QString statusMessage() const;
    // Keeps the records of the books this loader reads, and tells it each book's chapter rule
    // and the clean-up rules turned on for it.
    void follow(FileLoader *loader);

    // Tests hold the library's looks at the file system with a check of their own.
    FileProber *fileProber() const { return m_prober; }

    // The record a book is opened with: its place and the encoding the reader chose.
    BookRecord recordFor(const QString &path);
    // The book read last, or an empty path; whether its file is still there is for the
    // caller to ask, off the GUI thread.
    QString lastReadBook() const;
    struct Shelf
    {
        // The books in the order given, or in the order last read with those the library has
        // no reading of after them in the order given.
        QStringList books;
        // How far through each book the reader is, from 0 to 1, by the paths given; books
        // the library does not know are left out.
        QHash<QString, double> progress;
    };
    // The shelf of the books given, from one reading of the library. A book whose path is
    // spelled otherwise than its record's is found once that path's canonical form is known;
    // filedPathsLearned() tells when the shelf may have changed for that.
    Shelf shelfOf(const QStringList &books, Settings::ShelfOrder order = Settings::ShelfOrder::Added) const;

    // The loader read a book: the library ties the path to its record, counts the opening
    // and notes the encoding it was read in when detection chose it. A book found moved
    // from another path announces its record.
    void noteDecoded(const QString &path, const BookFingerprint &fingerprint, const QString &encoding);
    void setEncodingOverride(const QString &path, const QString &encoding);
    void setConversion(const QString &path, const QString &conversion);
    void setChapterRule(const QString &path, const QString &rule);
    // The clean-up rules of a book: the built-in ones, those for every book and its own.
    std::vector<BookCleanupRule> cleanupRules(const QString &path);
    // Keeps the rules for every book and the book's own; the built-in ones keep whether they are on.
    void setCleanupRules(const QString &path, const std::vector<BookCleanupRule> &rules);
    // Line starts of a book just decoded; a place kept for it is kept with the nearest one
    // at or before it, so the book can be reopened there without decoding what lies before.
    void noteAnchors(const QString &path, const std::vector<TextAnchor> &anchors);

    void keepPlace(const QString &path, qsizetype place, qsizetype textLength);
    // The book in front of the reader, whose reading time runs; empty while nothing is read
    // (the window is in the background, the shelf is shown, no book is open).
    void setBookInReading(const QString &path);
    QString bookInReading() const { return m_bookInReading; }
    // Tests count reading time with a clock of their own.
    void setReadingClock(const ReadingClock &clock) { m_readingClock = clock; }
    // Writes the place waiting to be written and the reading time counted so far.
    void flush();

    QList<Bookmark> bookmarks(const QString &path) const;
    Bookmark addBookmark(const QString &path, qsizetype place, const QString &snippet);
    void removeBookmark(qint64 bookmarkId);
    // The first bookmark at a place from `from` up to (not including) `to`.
    std::optional<Bookmark> bookmarkWithin(const QString &path, qint64 from, qint64 to) const;
    // What a bookmark shows of a page: its first line that holds any text.
    static QString snippetOf(const QString &pageText);

    void forget(const QString &path);
    void clear();

signals:
    // What statusMessage() tells has changed.
    void statusChanged();
    // The loader read a book as UTF-8 but for this many bytes it showed as replacements.
    void undecodableBytesFound(const QString &path, qsizetype count);
    // The book just read has a place further on than the one it was opened at: it is a book
    // the library knows from another path, or its file is back to a content read before.
    void movedBookFound(const QString &path, const BookRecord &record);
    // Canonical paths were learned that differ from the paths as spelled: shelfOf() asked
    // again may find more of the books it is given.
    void filedPathsLearned();

private:
    qint64 idOf(const QString &path) const;
    // The path the book's record is filed under as far as is known, asking about it when not.
    QString filedPathNow(const QString &path) const;
    // As filedPathNow(), but looking at the file system when the canonical path is not known.
    QString filedPath(const QString &path) const;
    void learnFiledPath(const QString &path, const QString &canonicalPath);
    TextAnchor anchorFor(const QString &path, qsizetype place) const;
    void saveReadingTime();

    LibraryDatabase *m_database;
    FileProber *m_prober;
    QHash<QString, QString> m_filedPaths;
    QTimer m_learnedTimer;
    struct StoredBook
    {
        qint64 id = 0;
        QString storedPath;
    };
    QHash<QString, StoredBook> m_ids;
    // The place recordFor() handed out for a path whose canonical form was not known yet: the
    // book's record, found once it is read, may have a place further on.
    QHash<QString, qint64> m_placesHandedOut;
    QString m_lastOpened;

    struct PendingPlace
    {
        QString path;
        qsizetype place = 0;
        qsizetype textLength = 0;
    };
    PendingPlace m_pending;
    QTimer m_saveTimer;
    QString m_bookInReading;
    QString m_anchoredBook;
    std::vector<TextAnchor> m_anchors;
    ReadingClock m_readingClock;
};

#endif
