#include "librarydatabase.h"

#include "cleanuprules.h"
#include "readinglogging.h"

#include <QAtomicInteger>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStandardPaths>
#include <QtConcurrent>

#include <algorithm>
#include <iterator>

namespace {

const QString FileName = QStringLiteral("library.sqlite");

// Another instance writes only a few rows at a time, so waiting longer than this means
// something is wrong with it, and the reader should not wait with a frozen window.
const QString ConnectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000");

// SQLite's primary result codes for a file that is not a database or is damaged.
const QString SqliteCorrupt = QStringLiteral("11");
const QString SqliteNotADatabase = QStringLiteral("26");

const QString BookColumns = QStringLiteral(
    "id, path, title, file_size, file_hash, place, text_length, encoding, encoding_override, "
    "times_opened, added_at, last_read_at, reading_seconds, conversion, anchor_byte, anchor_place, "
    "chapter_rule");
// Where a query's own columns start after the book's.
constexpr int BookColumnCount = 17;

// The most recent activity first: reading a book, or else adding it.
const QString RecencyOrder = QStringLiteral("COALESCE(last_read_at, added_at) DESC, id DESC");

// A book with the time of its latest reading, or else its adding, for sorting the shelf.
struct RecentBook
{
    qint64 recency;
    BookRecord record;

    bool operator<(const RecentBook &other) const
    {
        return recency != other.recency ? recency > other.recency : record.id > other.record.id;
    }
};

bool runAll(QSqlQuery &query, const QStringList &statements)
{
    for (const QString &sql : statements) {
        if (!query.exec(sql))
            return false;
    }
    return true;
}

bool createFirstSchema(QSqlQuery &query)
{
    return runAll(query, {
        QStringLiteral("CREATE TABLE books ("
                       " id INTEGER PRIMARY KEY,"
                       " path TEXT NOT NULL UNIQUE,"
                       " title TEXT NOT NULL,"
                       " file_size INTEGER NOT NULL,"
                       " file_hash BLOB NOT NULL,"
                       " place INTEGER NOT NULL DEFAULT 0,"
                       " text_length INTEGER NOT NULL DEFAULT 0,"
                       " encoding TEXT NOT NULL DEFAULT '',"
                       " encoding_override TEXT NOT NULL DEFAULT '',"
                       " times_opened INTEGER NOT NULL DEFAULT 0,"
                       " added_at INTEGER NOT NULL,"
                       " last_read_at INTEGER,"
                       " reading_seconds INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("CREATE INDEX books_by_fingerprint ON books (file_size, file_hash)"),
        QStringLiteral("CREATE INDEX books_by_last_read ON books (last_read_at)"),
        QStringLiteral("CREATE TABLE bookmarks ("
                       " id INTEGER PRIMARY KEY,"
                       " book_id INTEGER NOT NULL REFERENCES books (id) ON DELETE CASCADE,"
                       " place INTEGER NOT NULL,"
                       " snippet TEXT NOT NULL,"
                       " created_at INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX bookmarks_by_book ON bookmarks (book_id, place)"),
    });
}

// Ids that are never given out again, so that a window holding the id of a book that another
// window's reset or removal forgot cannot write onto a book added after it; and the place
// of each content a book's file had, so that a visit to a file cut short or rewritten for a
// while does not lower the place the book's own content returns to. SQLite cannot add
// AUTOINCREMENT to a table, so the tables are copied into new ones; foreign keys are off
// while this runs, so dropping the old books does not take the bookmarks with them.
bool keepIdsAndPlacesPerContent(QSqlQuery &query)
{
    return runAll(query, {
        QStringLiteral("CREATE TABLE new_books ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " path TEXT NOT NULL UNIQUE,"
                       " title TEXT NOT NULL,"
                       " file_size INTEGER NOT NULL,"
                       " file_hash BLOB NOT NULL,"
                       " place INTEGER NOT NULL DEFAULT 0,"
                       " text_length INTEGER NOT NULL DEFAULT 0,"
                       " encoding TEXT NOT NULL DEFAULT '',"
                       " encoding_override TEXT NOT NULL DEFAULT '',"
                       " times_opened INTEGER NOT NULL DEFAULT 0,"
                       " added_at INTEGER NOT NULL,"
                       " last_read_at INTEGER,"
                       " reading_seconds INTEGER NOT NULL DEFAULT 0)"),
        QStringLiteral("INSERT INTO new_books SELECT * FROM books"),
        QStringLiteral("DROP TABLE books"),
        QStringLiteral("ALTER TABLE new_books RENAME TO books"),
        QStringLiteral("CREATE INDEX books_by_fingerprint ON books (file_size, file_hash)"),
        QStringLiteral("CREATE INDEX books_by_last_read ON books (last_read_at)"),
        QStringLiteral("CREATE TABLE new_bookmarks ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " book_id INTEGER NOT NULL REFERENCES books (id) ON DELETE CASCADE,"
                       " place INTEGER NOT NULL,"
                       " snippet TEXT NOT NULL,"
                       " created_at INTEGER NOT NULL)"),
        QStringLiteral("INSERT INTO new_bookmarks SELECT * FROM bookmarks"),
        QStringLiteral("DROP TABLE bookmarks"),
        QStringLiteral("ALTER TABLE new_bookmarks RENAME TO bookmarks"),
        QStringLiteral("CREATE INDEX bookmarks_by_book ON bookmarks (book_id, place)"),
        QStringLiteral("CREATE TABLE content_places ("
                       " book_id INTEGER NOT NULL REFERENCES books (id) ON DELETE CASCADE,"
                       " file_size INTEGER NOT NULL,"
                       " file_hash BLOB NOT NULL,"
                       " place INTEGER NOT NULL,"
                       " text_length INTEGER NOT NULL,"
                       " PRIMARY KEY (book_id, file_size, file_hash))"),
    });
}

// A book may be shown in the other Chinese script whatever the choice for all books is.
bool addOwnScriptConversion(QSqlQuery &query)
{
    return runAll(query, {
        QStringLiteral("ALTER TABLE books ADD COLUMN conversion TEXT NOT NULL DEFAULT ''"),
    });
}

// Beside the place, a line start near it in the file's bytes and in the text, so that a book
// reopened there is decoded from that line on first; -1 while none is known.
bool keepAnchorsBesidePlaces(QSqlQuery &query)
{
    return runAll(query, {
        QStringLiteral("ALTER TABLE books ADD COLUMN anchor_byte INTEGER NOT NULL DEFAULT -1"),
        QStringLiteral("ALTER TABLE books ADD COLUMN anchor_place INTEGER NOT NULL DEFAULT 0"),
    });
}

// A book may have its headings found by a rule of the reader's; empty for automatic.
bool keepOwnChapterRules(QSqlQuery &query)
{
    return runAll(query, {
        QStringLiteral("ALTER TABLE books ADD COLUMN chapter_rule TEXT NOT NULL DEFAULT ''"),
    });
}

// The shelf's books, by path, whether or not they were ever opened; the lowest position is
// the newest addition. The one row of shelf_import says the shelf has been set up, so a
// shelf emptied by the reader stays empty.
bool keepTheShelf(QSqlQuery &query)
{
    return runAll(query, {
        QStringLiteral("CREATE TABLE shelf (path TEXT PRIMARY KEY, position INTEGER NOT NULL)"),
        QStringLiteral("CREATE INDEX shelf_by_position ON shelf (position)"),
        QStringLiteral("CREATE TABLE shelf_import (imported_at INTEGER NOT NULL)"),
    });
}

// The reader's clean-up rules, in their order, each for every book (book_id NULL) or for one;
// a built-in rule has a row only to say whether it is on.
bool keepCleanupRules(QSqlQuery &query)
{
    return runAll(query, {
        QStringLiteral("CREATE TABLE cleanup_rules ("
                       " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       " book_id INTEGER REFERENCES books (id) ON DELETE CASCADE,"
                       " position INTEGER NOT NULL,"
                       " name TEXT NOT NULL DEFAULT '',"
                       " kind TEXT NOT NULL,"
                       " pattern TEXT NOT NULL DEFAULT '',"
                       " scope TEXT NOT NULL,"
                       " replacement TEXT NOT NULL DEFAULT '',"
                       " enabled INTEGER NOT NULL DEFAULT 1)"),
        QStringLiteral("CREATE INDEX cleanup_rules_by_book ON cleanup_rules (book_id, position)"),
    });
}

// Migrations[i] brings a file from schema version i to version i + 1, inside one
// transaction. A new version appends its function here and raises SchemaVersion.
using Migration = bool (*)(QSqlQuery &query);
const Migration Migrations[] = { createFirstSchema, keepIdsAndPlacesPerContent,
                                 addOwnScriptConversion, keepAnchorsBesidePlaces,
                                 keepOwnChapterRules, keepTheShelf, keepCleanupRules };
static_assert(std::size(Migrations) == LibraryDatabase::SchemaVersion);

bool isDamage(const QSqlError &error)
{
    return error.nativeErrorCode() == SqliteCorrupt
        || error.nativeErrorCode() == SqliteNotADatabase;
}

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// Reads the whole file, on a pool thread and through a connection of its own, so that the
// reader need not wait for it.
bool fileIsSound(const QString &filePath, const QString &connectionName)
{
    bool sound = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(filePath);
        db.setConnectOptions(ConnectOptions + QStringLiteral(";QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA quick_check")) && query.next())
                sound = query.value(0).toString() == QLatin1String("ok");
            else
                sound = !isDamage(query.lastError());
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    return sound;
}

QDateTime timeFrom(const QVariant &value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(value.toLongLong(), Qt::UTC);
}

QString titleOf(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

BookRecord bookFromRow(const QSqlQuery &query)
{
    BookRecord record;
    record.id = query.value(0).toLongLong();
    record.path = query.value(1).toString();
    record.title = query.value(2).toString();
    record.fingerprint = BookFingerprint(query.value(3).toLongLong(), query.value(4).toByteArray());
    record.place = query.value(5).toLongLong();
    record.textLength = query.value(6).toLongLong();
    record.encoding = query.value(7).toString();
    record.encodingOverride = query.value(8).toString();
    record.timesOpened = query.value(9).toInt();
    record.addedAt = timeFrom(query.value(10));
    record.lastReadAt = timeFrom(query.value(11));
    record.readingSeconds = query.value(12).toLongLong();
    record.conversion = query.value(13).toString();
    record.anchor = { query.value(14).toLongLong(), query.value(15).toLongLong() };
    record.chapterRule = query.value(16).toString();
    return record;
}

BookRecord unstoredBook(const QString &path, const BookFingerprint &fingerprint)
{
    BookRecord record;
    record.path = path;
    record.title = titleOf(path);
    record.fingerprint = fingerprint;
    return record;
}

// Cut without splitting a surrogate pair.
QString shortened(const QString &text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    QString cut = text.left(length);
    if (cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

}

LibraryDatabase::LibraryDatabase(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder.isEmpty() ? defaultFolder() : folder)
{
    static QAtomicInteger<quint64> instances;
    m_connectionName = QStringLiteral("lexorin-library-%1").arg(++instances);
    connect(&m_check, &QFutureWatcher<bool>::finished, this, &LibraryDatabase::onCheckFinished);
}

LibraryDatabase::~LibraryDatabase()
{
    m_check.waitForFinished();
    closeConnection();
}

QString LibraryDatabase::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Bookshelf/Lexorin");
}

QString LibraryDatabase::filePath() const
{
    return QDir(m_folder).filePath(FileName);
}

QString LibraryDatabase::canonicalPath(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

LibraryDatabase::Status LibraryDatabase::open()
{
    m_check.waitForFinished();
    closeConnection();
    m_damagedFilePath.clear();
    Outcome outcome = QDir().mkpath(m_folder) ? openConnection() : Outcome::Failed;
    if (outcome == Outcome::Damaged)
        outcome = replaceDamagedFile();
    else if (outcome == Outcome::Usable)
        startCheckingFile();
    adopt(outcome);
    ++m_shelfGeneration;
    return m_status;
}

// Opening reads little of the file, enough to catch a file that is no database at all; a
// damaged page deeper inside shows only to a check of every page, which would hold up the
// start by more than everything else together. The check runs beside the start instead, and
// should it find damage, the library starts afresh a moment later.
void LibraryDatabase::startCheckingFile()
{
    m_check.setFuture(QtConcurrent::run(fileIsSound, filePath(),
                                        m_connectionName + QStringLiteral("-check")));
}

void LibraryDatabase::onCheckFinished()
{
    if (!m_check.result() && hasMemory())
        adopt(replaceDamagedFile());
}

LibraryDatabase::Outcome LibraryDatabase::replaceDamagedFile()
{
    closeConnection();
    if (!moveDamagedFileAside())
        return Outcome::Failed;
    const Outcome outcome = openConnection();
    return outcome == Outcome::Usable ? Outcome::Recovered : outcome;
}

void LibraryDatabase::adopt(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Usable:
        setStatus(Status::Ready);
        return;
    case Outcome::Recovered:
        setStatus(Status::Recovered);
        return;
    case Outcome::Newer:
        qCWarning(lcReading) << "The library file was written by a newer version; not touching it:"
                   << filePath();
        closeConnection();
        setStatus(Status::NewerVersion);
        return;
    case Outcome::Damaged:
    case Outcome::Failed:
        qCWarning(lcReading) << "Cannot use the library file; books will not be remembered:" << filePath();
        closeConnection();
        setStatus(Status::Unavailable);
        return;
    }
}

bool LibraryDatabase::hasMemory() const
{
    return m_status == Status::Ready || m_status == Status::Recovered
        || m_status == Status::WriteFailed;
}

QString LibraryDatabase::statusMessage() const
{
    switch (m_status) {
    case Status::Closed:
    case Status::Ready:
        return {};
    case Status::Recovered:
        return tr("书库文件已损坏，已改名为“%1”保存，并新建了一个空书库。")
            .arg(QFileInfo(m_damagedFilePath).fileName());
    case Status::NewerVersion:
        return tr("书库文件由更新版本的 Lexorin 写入。为免损坏它，本次不会记住阅读位置。");
    case Status::Unavailable:
        return tr("无法打开书库文件“%1”，本次不会记住阅读位置。")
            .arg(QDir::toNativeSeparators(filePath()));
    case Status::WriteFailed:
        return tr("无法保存阅读位置：磁盘可能已满，或书库正被另一个窗口占用。");
    }
    return {};
}

LibraryDatabase::Outcome LibraryDatabase::openConnection()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(filePath());
    db.setConnectOptions(ConnectOptions);
    if (!db.open())
        return Outcome::Failed;
    int version = 0;
    const Outcome outcome = checkFile(db, &version);
    if (outcome != Outcome::Usable)
        return outcome;
    QSqlQuery query(db);
    return configure(db) && migrate(db, version)
            && query.exec(QStringLiteral("PRAGMA foreign_keys = ON"))
        ? Outcome::Usable
        : Outcome::Failed;
}

// Reads before anything writes, so that a file from a newer version stays as it was.
LibraryDatabase::Outcome LibraryDatabase::checkFile(QSqlDatabase &db, int *version)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return isDamage(query.lastError()) ? Outcome::Damaged : Outcome::Failed;
    *version = query.value(0).toInt();
    if (*version > SchemaVersion)
        return Outcome::Newer;
    // Reading the table of tables catches a file cut short or overwritten at its start.
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_schema")) || !query.next())
        return isDamage(query.lastError()) ? Outcome::Damaged : Outcome::Failed;
    return Outcome::Usable;
}

// A write-ahead log keeps readers and the writer of two windows out of each other's way, and
// with it a commit that is not synced at once can be lost in a power cut but never damages
// the file; that keeps saving a place cheap enough for every page turn.
bool LibraryDatabase::configure(QSqlDatabase &db)
{
    QSqlQuery query(db);
    return runAll(query, { QStringLiteral("PRAGMA journal_mode = WAL"),
                           QStringLiteral("PRAGMA synchronous = NORMAL") });
}

bool LibraryDatabase::migrate(QSqlDatabase &db, int version)
{
    if (version == SchemaVersion)
        return true;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    // Another instance may have migrated the file while this one waited for the lock.
    bool done = query.exec(QStringLiteral("PRAGMA user_version")) && query.next();
    version = done ? query.value(0).toInt() : SchemaVersion + 1;
    query.finish();
    for (; done && version < SchemaVersion; ++version)
        done = Migrations[version](query);
    done = done && version == SchemaVersion
        && query.exec(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion))
        && query.exec(QStringLiteral("COMMIT"));
    if (!done)
        query.exec(QStringLiteral("ROLLBACK"));
    return done;
}

// The damaged file keeps its log beside it, so whatever can be rescued from the pair stays
// together; the shared-memory index is only a cache and goes.
bool LibraryDatabase::moveDamagedFileAside()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = filePath() + QStringLiteral(".damaged-") + stamp;
    for (int number = 2; QFileInfo::exists(target); ++number)
        target = filePath() + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(number);
    if (!QFile::rename(filePath(), target))
        return false;
    const QString log = filePath() + QStringLiteral("-wal");
    if (QFileInfo::exists(log))
        QFile::rename(log, target + QStringLiteral("-wal"));
    QFile::remove(filePath() + QStringLiteral("-shm"));
    m_damagedFilePath = target;
    qCWarning(lcReading) << "The library file was damaged; moved it aside to" << target;
    return true;
}

void LibraryDatabase::closeConnection()
{
    m_statements.clear();
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlQuery &LibraryDatabase::statement(const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
        query.setForwardOnly(true);
        query.prepare(sql);
        it = m_statements.insert(sql, query);
    }
    return *it;
}

QSqlQuery &LibraryDatabase::bound(const QString &sql, const QVariantList &values)
{
    QSqlQuery &query = statement(sql);
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    return query;
}

bool LibraryDatabase::read(QSqlQuery &query)
{
    if (query.exec())
        return true;
    qCWarning(lcReading) << "Cannot read the library:" << query.lastError().text();
    return false;
}

bool LibraryDatabase::write(QSqlQuery &query)
{
    const bool written = query.exec();
    if (!written)
        reportWriteFailure(query.lastError());
    query.finish();
    return written;
}

bool LibraryDatabase::inTransaction(const std::function<bool()> &work)
{
    // Taking the write lock first means no other instance can write between this one's
    // reads and its writes, and the wait for it is the busy timeout's.
    if (!write(statement(QStringLiteral("BEGIN IMMEDIATE"))))
        return false;
    if (work() && write(statement(QStringLiteral("COMMIT"))))
        return true;
    statement(QStringLiteral("ROLLBACK")).exec();
    return false;
}

void LibraryDatabase::reportWriteFailure(const QSqlError &error)
{
    if (m_status == Status::WriteFailed)
        return;
    qCWarning(lcReading) << "Cannot save to the library:" << error.text();
    setStatus(Status::WriteFailed);
}

void LibraryDatabase::setStatus(Status status)
{
    if (m_status == status)
        return;
    m_status = status;
    ++m_shelfGeneration;
    emit statusChanged(status);
}

BookRecord LibraryDatabase::firstBook(QSqlQuery &query)
{
    BookRecord record;
    if (read(query) && query.next())
        record = bookFromRow(query);
    query.finish();
    return record;
}

BookRecord LibraryDatabase::storedBookAt(const QString &path)
{
    return firstBook(bound(QStringLiteral("SELECT %1 FROM books WHERE path = ?").arg(BookColumns),
                           { path }));
}

BookRecord LibraryDatabase::bookFor(const QString &path, const BookFingerprint &fingerprint)
{
    return bookForFiledPath(canonicalPath(path), fingerprint);
}

BookRecord LibraryDatabase::bookForFiledPath(const QString &filedPath, const BookFingerprint &fingerprint)
{
    if (!hasMemory())
        return unstoredBook(filedPath, fingerprint);
    BookRecord record;
    const bool found = inTransaction([&] {
        record = storedBookAt(filedPath);
        if (record.isStored())
            return takeChangedContent(record, fingerprint);
        record = followMovedBook(filedPath, fingerprint);
        if (!record.isStored())
            record = insertBook(filedPath, fingerprint);
        return record.isStored();
    });
    if (found)
        return record;
    // Without room to write, a book the library knows keeps what it had.
    record = storedBookAt(filedPath);
    return record.isStored() ? record : unstoredBook(filedPath, fingerprint);
}

// A file that was edited or replaced under its old name stays the same book, but its old
// place may now lie beyond its end. Its text is not decoded yet, so the place is held within
// its size in bytes, which no decoding makes shorter in characters. The old content keeps
// its place aside: a file cut short while a sync client rewrites it comes back whole, and
// its reader finds the place where they left it.
bool LibraryDatabase::takeChangedContent(BookRecord &record, const BookFingerprint &fingerprint)
{
    if (!fingerprint.isValid() || record.fingerprint == fingerprint)
        return true;
    if (record.fingerprint.isValid()
        && !write(bound(QStringLiteral("INSERT OR REPLACE INTO content_places (book_id, file_size,"
                                       " file_hash, place, text_length) VALUES (?, ?, ?, ?, ?)"),
                        { record.id, record.fingerprint.size(), record.fingerprint.hash(),
                          record.place, record.textLength })))
        return false;
    QSqlQuery &earlier = bound(QStringLiteral("SELECT place, text_length FROM content_places"
                                              " WHERE book_id = ? AND file_size = ? AND file_hash = ?"),
                               { record.id, fingerprint.size(), fingerprint.hash() });
    if (read(earlier) && earlier.next()) {
        record.place = earlier.value(0).toLongLong();
        record.textLength = earlier.value(1).toLongLong();
    } else {
        record.place = qMin(record.place, fingerprint.size());
        record.textLength = 0;
    }
    earlier.finish();
    record.fingerprint = fingerprint;
    record.anchor = {};
    return write(bound(QStringLiteral("UPDATE books SET file_size = ?, file_hash = ?, place = ?,"
                                      " text_length = ?, anchor_byte = -1 WHERE id = ?"),
                       { fingerprint.size(), fingerprint.hash(), record.place, record.textLength,
                         record.id }));
}

// The same content under a new path is the same book moved or renamed, unless the old file
// is still there, which makes the new one a copy with a life of its own.
BookRecord LibraryDatabase::followMovedBook(const QString &path, const BookFingerprint &fingerprint)
{
    if (!fingerprint.isValid())
        return {};
    QSqlQuery &query = bound(QStringLiteral("SELECT %1 FROM books WHERE file_size = ?"
                                            " AND file_hash = ? ORDER BY %2")
                                 .arg(BookColumns, RecencyOrder),
                             { fingerprint.size(), fingerprint.hash() });
    BookRecord moved;
    if (read(query)) {
        while (!moved.isStored() && query.next()) {
            const BookRecord candidate = bookFromRow(query);
            if (!QFileInfo::exists(candidate.path))
                moved = candidate;
        }
    }
    query.finish();
    if (!moved.isStored())
        return {};
    moved.path = path;
    moved.title = titleOf(path);
    const bool updated = write(bound(QStringLiteral("UPDATE books SET path = ?, title = ? WHERE id = ?"),
                                     { moved.path, moved.title, moved.id }));
    return updated ? moved : BookRecord();
}

BookRecord LibraryDatabase::insertBook(const QString &path, const BookFingerprint &fingerprint)
{
    BookRecord record = unstoredBook(path, fingerprint);
    record.addedAt = QDateTime::fromMSecsSinceEpoch(now(), Qt::UTC);
    QSqlQuery &query = bound(QStringLiteral("INSERT INTO books (path, title, file_size, file_hash,"
                                            " added_at) VALUES (?, ?, ?, ?, ?)"),
                             { record.path, record.title, fingerprint.size(),
                               fingerprint.isValid() ? fingerprint.hash() : QByteArray(""),
                               record.addedAt.toMSecsSinceEpoch() });
    if (query.exec())
        record.id = query.lastInsertId().toLongLong();
    else
        reportWriteFailure(query.lastError());
    query.finish();
    return record;
}

bool LibraryDatabase::holdsBook(qint64 bookId, const QString &storedPath)
{
    if (!hasMemory())
        return false;
    QSqlQuery &query = bound(QStringLiteral("SELECT 1 FROM books WHERE id = ? AND path = ?"),
                             { bookId, storedPath });
    const bool held = read(query) && query.next();
    query.finish();
    return held;
}

BookRecord LibraryDatabase::book(const QString &path)
{
    return bookFiledAt(canonicalPath(path));
}

BookRecord LibraryDatabase::bookFiledAt(const QString &filedPath)
{
    if (!hasMemory())
        return unstoredBook(filedPath, {});
    const BookRecord record = storedBookAt(filedPath);
    return record.isStored() ? record : unstoredBook(filedPath, {});
}

BookRecord LibraryDatabase::lastReadBook()
{
    if (!hasMemory())
        return {};
    return firstBook(statement(QStringLiteral("SELECT %1 FROM books WHERE last_read_at IS NOT NULL"
                                              " ORDER BY last_read_at DESC, id DESC LIMIT 1")
                                   .arg(BookColumns)));
}

QList<BookRecord> LibraryDatabase::books()
{
    QList<BookRecord> records;
    if (!hasMemory())
        return records;
    // Reading the rows in the order they are stored and sorting them here is several times
    // faster for a long shelf than walking an index, which visits the pages in random order.
    QSqlQuery &query = statement(
        QStringLiteral("SELECT %1, COALESCE(last_read_at, added_at) FROM books").arg(BookColumns));
    std::vector<RecentBook> entries;
    if (read(query)) {
        while (query.next())
            entries.push_back({ query.value(BookColumnCount).toLongLong(), bookFromRow(query) });
    }
    query.finish();
    std::sort(entries.begin(), entries.end());
    records.reserve(qsizetype(entries.size()));
    for (RecentBook &entry : entries)
        records.append(std::move(entry.record));
    return records;
}

QList<LibraryDatabase::ShelfEntry> LibraryDatabase::shelfEntries()
{
    QList<ShelfEntry> entries;
    if (!hasMemory())
        return entries;
    QSqlQuery &query = statement(
        QStringLiteral("SELECT path, place, text_length, COALESCE(last_read_at, 0) FROM books"));
    if (read(query)) {
        while (query.next()) {
            entries.append({ query.value(0).toString(),
                             progressAt(query.value(1).toLongLong(), query.value(2).toLongLong()),
                             query.value(3).toLongLong() });
        }
    }
    query.finish();
    return entries;
}

void LibraryDatabase::recordOpened(qint64 bookId)
{
    if (hasMemory())
        write(bound(QStringLiteral("UPDATE books SET times_opened = times_opened + 1,"
                                   " last_read_at = ? WHERE id = ?"),
                    { now(), bookId }));
}

void LibraryDatabase::savePlace(qint64 bookId, qint64 place, qint64 textLength,
                                const TextAnchor &anchor)
{
    if (!hasMemory())
        return;
    textLength = qMax<qint64>(textLength, 0);
    place = qBound<qint64>(0, place, textLength);
    const bool anchored = anchor.isValid() && anchor.place <= place;
    write(bound(QStringLiteral("UPDATE books SET place = ?, text_length = ?, last_read_at = ?,"
                               " anchor_byte = ?, anchor_place = ? WHERE id = ?"),
                { place, textLength, now(), anchored ? anchor.byte : qint64(-1),
                  anchored ? anchor.place : qint64(0), bookId }));
}

void LibraryDatabase::addReadingTime(qint64 bookId, qint64 seconds)
{
    if (hasMemory() && seconds > 0)
        write(bound(QStringLiteral("UPDATE books SET reading_seconds = reading_seconds + ?"
                                   " WHERE id = ?"),
                    { seconds, bookId }));
}

void LibraryDatabase::setEncoding(qint64 bookId, const QString &encoding)
{
    if (hasMemory())
        write(bound(QStringLiteral("UPDATE books SET encoding = ? WHERE id = ?"),
                    { encoding, bookId }));
}

// A null text would bind as NULL, which the column refuses: automatic is the empty text.
void LibraryDatabase::setEncodingOverride(qint64 bookId, const QString &encoding)
{
    if (hasMemory())
        write(bound(QStringLiteral("UPDATE books SET encoding_override = ? WHERE id = ?"),
                    { encoding.isNull() ? QStringLiteral("") : encoding, bookId }));
}

void LibraryDatabase::setConversion(qint64 bookId, const QString &conversion)
{
    if (hasMemory())
        write(bound(QStringLiteral("UPDATE books SET conversion = ? WHERE id = ?"),
                    { conversion.isNull() ? QStringLiteral("") : conversion, bookId }));
}

void LibraryDatabase::setChapterRule(qint64 bookId, const QString &rule)
{
    if (hasMemory())
        write(bound(QStringLiteral("UPDATE books SET chapter_rule = ? WHERE id = ?"),
                    { rule.isNull() ? QStringLiteral("") : rule, bookId }));
}

std::vector<BookCleanupRule> LibraryDatabase::cleanupRules(qint64 bookId)
{
    std::vector<BookCleanupRule> rules;
    if (!hasMemory())
        return rules;
    QSqlQuery &query = bound(QStringLiteral("SELECT name, kind, pattern, scope, replacement, enabled, book_id"
                                            " FROM cleanup_rules WHERE book_id IS NULL OR book_id = ?"
                                            " ORDER BY position, id"),
                             { bookId });
    if (read(query)) {
        while (query.next()) {
            const std::optional<CleanupRule::Kind> kind = CleanupRules::kindOf(query.value(1).toString());
            const std::optional<CleanupRule::Scope> scope = CleanupRules::scopeOf(query.value(3).toString());
            if (!kind || !scope)
                continue;
            rules.push_back({ { query.value(0).toString(), *kind, query.value(2).toString(), *scope,
                                query.value(4).toString(), query.value(5).toBool() },
                              query.value(6).isNull() });
        }
    }
    query.finish();
    return rules;
}

// The rules for every book and those of the book are written anew together.
void LibraryDatabase::setCleanupRules(qint64 bookId, const std::vector<BookCleanupRule> &rules)
{
    if (!hasMemory())
        return;
    inTransaction([&] {
        if (!write(bound(QStringLiteral("DELETE FROM cleanup_rules WHERE book_id IS NULL OR book_id = ?"),
                         { bookId })))
            return false;
        qint64 position = 0;
        for (const BookCleanupRule &rule : rules) {
            if (!rule.forAllBooks && bookId <= 0)
                continue;
            const QVariant book = rule.forAllBooks ? QVariant(QMetaType::fromType<qint64>()) : QVariant(bookId);
            const auto text = [](const QString &value) { return value.isNull() ? QStringLiteral("") : value; };
            if (!write(bound(QStringLiteral("INSERT INTO cleanup_rules (book_id, position, name, kind, pattern,"
                                            " scope, replacement, enabled) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                             { book, position++, text(rule.rule.name), CleanupRules::keyOf(rule.rule.kind),
                               text(rule.rule.pattern), CleanupRules::keyOf(rule.rule.scope),
                               text(rule.rule.replacement), rule.rule.enabled })))
                return false;
        }
        return true;
    });
}

void LibraryDatabase::removeBook(qint64 bookId)
{
    if (hasMemory())
        write(bound(QStringLiteral("DELETE FROM books WHERE id = ?"), { bookId }));
}

QList<Bookmark> LibraryDatabase::bookmarks(qint64 bookId)
{
    QList<Bookmark> marks;
    if (!hasMemory())
        return marks;
    QSqlQuery &query = bound(QStringLiteral("SELECT id, place, snippet, created_at FROM bookmarks"
                                            " WHERE book_id = ? ORDER BY place, id"),
                             { bookId });
    if (read(query)) {
        while (query.next()) {
            marks.append({ query.value(0).toLongLong(), bookId, query.value(1).toLongLong(),
                           query.value(2).toString(), timeFrom(query.value(3)) });
        }
    }
    query.finish();
    return marks;
}

Bookmark LibraryDatabase::addBookmark(qint64 bookId, qint64 place, const QString &snippet)
{
    Bookmark mark{ 0, bookId, qMax<qint64>(place, 0), shortened(snippet, MaxSnippetLength),
                   QDateTime::fromMSecsSinceEpoch(now(), Qt::UTC) };
    if (!hasMemory())
        return mark;
    // A bookmark for a book the library does not hold is refused quietly: it is the
    // caller's mistake, not a failing disk.
    QSqlQuery &query = bound(QStringLiteral("INSERT INTO bookmarks (book_id, place, snippet,"
                                            " created_at) SELECT ?, ?, ?, ?"
                                            " WHERE EXISTS (SELECT 1 FROM books WHERE id = ?)"),
                             { bookId, mark.place, mark.snippet,
                               mark.createdAt.toMSecsSinceEpoch(), bookId });
    if (query.exec() && query.numRowsAffected() == 1)
        mark.id = query.lastInsertId().toLongLong();
    else if (query.lastError().isValid())
        reportWriteFailure(query.lastError());
    query.finish();
    return mark;
}

void LibraryDatabase::removeBookmark(qint64 bookmarkId)
{
    if (hasMemory())
        write(bound(QStringLiteral("DELETE FROM bookmarks WHERE id = ?"), { bookmarkId }));
}

void LibraryDatabase::clear()
{
    if (!hasMemory())
        return;
    ++m_shelfGeneration;
    inTransaction([this] {
        return write(statement(QStringLiteral("DELETE FROM bookmarks")))
            && write(statement(QStringLiteral("DELETE FROM cleanup_rules WHERE book_id IS NOT NULL")))
            && write(statement(QStringLiteral("DELETE FROM books")))
            && write(statement(QStringLiteral("DELETE FROM shelf")));
    });
}

bool LibraryDatabase::holdsShelf()
{
    if (!hasMemory())
        return false;
    QSqlQuery &query = statement(QStringLiteral("SELECT EXISTS (SELECT 1 FROM shelf_import)"));
    const bool held = read(query) && query.next() && query.value(0).toBool();
    query.finish();
    return held;
}

bool LibraryDatabase::adoptShelf(const QStringList &paths)
{
    if (!hasMemory())
        return false;
    if (holdsShelf())
        return true;
    // Another instance may have set the shelf up since the look above; the lock decides.
    return inTransaction([&] {
        return holdsShelf()
            || (insertOnShelf(paths, 0, 1) >= 0
                && write(bound(QStringLiteral("INSERT INTO shelf_import (imported_at) VALUES (?)"),
                               { now() })));
    });
}

QStringList LibraryDatabase::shelf()
{
    QStringList paths;
    if (!hasMemory())
        return paths;
    QSqlQuery &query = statement(QStringLiteral("SELECT path FROM shelf ORDER BY position"));
    if (read(query)) {
        while (query.next())
            paths.append(query.value(0).toString());
    }
    query.finish();
    return paths;
}

int LibraryDatabase::addToShelf(const QStringList &paths)
{
    if (!hasMemory() || paths.isEmpty())
        return 0;
    int added = 0;
    const bool done = inTransaction([&] {
        QSqlQuery &query = statement(QStringLiteral("SELECT COALESCE(MIN(position), 0) FROM shelf"));
        const bool found = read(query) && query.next();
        const qint64 front = found ? query.value(0).toLongLong() : 0;
        query.finish();
        if (!found)
            return false;
        // Each book of the batch goes in front of the ones before it, as if added one by one.
        added = insertOnShelf(paths, front - 1, -1);
        return added >= 0;
    });
    return done ? added : 0;
}

void LibraryDatabase::removeFromShelf(const QString &path)
{
    if (hasMemory())
        write(bound(QStringLiteral("DELETE FROM shelf WHERE path = ?"), { path }));
}

int LibraryDatabase::insertOnShelf(const QStringList &paths, qint64 firstPosition, int step)
{
    int inserted = 0;
    qint64 position = firstPosition;
    for (const QString &path : paths) {
        QSqlQuery &query = bound(QStringLiteral("INSERT OR IGNORE INTO shelf (path, position)"
                                                " VALUES (?, ?)"),
                                 { path, position });
        if (!query.exec()) {
            reportWriteFailure(query.lastError());
            query.finish();
            return -1;
        }
        if (query.numRowsAffected() == 1) {
            ++inserted;
            position += step;
        }
        query.finish();
    }
    return inserted;
}
