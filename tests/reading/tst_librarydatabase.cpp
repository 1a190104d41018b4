#include "cleanuprules.h"
#include "linecleaner.h"
#include "filesizelimit.h"
#include "librarydatabase.h"
#include "testmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTranslator>

#include <csignal>
#include <sys/resource.h>

class TestLibraryDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaultFolderIsUnderTheUsersDataFolder();
    void remembersABookAcrossInstances();
    void savedPlaceStaysWithinTheText_data();
    void savedPlaceStaysWithinTheText();
    void findsABookUnderAnotherSpellingOfItsPath();
    void movedBookKeepsItsState();
    void copiedBookStartsAfresh();
    void changedBookKeepsItsPlaceWithinItsNewSize();
    void anAnchorIsKeptBesideThePlaceOfItsContent_data();
    void anAnchorIsKeptBesideThePlaceOfItsContent();
    void contentSeenBeforeBringsBackItsPlace();
    void idsAreNeverGivenOutAgain();
    void aFileOfTheFirstVersionKeepsItsBooksAndBookmarks();
    void aFileOfVersionSixGainsCleanupRules();
    void cleanupRulesAreKeptForEveryBookOrForOne();
    void booksComeMostRecentFirst();
    void bookmarksAreAddedListedAndRemoved();
    void bookmarkForAnUnknownBookIsRefused();
    void removingABookForgetsItsBookmarks();
    void clearForgetsEverything();
    void damagedFileIsMovedAsideAndReplaced_data();
    void damagedFileIsMovedAsideAndReplaced();
    void newerFileIsLeftUntouched();
    void folderThatCannotBeCreatedMeansNoMemory();
    void noticesSpeakTheReadersLanguage_data();
    void noticesSpeakTheReadersLanguage();
    void fullDiskAtStartMeansNoMemory();
    void fullDiskDuringReadingIsReportedOnce();
    void twoInstancesShareOneFile();
    void bookIsFoundWhileAnotherInstanceHoldsTheLock();
    void writerKilledMidWriteLeavesTheFileSound();

private:
    QString folder() const { return m_dir->filePath(QStringLiteral("data/Bookshelf/Lexorin")); }
    QString libraryFile() const { return folder() + QStringLiteral("/library.sqlite"); }
    QString writeBook(const QString &name, const QByteArray &bytes);
    BookRecord addBook(LibraryDatabase &library, const QString &name, const QByteArray &bytes);
    void fillLibrary(int bookCount);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QByteArray Text = QByteArrayLiteral("The lighthouse keeper counted the ships.\n");

// Runs SQL on the library file through a connection of its own, as a second program would.
class Inspector
{
public:
    explicit Inspector(const QString &file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        db.setDatabaseName(file);
        db.open();
    }
    ~Inspector() { QSqlDatabase::removeDatabase(Name); }

    QVariant value(const QString &sql) const
    {
        QSqlQuery query(QSqlDatabase::database(Name));
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }
    bool run(const QString &sql) const
    {
        QSqlQuery query(QSqlDatabase::database(Name));
        return query.exec(sql);
    }

private:
    static inline const QString Name = QStringLiteral("inspector");
};

QString integrityOf(const QString &file)
{
    return Inspector(file).value(QStringLiteral("PRAGMA integrity_check")).toString();
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every call a caller might make, on a library that cannot remember: none may fail loudly
// or leave anything behind.
void exerciseWithoutMemory(LibraryDatabase &library, const QString &bookPath)
{
    const BookRecord record = library.bookFor(bookPath, BookFingerprint::ofFile(bookPath));
    QVERIFY(!record.isStored());
    QCOMPARE(record.path, LibraryDatabase::canonicalPath(bookPath));
    QCOMPARE(record.title, QStringLiteral("tales"));
    library.recordOpened(record.id);
    library.savePlace(record.id, 10, 20);
    library.addReadingTime(record.id, 60);
    library.setEncoding(record.id, QStringLiteral("GB18030"));
    library.setEncodingOverride(record.id, QStringLiteral("Big5"));
    QCOMPARE(library.addBookmark(record.id, 5, QStringLiteral("ships")).id, 0);
    library.removeBookmark(1);
    library.removeBook(1);
    library.clear();
    QVERIFY(library.books().isEmpty());
    QVERIFY(library.bookmarks(1).isEmpty());
    QVERIFY(!library.lastReadBook().isStored());
    QVERIFY(!library.book(bookPath).isStored());
}

}

void TestLibraryDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestLibraryDatabase::writeBook(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

BookRecord TestLibraryDatabase::addBook(LibraryDatabase &library, const QString &name,
                                        const QByteArray &bytes)
{
    const QString path = writeBook(name, bytes);
    return library.bookFor(path, BookFingerprint::ofFile(path));
}

// Enough books that the file spans many pages, so that cutting it short loses some.
void TestLibraryDatabase::fillLibrary(int bookCount)
{
    LibraryDatabase library(folder());
    QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
    for (int number = 0; number < bookCount; ++number) {
        const QString path = QStringLiteral("/books/harbour tales, volume %1.txt").arg(number);
        const BookRecord record =
            library.bookFor(path, BookFingerprint(number, QByteArray::number(number)));
        library.savePlace(record.id, number, bookCount);
    }
}

void TestLibraryDatabase::defaultFolderIsUnderTheUsersDataFolder()
{
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    QVERIFY(!dataHome.isEmpty());
    QCOMPARE(LibraryDatabase().filePath(), dataHome + QStringLiteral("/Bookshelf/Lexorin/library.sqlite"));
}

void TestLibraryDatabase::remembersABookAcrossInstances()
{
    const QString path = writeBook(QStringLiteral("tales.txt"), Text);
    qint64 id = 0;
    {
        LibraryDatabase library(folder());
        QSignalSpy changes(&library, &LibraryDatabase::statusChanged);
        QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
        QCOMPARE(changes.size(), 1);
        QVERIFY(library.statusMessage().isEmpty());

        const BookRecord record = library.bookFor(path, BookFingerprint::ofFile(path));
        QVERIFY(record.isStored());
        QCOMPARE(record.title, QStringLiteral("tales"));
        QVERIFY(record.addedAt.isValid());
        QVERIFY(record.lastReadAt.isNull());
        id = record.id;
        library.recordOpened(id);
        library.recordOpened(id);
        library.savePlace(id, 30, 40);
        library.addReadingTime(id, 90);
        library.addReadingTime(id, 30);
        library.addReadingTime(id, -500);
        library.setEncoding(id, QStringLiteral("GB18030"));
        library.setEncodingOverride(id, QStringLiteral("Big5"));
        library.setConversion(id, QStringLiteral("s2tw"));
        library.setChapterRule(id, QStringLiteral("pattern:^第.+章$"));
    }

    LibraryDatabase library(folder());
    QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
    const BookRecord record = library.book(path);
    QCOMPARE(record.id, id);
    QCOMPARE(record.path, QFileInfo(path).canonicalFilePath());
    QCOMPARE(record.fingerprint, BookFingerprint::ofFile(path));
    QCOMPARE(record.place, 30);
    QCOMPARE(record.textLength, 40);
    QCOMPARE(record.progress(), 0.75);
    QCOMPARE(record.timesOpened, 2);
    QCOMPARE(record.readingSeconds, 120);
    QCOMPARE(record.encoding, QStringLiteral("GB18030"));
    QCOMPARE(record.encodingOverride, QStringLiteral("Big5"));
    QCOMPARE(record.conversion, QStringLiteral("s2tw"));
    QCOMPARE(record.chapterRule, QStringLiteral("pattern:^第.+章$"));
    QVERIFY(record.lastReadAt >= record.addedAt);
    QCOMPARE(library.lastReadBook().id, id);

    Inspector inspector(libraryFile());
    QCOMPARE(inspector.value(QStringLiteral("PRAGMA user_version")).toInt(),
             LibraryDatabase::SchemaVersion);
    QCOMPARE(inspector.value(QStringLiteral("PRAGMA journal_mode")).toString(),
             QStringLiteral("wal"));
}

void TestLibraryDatabase::savedPlaceStaysWithinTheText_data()
{
    QTest::addColumn<qint64>("place");
    QTest::addColumn<qint64>("textLength");
    QTest::addColumn<qint64>("savedPlace");
    QTest::addColumn<qint64>("savedLength");

    QTest::newRow("inside") << qint64(5) << qint64(10) << qint64(5) << qint64(10);
    QTest::newRow("at the end") << qint64(10) << qint64(10) << qint64(10) << qint64(10);
    QTest::newRow("beyond the end") << qint64(25) << qint64(10) << qint64(10) << qint64(10);
    QTest::newRow("before the start") << qint64(-3) << qint64(10) << qint64(0) << qint64(10);
    QTest::newRow("negative length") << qint64(4) << qint64(-10) << qint64(0) << qint64(0);
    QTest::newRow("past 4 GiB") << qint64(5'000'000'000) << qint64(6'000'000'000)
                                << qint64(5'000'000'000) << qint64(6'000'000'000);
}

void TestLibraryDatabase::savedPlaceStaysWithinTheText()
{
    QFETCH(qint64, place);
    QFETCH(qint64, textLength);
    QFETCH(qint64, savedPlace);
    QFETCH(qint64, savedLength);

    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    library.savePlace(record.id, place, textLength);

    const BookRecord saved = library.book(record.path);
    QCOMPARE(saved.place, savedPlace);
    QCOMPARE(saved.textLength, savedLength);
    QVERIFY(saved.progress() >= 0.0 && saved.progress() <= 1.0);
}

void TestLibraryDatabase::findsABookUnderAnotherSpellingOfItsPath()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("tales.txt")),
                        m_dir->filePath(QStringLiteral("link.txt"))));

    for (const QString &spelling : { m_dir->filePath(QStringLiteral("data/../tales.txt")),
                                     m_dir->filePath(QStringLiteral("link.txt")) }) {
        QCOMPARE(library.book(spelling).id, record.id);
        QCOMPARE(library.bookFor(spelling, BookFingerprint::ofFile(spelling)).id, record.id);
    }
    QCOMPARE(library.books().size(), 1);
}

void TestLibraryDatabase::movedBookKeepsItsState()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    library.savePlace(record.id, 12, Text.size());
    library.addBookmark(record.id, 7, QStringLiteral("keeper"));
    const QString newPath = m_dir->filePath(QStringLiteral("renamed.txt"));
    QVERIFY(QFile::rename(record.path, newPath));

    const BookRecord moved = library.bookFor(newPath, BookFingerprint::ofFile(newPath));
    QCOMPARE(moved.id, record.id);
    QCOMPARE(moved.path, QFileInfo(newPath).canonicalFilePath());
    QCOMPARE(moved.title, QStringLiteral("renamed"));
    QCOMPARE(moved.place, 12);
    QCOMPARE(library.bookmarks(moved.id).size(), 1);
    QCOMPARE(library.books().size(), 1);
    QVERIFY(!library.book(record.path).isStored());
    QCOMPARE(library.book(newPath).id, record.id);
}

// Two files with the same content, both present, are two books with places of their own.
void TestLibraryDatabase::copiedBookStartsAfresh()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord original = addBook(library, QStringLiteral("tales.txt"), Text);
    library.savePlace(original.id, 12, Text.size());

    const BookRecord copy = addBook(library, QStringLiteral("copy.txt"), Text);
    QVERIFY(copy.isStored());
    QVERIFY(copy.id != original.id);
    QCOMPARE(copy.place, 0);
    QCOMPARE(library.book(original.path).place, 12);
}

void TestLibraryDatabase::changedBookKeepsItsPlaceWithinItsNewSize()
{
    LibraryDatabase library(folder());
    library.open();
    const QByteArray longText = Text.repeated(20);
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), longText);
    library.savePlace(record.id, 400, longText.size());
    library.addBookmark(record.id, 400, QStringLiteral("ships"));

    const BookRecord edited = addBook(library, QStringLiteral("tales.txt"), Text.repeated(15));
    QCOMPARE(edited.id, record.id);
    QCOMPARE(edited.place, 400);
    QCOMPARE(edited.fingerprint, BookFingerprint::ofFile(record.path));

    const BookRecord shortened = addBook(library, QStringLiteral("tales.txt"), Text);
    QCOMPARE(shortened.id, record.id);
    QCOMPARE(shortened.place, Text.size());
    QCOMPARE(shortened.placeWithin(30), 30);
    QCOMPARE(shortened.progress(), 0.0);
    QCOMPARE(library.book(record.path).place, Text.size());
    QCOMPARE(library.bookmarks(record.id).size(), 1);
    QCOMPARE(library.books().size(), 1);
}

// A line start at or before the place is kept beside it, across instances, until the place
// moves without one or the file's content changes: then the bytes there are another text's.
void TestLibraryDatabase::anAnchorIsKeptBesideThePlaceOfItsContent_data()
{
    QTest::addColumn<qint64>("anchorPlace");
    QTest::addColumn<bool>("kept");
    QTest::newRow("before the place") << qint64(380) << true;
    QTest::newRow("at the place") << qint64(400) << true;
    QTest::newRow("after the place") << qint64(401) << false;
}

void TestLibraryDatabase::anAnchorIsKeptBesideThePlaceOfItsContent()
{
    QFETCH(qint64, anchorPlace);
    QFETCH(bool, kept);
    const QByteArray longText = Text.repeated(20);
    qint64 id = 0;
    {
        LibraryDatabase library(folder());
        library.open();
        const BookRecord record = addBook(library, QStringLiteral("tales.txt"), longText);
        id = record.id;
        QVERIFY(!record.anchor.isValid());
        library.savePlace(record.id, 400, longText.size(), { anchorPlace + 3, anchorPlace });
    }
    LibraryDatabase library(folder());
    library.open();
    const BookRecord reopened = library.book(m_dir->filePath(QStringLiteral("tales.txt")));
    QCOMPARE(reopened.anchor.isValid(), kept);
    if (kept) {
        QCOMPARE(reopened.anchor.byte, anchorPlace + 3);
        QCOMPARE(reopened.anchor.place, anchorPlace);
    }
    library.savePlace(id, 400, longText.size(), { 10, 10 });
    const BookRecord edited = addBook(library, QStringLiteral("tales.txt"), Text.repeated(15));
    QCOMPARE(edited.place, 400);
    QVERIFY(!edited.anchor.isValid());
    QVERIFY(!library.book(edited.path).anchor.isValid());
}

// A file cut short for a moment, by a sync client or an editor saving it, is read with a
// place within its size; the whole file then returns to the place it had.
void TestLibraryDatabase::contentSeenBeforeBringsBackItsPlace()
{
    LibraryDatabase library(folder());
    library.open();
    const QByteArray whole = Text.repeated(20);
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), whole);
    library.savePlace(record.id, 400, whole.size());

    const BookRecord cut = addBook(library, QStringLiteral("tales.txt"), Text);
    QCOMPARE(cut.place, Text.size());
    library.savePlace(record.id, 10, Text.size());

    const BookRecord back = addBook(library, QStringLiteral("tales.txt"), whole);
    QCOMPARE(back.id, record.id);
    QCOMPARE(back.place, 400);
    QCOMPARE(back.textLength, whole.size());
    QCOMPARE(library.book(record.path).place, 400);
    QCOMPARE(addBook(library, QStringLiteral("tales.txt"), Text).place, 10);
}

// A reset or a removal in one window must leave the ids another window holds pointing at
// nothing rather than at a book added later.
void TestLibraryDatabase::idsAreNeverGivenOutAgain()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord first = addBook(library, QStringLiteral("first.txt"), Text);
    const Bookmark mark = library.addBookmark(first.id, 3, QStringLiteral("ships"));
    library.clear();
    const BookRecord second = addBook(library, QStringLiteral("second.txt"), Text + Text);
    QVERIFY(second.id != first.id);
    QVERIFY(!library.holdsBook(first.id, first.path));
    QVERIFY(library.holdsBook(second.id, second.path));
    QVERIFY(library.addBookmark(second.id, 5, QStringLiteral("keeper")).id != mark.id);
    library.removeBook(second.id);
    QVERIFY(addBook(library, QStringLiteral("third.txt"), Text).id > second.id);
}

void TestLibraryDatabase::aFileOfTheFirstVersionKeepsItsBooksAndBookmarks()
{
    QVERIFY(QDir().mkpath(folder()));
    {
        Inspector first(libraryFile());
        QVERIFY(first.run(QStringLiteral(
            "CREATE TABLE books (id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE,"
            " title TEXT NOT NULL, file_size INTEGER NOT NULL, file_hash BLOB NOT NULL,"
            " place INTEGER NOT NULL DEFAULT 0, text_length INTEGER NOT NULL DEFAULT 0,"
            " encoding TEXT NOT NULL DEFAULT '', encoding_override TEXT NOT NULL DEFAULT '',"
            " times_opened INTEGER NOT NULL DEFAULT 0, added_at INTEGER NOT NULL,"
            " last_read_at INTEGER, reading_seconds INTEGER NOT NULL DEFAULT 0)")));
        QVERIFY(first.run(QStringLiteral(
            "CREATE TABLE bookmarks (id INTEGER PRIMARY KEY,"
            " book_id INTEGER NOT NULL REFERENCES books (id) ON DELETE CASCADE,"
            " place INTEGER NOT NULL, snippet TEXT NOT NULL, created_at INTEGER NOT NULL)")));
        QVERIFY(first.run(QStringLiteral(
            "INSERT INTO books (id, path, title, file_size, file_hash, place, text_length,"
            " added_at) VALUES (7, '/books/tales.txt', 'tales', 41, x'00', 20, 41, 1)")));
        QVERIFY(first.run(QStringLiteral(
            "INSERT INTO bookmarks VALUES (3, 7, 20, 'ships', 1)")));
        QVERIFY(first.run(QStringLiteral("PRAGMA user_version = 1")));
    }
    LibraryDatabase library(folder());
    QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
    // The shelf is the settings store's until the reader imports it; the books the file
    // knows are not put on it.
    QVERIFY(!library.holdsShelf());
    QVERIFY(library.shelf().isEmpty());
    const BookRecord record = library.book(QStringLiteral("/books/tales.txt"));
    QCOMPARE(record.id, 7);
    QCOMPARE(record.place, 20);
    QVERIFY(record.conversion.isEmpty());
    QVERIFY(record.chapterRule.isEmpty());
    library.setChapterRule(7, QStringLiteral("preset:lone-numbers"));
    QCOMPARE(library.book(QStringLiteral("/books/tales.txt")).chapterRule, QStringLiteral("preset:lone-numbers"));
    const QList<Bookmark> marks = library.bookmarks(7);
    QCOMPARE(marks.size(), 1);
    QCOMPARE(marks.first().snippet, QStringLiteral("ships"));
    library.removeBook(7);
    QVERIFY(library.bookmarks(7).isEmpty());
    QCOMPARE(integrityOf(libraryFile()), QStringLiteral("ok"));
}

void TestLibraryDatabase::aFileOfVersionSixGainsCleanupRules()
{
    qint64 id = 0;
    {
        LibraryDatabase library(folder());
        library.open();
        id = addBook(library, QStringLiteral("tales.txt"), Text).id;
        library.setChapterRule(id, QStringLiteral("preset:lone-numbers"));
    }
    {
        Inspector older(libraryFile());
        QVERIFY(older.run(QStringLiteral("DROP TABLE cleanup_rules")));
        QVERIFY(older.run(QStringLiteral("PRAGMA user_version = 6")));
    }
    LibraryDatabase library(folder());
    QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
    QCOMPARE(library.book(m_dir->filePath(QStringLiteral("tales.txt"))).chapterRule, QStringLiteral("preset:lone-numbers"));
    QVERIFY(library.cleanupRules(id).empty());
    const BookCleanupRule own{ { QStringLiteral("ads"), CleanupRule::Kind::PlainText, QStringLiteral("广告"),
                                 CleanupRule::Scope::Span, QString(), true },
                               false };
    library.setCleanupRules(id, { own });
    QCOMPARE(library.cleanupRules(id), std::vector<BookCleanupRule>{ own });
    QCOMPARE(Inspector(libraryFile()).value(QStringLiteral("PRAGMA user_version")).toInt(), LibraryDatabase::SchemaVersion);
    QCOMPARE(integrityOf(libraryFile()), QStringLiteral("ok"));
}

// The rules for every book are written with any book's list; a book's own stay with it.
void TestLibraryDatabase::cleanupRulesAreKeptForEveryBookOrForOne()
{
    LibraryDatabase library(folder());
    library.open();
    const qint64 first = addBook(library, QStringLiteral("first.txt"), Text).id;
    const qint64 second = addBook(library, QStringLiteral("second.txt"), Text + Text).id;
    const auto rule = [](const QString &pattern, bool forAllBooks, bool enabled = true) {
        return BookCleanupRule{ { pattern, CleanupRule::Kind::RegularExpression, pattern,
                                  CleanupRule::Scope::WholeLine, QString(), enabled },
                                forAllBooks };
    };
    BookCleanupRule addressOff{ LineCleaner::builtInRules().front(), true };
    addressOff.rule.enabled = false;
    const BookCleanupRule everywhere = rule(QStringLiteral("^本书首发.*$"), true);
    const BookCleanupRule firstOnly = rule(QStringLiteral("^\\d+$"), false, false);
    library.setCleanupRules(first, { addressOff, everywhere, firstOnly });

    std::vector<BookCleanupRule> ofFirst = CleanupRules::withBuiltIns(library.cleanupRules(first));
    QCOMPARE(ofFirst.size(), size_t(4));
    QVERIFY(!ofFirst[0].rule.enabled);
    QVERIFY(ofFirst[1].rule.enabled);
    QCOMPARE(ofFirst[1].rule.kind, CleanupRule::Kind::SpelledOutSiteLine);
    QCOMPARE(ofFirst[2], everywhere);
    QCOMPARE(ofFirst[3], firstOnly);
    QCOMPARE(library.cleanupRules(second), (std::vector<BookCleanupRule>{ addressOff, everywhere }));

    const BookCleanupRule secondOnly = rule(QStringLiteral("^完$"), false);
    library.setCleanupRules(second, { everywhere, secondOnly });
    QCOMPARE(library.cleanupRules(first), (std::vector<BookCleanupRule>{ everywhere, firstOnly }));
    QVERIFY(CleanupRules::withBuiltIns(library.cleanupRules(first))[0].rule.enabled);

    library.removeBook(first);
    QCOMPARE(library.cleanupRules(first), std::vector<BookCleanupRule>{ everywhere });
    library.clear();
    QCOMPARE(library.cleanupRules(second), std::vector<BookCleanupRule>{ everywhere });
}

void TestLibraryDatabase::booksComeMostRecentFirst()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord first = addBook(library, QStringLiteral("first.txt"), "first");
    const BookRecord second = addBook(library, QStringLiteral("second.txt"), "second");
    const BookRecord third = addBook(library, QStringLiteral("third.txt"), "third");
    QCOMPARE(library.lastReadBook().id, 0);

    QTest::qWait(5);
    library.recordOpened(first.id);
    QTest::qWait(5);
    library.savePlace(second.id, 1, 6);
    QTest::qWait(5);
    const BookRecord added = addBook(library, QStringLiteral("added.txt"), "added");

    QList<qint64> order;
    for (const BookRecord &record : library.books())
        order.append(record.id);
    // The book added last is newer than any reading; the one never read nor added lately
    // comes last.
    QCOMPARE(order, (QList<qint64>{ added.id, second.id, first.id, third.id }));
    QCOMPARE(library.lastReadBook().id, second.id);
}

void TestLibraryDatabase::bookmarksAreAddedListedAndRemoved()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    const BookRecord other = addBook(library, QStringLiteral("other.txt"), "other");

    const Bookmark late = library.addBookmark(record.id, 30, QStringLiteral("ships"));
    const Bookmark early = library.addBookmark(record.id, 4, QStringLiteral("灯塔守望人"));
    const QString longSnippet = QStringLiteral("夜").repeated(LibraryDatabase::MaxSnippetLength - 1)
        + QStringLiteral("😀");
    const Bookmark negative = library.addBookmark(record.id, -8, longSnippet);
    library.addBookmark(other.id, 1, QStringLiteral("elsewhere"));
    QVERIFY(late.id > 0 && early.id > 0 && negative.id > 0);

    QList<Bookmark> marks = library.bookmarks(record.id);
    QCOMPARE(marks.size(), 3);
    QCOMPARE(marks.at(0).id, negative.id);
    QCOMPARE(marks.at(0).place, 0);
    // Cut before the emoji rather than through it.
    QCOMPARE(marks.at(0).snippet, longSnippet.left(LibraryDatabase::MaxSnippetLength - 1));
    QCOMPARE(marks.at(1).snippet, QStringLiteral("灯塔守望人"));
    QCOMPARE(marks.at(1).bookId, record.id);
    QVERIFY(marks.at(1).createdAt.isValid());
    QCOMPARE(marks.at(2).id, late.id);

    library.removeBookmark(early.id);
    marks = library.bookmarks(record.id);
    QCOMPARE(marks.size(), 2);
    QCOMPARE(marks.at(0).id, negative.id);
    QCOMPARE(marks.at(1).id, late.id);
    QCOMPARE(library.bookmarks(other.id).size(), 1);
}

void TestLibraryDatabase::bookmarkForAnUnknownBookIsRefused()
{
    LibraryDatabase library(folder());
    library.open();
    QCOMPARE(library.addBookmark(42, 3, QStringLiteral("nowhere")).id, 0);
    QVERIFY(library.bookmarks(42).isEmpty());
    QCOMPARE(library.status(), LibraryDatabase::Status::Ready);
}

void TestLibraryDatabase::removingABookForgetsItsBookmarks()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    const BookRecord kept = addBook(library, QStringLiteral("kept.txt"), "kept");
    library.addBookmark(record.id, 3, QStringLiteral("gone"));
    library.addBookmark(kept.id, 1, QStringLiteral("kept"));

    library.removeBook(record.id);
    QVERIFY(!library.book(record.path).isStored());
    QCOMPARE(library.books().size(), 1);
    QCOMPARE(library.bookmarks(kept.id).size(), 1);
    QCOMPARE(Inspector(libraryFile()).value(QStringLiteral("SELECT COUNT(*) FROM bookmarks")).toInt(),
             1);

    // Opening it again starts from the beginning.
    const BookRecord again = library.bookFor(record.path, record.fingerprint);
    QVERIFY(again.isStored());
    QCOMPARE(again.place, 0);
    QVERIFY(library.bookmarks(again.id).isEmpty());
}

void TestLibraryDatabase::clearForgetsEverything()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    library.recordOpened(record.id);
    library.addBookmark(record.id, 3, QStringLiteral("ships"));

    library.clear();
    QVERIFY(library.books().isEmpty());
    QVERIFY(library.bookmarks(record.id).isEmpty());
    QVERIFY(!library.lastReadBook().isStored());
    QCOMPARE(library.status(), LibraryDatabase::Status::Ready);
    QVERIFY(addBook(library, QStringLiteral("tales.txt"), Text).isStored());
}

void TestLibraryDatabase::damagedFileIsMovedAsideAndReplaced_data()
{
    QTest::addColumn<QString>("damage");

    QTest::newRow("garbage bytes") << QStringLiteral("garbage");
    QTest::newRow("cut inside the header") << QStringLiteral("header");
    QTest::newRow("cut in half") << QStringLiteral("half");
    QTest::newRow("a page deep inside overwritten") << QStringLiteral("page");
}

void TestLibraryDatabase::damagedFileIsMovedAsideAndReplaced()
{
    QFETCH(QString, damage);

    if (damage == QLatin1String("garbage")) {
        QVERIFY(QDir().mkpath(folder()));
        QFile file(libraryFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 5000; ++i)
            file.write(QByteArray::number(i * 7919 % 65521, 16));
    } else {
        fillLibrary(300);
        QFile file(libraryFile());
        QVERIFY(file.size() > 8 * 4096);
        if (damage == QLatin1String("page")) {
            QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(file.size() - 2 * 4096 + 100));
            file.write(QByteArray(3000, '\xA5'));
        } else {
            QVERIFY(file.resize(damage == QLatin1String("header") ? 50 : file.size() / 2));
        }
    }
    const QByteArray damagedBytes = contentOf(libraryFile());

    LibraryDatabase library(folder());
    QSignalSpy changes(&library, &LibraryDatabase::statusChanged);
    library.open();
    // Damage deep inside the file shows only to the check that runs beside the start.
    QTRY_COMPARE(library.status(), LibraryDatabase::Status::Recovered);
    QCOMPARE(changes.last().first().value<LibraryDatabase::Status>(),
             LibraryDatabase::Status::Recovered);
    QVERIFY(library.hasMemory());

    const QFileInfo aside(library.damagedFilePath());
    QVERIFY(QRegularExpression(QStringLiteral("^library\\.sqlite\\.damaged-\\d{8}-\\d{6}$"))
                .match(aside.fileName())
                .hasMatch());
    QCOMPARE(aside.absolutePath(), QFileInfo(libraryFile()).absolutePath());
    QCOMPARE(contentOf(aside.filePath()), damagedBytes);
    QVERIFY(library.statusMessage().contains(aside.fileName()));

    QVERIFY(library.books().isEmpty());
    QVERIFY(addBook(library, QStringLiteral("tales.txt"), Text).isStored());
    QCOMPARE(integrityOf(libraryFile()), QStringLiteral("ok"));

    // Only the start that found the damage reports it.
    LibraryDatabase next(folder());
    QSignalSpy nextChanges(&next, &LibraryDatabase::statusChanged);
    QCOMPARE(next.open(), LibraryDatabase::Status::Ready);
    QCOMPARE(next.books().size(), 1);
    QTest::qWait(200);
    QCOMPARE(nextChanges.size(), 1);
}

void TestLibraryDatabase::newerFileIsLeftUntouched()
{
    QVERIFY(QDir().mkpath(folder()));
    {
        Inspector newer(libraryFile());
        QVERIFY(newer.run(QStringLiteral("CREATE TABLE shelves (name TEXT)")));
        QVERIFY(newer.run(QStringLiteral("INSERT INTO shelves VALUES ('favourites')")));
        QVERIFY(newer.run(QStringLiteral("PRAGMA user_version = %1")
                              .arg(LibraryDatabase::SchemaVersion + 1)));
    }
    const QByteArray bytes = contentOf(libraryFile());
    const QString bookPath = writeBook(QStringLiteral("tales.txt"), Text);
    {
        LibraryDatabase library(folder());
        QSignalSpy changes(&library, &LibraryDatabase::statusChanged);
        QCOMPARE(library.open(), LibraryDatabase::Status::NewerVersion);
        QCOMPARE(changes.size(), 1);
        QVERIFY(!library.hasMemory());
        QVERIFY(!library.statusMessage().isEmpty());
        exerciseWithoutMemory(library, bookPath);
        QCOMPARE(changes.size(), 1);
    }
    QCOMPARE(contentOf(libraryFile()), bytes);
    const QStringList files = QDir(folder()).entryList(QDir::Files);
    QCOMPARE(files, QStringList{ QStringLiteral("library.sqlite") });
}

// Permissions do not stop root, so the folder is made impossible instead: its parent is a
// plain file.
void TestLibraryDatabase::folderThatCannotBeCreatedMeansNoMemory()
{
    const QString blocker = writeBook(QStringLiteral("blocker"), "not a folder");
    const QString bookPath = writeBook(QStringLiteral("tales.txt"), Text);

    LibraryDatabase library(blocker + QStringLiteral("/Bookshelf/Lexorin"));
    QSignalSpy changes(&library, &LibraryDatabase::statusChanged);
    QCOMPARE(library.open(), LibraryDatabase::Status::Unavailable);
    QCOMPARE(changes.size(), 1);
    QVERIFY(!library.hasMemory());
    QVERIFY(library.statusMessage().contains(QStringLiteral("library.sqlite")));
    exerciseWithoutMemory(library, bookPath);
    QCOMPARE(changes.size(), 1);
}

void TestLibraryDatabase::noticesSpeakTheReadersLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("notice");

    QTest::newRow("English") << QStringLiteral("en_US")
                             << QStringLiteral("Cannot open the library file \"%1\". Reading places "
                                               "will not be remembered this time.");
    QTest::newRow("Traditional Chinese") << QStringLiteral("zh_TW")
                                         << QStringLiteral("無法開啟書庫檔案「%1」，本次不會記住閱讀位置。");
}

void TestLibraryDatabase::noticesSpeakTheReadersLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, notice);

    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/translations/lang_%1.qm").arg(language)));
    QCoreApplication::installTranslator(&translator);
    const QString blocked = writeBook(QStringLiteral("blocker"), "not a folder");
    LibraryDatabase library(blocked);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot use the library")));
    library.open();
    const QString message = library.statusMessage();
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(message, notice.arg(QDir::toNativeSeparators(library.filePath())));
}

void TestLibraryDatabase::fullDiskAtStartMeansNoMemory()
{
    const QString bookPath = writeBook(QStringLiteral("tales.txt"), Text);
    QVERIFY(QDir().mkpath(folder()));

    LibraryDatabase library(folder());
    QSignalSpy changes(&library, &LibraryDatabase::statusChanged);
    {
        FileSizeLimit full(0);
        QCOMPARE(library.open(), LibraryDatabase::Status::Unavailable);
    }
    QCOMPARE(changes.size(), 1);
    exerciseWithoutMemory(library, bookPath);
    QCOMPARE(changes.size(), 1);
}

// A disk that fills up while the reader reads: each save fails, the reader hears of it once,
// what was saved before stays readable, and saving resumes once there is room again.
void TestLibraryDatabase::fullDiskDuringReadingIsReportedOnce()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    library.savePlace(record.id, 5, 100);
    QSignalSpy changes(&library, &LibraryDatabase::statusChanged);
    {
        const qint64 logSize = QFileInfo(libraryFile() + QStringLiteral("-wal")).size();
        FileSizeLimit full(qMax<qint64>(logSize, 32 * 1024) + 8 * 1024);
        for (int place = 6; place < 60; ++place)
            library.savePlace(record.id, place, 100);
        library.addBookmark(record.id, 3, QStringLiteral("ships"));
    }
    QCOMPARE(changes.size(), 1);
    QCOMPARE(library.status(), LibraryDatabase::Status::WriteFailed);
    QVERIFY(!library.statusMessage().isEmpty());
    QVERIFY(library.book(record.path).isStored());

    library.savePlace(record.id, 80, 100);
    QCOMPARE(library.book(record.path).place, 80);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(integrityOf(libraryFile()), QStringLiteral("ok"));
}

void TestLibraryDatabase::twoInstancesShareOneFile()
{
    LibraryDatabase first(folder());
    LibraryDatabase second(folder());
    QCOMPARE(first.open(), LibraryDatabase::Status::Ready);
    QCOMPARE(second.open(), LibraryDatabase::Status::Ready);

    const QString path = writeBook(QStringLiteral("tales.txt"), Text);
    const BookRecord inFirst = first.bookFor(path, BookFingerprint::ofFile(path));
    const BookRecord inSecond = second.bookFor(path, BookFingerprint::ofFile(path));
    QCOMPARE(inSecond.id, inFirst.id);

    for (int place = 1; place <= 50; ++place) {
        first.savePlace(inFirst.id, place, 100);
        second.addReadingTime(inFirst.id, 1);
        if (place % 10 == 0)
            second.addBookmark(inFirst.id, place, QStringLiteral("mark %1").arg(place));
    }
    QCOMPARE(second.book(path).place, 50);
    QCOMPARE(first.book(path).readingSeconds, 50);
    QCOMPARE(first.bookmarks(inFirst.id).size(), 5);

    addBook(second, QStringLiteral("other.txt"), "other");
    QCOMPARE(first.books().size(), 2);
    QCOMPARE(first.status(), LibraryDatabase::Status::Ready);
    QCOMPARE(second.status(), LibraryDatabase::Status::Ready);
    QCOMPARE(integrityOf(libraryFile()), QStringLiteral("ok"));
}

// Another window stuck in the middle of a write: after the busy timeout the library gives up
// writing, but still hands out what it knows.
void TestLibraryDatabase::bookIsFoundWhileAnotherInstanceHoldsTheLock()
{
    LibraryDatabase library(folder());
    library.open();
    const BookRecord record = addBook(library, QStringLiteral("tales.txt"), Text);
    library.savePlace(record.id, 12, Text.size());

    Inspector stuck(libraryFile());
    QVERIFY(stuck.run(QStringLiteral("BEGIN IMMEDIATE")));
    const BookRecord found = library.bookFor(record.path, record.fingerprint);
    QCOMPARE(library.status(), LibraryDatabase::Status::WriteFailed);
    QCOMPARE(found.id, record.id);
    QCOMPARE(found.place, 12);
    QVERIFY(stuck.run(QStringLiteral("ROLLBACK")));

    library.savePlace(record.id, 20, Text.size());
    QCOMPARE(library.book(record.path).place, 20);
}

// The child (see main below) saves without pause until it is killed, in the middle of some
// write or other.
void TestLibraryDatabase::writerKilledMidWriteLeavesTheFileSound()
{
    const QString path = writeBook(QStringLiteral("tales.txt"), Text);
    for (int round = 0; round < 3; ++round) {
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
                     { QStringLiteral("--keep-writing"), folder(), path });
        QVERIFY(writer.waitForReadyRead(10000));
        QTest::qWait(50 + 40 * round);
        writer.kill();
        QVERIFY(writer.waitForFinished(5000));

        QCOMPARE(integrityOf(libraryFile()), QStringLiteral("ok"));
        LibraryDatabase library(folder());
        QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
        const BookRecord record = library.book(path);
        QVERIFY(record.place > 0);
        QVERIFY(!library.bookmarks(record.id).isEmpty());
        QVERIFY(library.books().size() > 1);
    }
}

namespace {

int keepWriting(const QString &folder, const QString &bookPath)
{
    LibraryDatabase library(folder);
    if (library.open() != LibraryDatabase::Status::Ready)
        return 1;
    const BookRecord record = library.bookFor(bookPath, BookFingerprint::ofFile(bookPath));
    for (qint64 place = 1;; ++place) {
        library.savePlace(record.id, place, place + 1);
        if (place % 7 == 0)
            library.addBookmark(record.id, place, QStringLiteral("mark"));
        if (place % 11 == 0)
            library.bookFor(QStringLiteral("/books/volume %1.txt").arg(place),
                            BookFingerprint(place, QByteArray::number(place)));
        if (place == 100) {
            QTextStream(stdout) << "writing" << Qt::endl;
        }
    }
}

}

// As LEXORIN_TEST_MAIN, and besides that the writer the crash test kills.
int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--keep-writing") == 0) {
        QCoreApplication app(argc, argv);
        return keepWriting(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", configHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestLibraryDatabase testObject;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&testObject, argc, argv);
}

#include "tst_librarydatabase.moc"
