#include "library.h"

#include "cleanuprules.h"
#include "fileloader.h"
#include "fileprober.h"
#include "librarydatabase.h"

#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <utility>

Library::Library(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_database(new LibraryDatabase(folder, this))
    , m_prober(new FileProber(this))
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(SaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, &Library::flush);
    // A shelf of books under a linked folder learns all its paths at once: one signal for them.
    m_learnedTimer.setSingleShot(true);
    m_learnedTimer.setInterval(0);
    connect(&m_learnedTimer, &QTimer::timeout, this, &Library::filedPathsLearned);
    connect(m_prober, &FileProber::probed, this, [this](const QString &path, const FileProber::Facts &facts) {
        learnFiledPath(path, facts.canonicalPath);
    });
    connect(m_database, &LibraryDatabase::statusChanged, this, &Library::statusChanged);
    // The desktop session may end the program without closing its window first.
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, &Library::flush);
        connect(app, &QCoreApplication::aboutToQuit, this, &Library::flush);
    }
}

Library::~Library()
{
    flush();
}

QString Library::open()
{
    m_database->open();
    return m_database->statusMessage();
}

QString Library::statusMessage() const
{
    return m_database->statusMessage();
}

void Library::follow(FileLoader *loader)
{
    loader->setChapterRules([this](const QString &path) {
        return ChapterRule::fromKey(recordFor(path).chapterRule);
    });
    loader->setCleanupRules([this](const QString &path) { return CleanupRules::enabled(cleanupRules(path)); });
    connect(loader, &FileLoader::bookDecoded, this, &Library::noteDecoded);
    connect(loader, &FileLoader::bookDecoded, this,
            [this](const QString &path, const BookFingerprint &, const QString &, qsizetype count) {
                if (count > 0)
                    emit undecodableBytesFound(path, count);
            });
    connect(loader, &FileLoader::anchorsFound, this, &Library::noteAnchors);
}

// A place still waiting to be written is newer than the stored one: a book reopened within
// the second would otherwise open at the old place and then save that over the new one.
// The path's canonical form is asked about afresh, a link may point elsewhere by now; a book
// opened through a link not known yet finds its record once it is read (movedBookFound()).
BookRecord Library::recordFor(const QString &path)
{
    if (!m_pending.path.isEmpty() && m_pending.path == path)
        flush();
    const bool filedPathKnown = m_filedPaths.contains(path);
    const BookRecord record = m_database->bookFiledAt(filedPathNow(path));
    if (!filedPathKnown)
        m_placesHandedOut.insert(path, record.place);
    m_prober->probe(path);
    return record;
}

QString Library::lastReadBook() const
{
    return m_database->lastReadBook().path;
}

// Paths on the shelf are matched as given first, then by their canonical paths as far as
// they are known; the others are asked about, and the shelf is told when that matters.
Library::Shelf Library::shelfOf(const QStringList &books, Settings::ShelfOrder order) const
{
    QHash<QString, LibraryDatabase::ShelfEntry> stored;
    for (LibraryDatabase::ShelfEntry &entry : m_database->shelfEntries())
        stored.insert(entry.path, std::move(entry));
    Shelf shelf;
    QList<std::pair<qint64, QString>> read;
    QStringList unread;
    for (const QString &path : books) {
        auto found = stored.constFind(path);
        if (found == stored.cend() && !stored.isEmpty())
            found = stored.constFind(filedPathNow(path));
        if (found == stored.cend()) {
            unread.append(path);
            continue;
        }
        shelf.progress.insert(path, found->progress);
        if (found->lastReadMsecs > 0)
            read.append({ found->lastReadMsecs, path });
        else
            unread.append(path);
    }
    if (order == Settings::ShelfOrder::Added) {
        shelf.books = books;
        return shelf;
    }
    std::stable_sort(read.begin(), read.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    shelf.books.reserve(books.size());
    for (const auto &entry : std::as_const(read))
        shelf.books.append(entry.second);
    shelf.books += unread;
    return shelf;
}

void Library::noteDecoded(const QString &path, const BookFingerprint &fingerprint,
                          const QString &encoding)
{
    const QString filed = filedPath(path);
    learnFiledPath(path, filed);
    const qint64 placeOpenedAt = m_placesHandedOut.contains(path) ? m_placesHandedOut.take(path)
                                                                  : m_database->bookFiledAt(filed).place;
    const BookRecord record = m_database->bookForFiledPath(filed, fingerprint);
    if (!record.isStored())
        return;
    m_ids.insert(path, { record.id, record.path });
    // The encoding kept is the one detection found, also while the reader has chosen another.
    if (record.encodingOverride.isEmpty())
        m_database->setEncoding(record.id, encoding);
    // Reading the book again in another format or encoding is no new opening.
    if (std::exchange(m_lastOpened, path) != path)
        m_database->recordOpened(record.id);
    if (record.place > placeOpenedAt)
        emit movedBookFound(path, record);
}

void Library::setEncodingOverride(const QString &path, const QString &encoding)
{
    // Places in another encoding's text lie elsewhere: the anchors wait for its decoding.
    if (path == m_anchoredBook)
        m_anchors.clear();
    if (const qint64 id = idOf(path))
        m_database->setEncodingOverride(id, encoding);
}

void Library::setConversion(const QString &path, const QString &conversion)
{
    if (const qint64 id = idOf(path))
        m_database->setConversion(id, conversion);
}

void Library::setChapterRule(const QString &path, const QString &rule)
{
    if (const qint64 id = idOf(path))
        m_database->setChapterRule(id, rule);
}

// A book the library does not know has no rules of its own.
std::vector<BookCleanupRule> Library::cleanupRules(const QString &path)
{
    return CleanupRules::withBuiltIns(m_database->cleanupRules(idOf(path)));
}

void Library::setCleanupRules(const QString &path, const std::vector<BookCleanupRule> &rules)
{
    m_database->setCleanupRules(idOf(path), rules);
}

void Library::noteAnchors(const QString &path, const std::vector<TextAnchor> &anchors)
{
    m_anchoredBook = path;
    m_anchors = anchors;
}

TextAnchor Library::anchorFor(const QString &path, qsizetype place) const
{
    if (path != m_anchoredBook)
        return {};
    const auto after = std::upper_bound(m_anchors.begin(), m_anchors.end(), place,
                                        [](qsizetype place, const TextAnchor &anchor) {
                                            return place < anchor.place;
                                        });
    return after == m_anchors.begin() ? TextAnchor() : *std::prev(after);
}

void Library::keepPlace(const QString &path, qsizetype place, qsizetype textLength)
{
    if (path.isEmpty())
        return;
    if (!m_pending.path.isEmpty() && m_pending.path != path)
        flush();
    m_pending = { path, place, textLength };
    m_saveTimer.start();
    if (path == m_bookInReading)
        m_readingClock.noteMove();
}

void Library::setBookInReading(const QString &path)
{
    if (path == m_bookInReading)
        return;
    m_readingClock.stop();
    saveReadingTime();
    m_bookInReading = path;
    if (!path.isEmpty())
        m_readingClock.start();
}

void Library::flush()
{
    m_saveTimer.stop();
    const PendingPlace pending = std::exchange(m_pending, {});
    if (const qint64 id = pending.path.isEmpty() ? 0 : idOf(pending.path))
        m_database->savePlace(id, pending.place, pending.textLength,
                              anchorFor(pending.path, pending.place));
    saveReadingTime();
}

void Library::saveReadingTime()
{
    const qint64 seconds = m_readingClock.takeSeconds();
    if (const qint64 id = seconds > 0 && !m_bookInReading.isEmpty() ? idOf(m_bookInReading) : 0)
        m_database->addReadingTime(id, seconds);
}

QList<Bookmark> Library::bookmarks(const QString &path) const
{
    const qint64 id = idOf(path);
    return id ? m_database->bookmarks(id) : QList<Bookmark>();
}

Bookmark Library::addBookmark(const QString &path, qsizetype place, const QString &snippet)
{
    const qint64 id = idOf(path);
    return id ? m_database->addBookmark(id, place, snippet) : Bookmark();
}

void Library::removeBookmark(qint64 bookmarkId)
{
    m_database->removeBookmark(bookmarkId);
}

std::optional<Bookmark> Library::bookmarkWithin(const QString &path, qint64 from, qint64 to) const
{
    for (const Bookmark &bookmark : bookmarks(path)) {
        if (bookmark.place >= from && bookmark.place < to)
            return bookmark;
    }
    return std::nullopt;
}

QString Library::snippetOf(const QString &pageText)
{
    for (const QStringView line : QStringView(pageText).split(u'\n')) {
        const QStringView text = line.trimmed();
        if (!text.isEmpty())
            return text.left(LibraryDatabase::MaxSnippetLength).toString();
    }
    return QString();
}

void Library::forget(const QString &path)
{
    if (m_pending.path == path)
        m_pending = {};
    if (m_bookInReading == path)
        m_readingClock.takeSeconds(); // the time counted for it goes with it
    const qint64 id = idOf(path);
    if (id)
        m_database->removeBook(id);
    m_ids.remove(path);
}

void Library::clear()
{
    m_saveTimer.stop();
    m_pending = {};
    m_readingClock.takeSeconds();
    m_ids.clear();
    m_lastOpened.clear();
    m_database->clear();
}

// A book not opened in this run is looked up by its path, and so is one whose record another
// window forgot or moved since: its id is never given to another book, and a write to it
// would be lost.
qint64 Library::idOf(const QString &path) const
{
    const auto found = m_ids.constFind(path);
    if (found != m_ids.cend() && m_database->holdsBook(found->id, found->storedPath))
        return found->id;
    return m_database->bookFiledAt(filedPathNow(path)).id;
}

QString Library::filedPathNow(const QString &path) const
{
    if (const auto known = m_filedPaths.constFind(path); known != m_filedPaths.cend())
        return *known;
    m_prober->probe(path);
    return QDir::cleanPath(path);
}

// A book is read from its file just before it is filed: that file's canonical path has been
// asked about when it was opened, and has almost always been answered by then. A record filed
// under a link's spelling would be a second record of the same book. What is looked up here
// is kept: the book reopened at its record's place must not look moved again.
QString Library::filedPath(const QString &path) const
{
    const auto known = m_filedPaths.constFind(path);
    return known != m_filedPaths.cend() ? *known : LibraryDatabase::canonicalPath(path);
}

// A file that is not there is filed under its path as spelled, as LibraryDatabase does.
void Library::learnFiledPath(const QString &path, const QString &canonicalPath)
{
    const QString filed = canonicalPath.isEmpty() ? QDir::cleanPath(path) : canonicalPath;
    const auto known = m_filedPaths.constFind(path);
    const QString before = known != m_filedPaths.cend() ? *known : QDir::cleanPath(path);
    m_filedPaths.insert(path, filed);
    if (filed != before)
        m_learnedTimer.start();
}
