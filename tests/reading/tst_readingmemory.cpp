#include "fileprober.h"
#include "library.h"
#include "librarydatabase.h"
#include "testmain.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>

// The library as the window uses it: places written late but never lost, books found again
// after a move, the shelf's order, and forgetting.
class TestReadingMemory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void placeIsWrittenOnceTheReaderSettles();
    void anotherBookWritesThePlaceWaiting();
    void movedBookBringsItsRecord();
    void shelfIsOrderedByLastRead();
    void aBookUnderALinkIsFoundWithoutWaitingForItsFile();
    void forgettingAndClearing();
    void readingTimeGoesToTheBookInFront();
    void twoWindowsWithAResetBetweenNeverWriteOntoAnotherBook();
    void aBookReopenedAtOnceOpensAtItsNewestPlace();
    void idsFromALibraryFileThatWasReplacedAreNotUsed();
    void savesAfterTheLibraryFileWasReplacedLandOnTheirBook_data();
    void savesAfterTheLibraryFileWasReplacedLandOnTheirBook();
    void aFileBackToItsOldContentReturnsToItsPlace();

private:
    QString writeBook(const QString &name, const QByteArray &content);
    void decode(Library &library, const QString &path);
    static void removeLibraryFile(const QString &file);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Library> m_library;
};

void TestReadingMemory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_library = std::make_unique<Library>(m_dir->filePath(QStringLiteral("data")));
    QCOMPARE(m_library->open(), QString());
}

QString TestReadingMemory::writeBook(const QString &name, const QByteArray &content)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(content);
    return path;
}

void TestReadingMemory::decode(Library &library, const QString &path)
{
    library.noteDecoded(path, BookFingerprint::ofFile(path), QStringLiteral("UTF-8"));
}

// Pages turned in a burst cost one write, of the last place, a second after the last turn.
void TestReadingMemory::placeIsWrittenOnceTheReaderSettles()
{
    const QString path = writeBook(QStringLiteral("a.txt"), QByteArray(5000, 'a'));
    decode(*m_library, path);
    for (qsizetype place : { 100, 200, 300 })
        m_library->keepPlace(path, place, 5000);
    QCOMPARE(m_library->database()->book(path).place, 0);
    QTRY_COMPARE_WITH_TIMEOUT(m_library->database()->book(path).place, 300, 3000);
    QCOMPARE(m_library->recordFor(path).textLength, 5000);
    QCOMPARE(m_library->recordFor(path).encoding, QStringLiteral("UTF-8"));

    m_library->keepPlace(path, 400, 5000);
    m_library.reset();
    Library reopened(m_dir->filePath(QStringLiteral("data")));
    reopened.open();
    QCOMPARE(reopened.recordFor(path).place, 400);
}

void TestReadingMemory::anotherBookWritesThePlaceWaiting()
{
    const QString first = writeBook(QStringLiteral("a.txt"), QByteArray(5000, 'a'));
    const QString second = writeBook(QStringLiteral("b.txt"), QByteArray(5000, 'b'));
    decode(*m_library, first);
    decode(*m_library, second);
    m_library->keepPlace(first, 1234, 5000);
    m_library->keepPlace(second, 10, 5000);
    QCOMPARE(m_library->recordFor(first).place, 1234);
    QCOMPARE(m_library->database()->book(second).place, 0);
}

void TestReadingMemory::movedBookBringsItsRecord()
{
    const QString path = writeBook(QStringLiteral("a.txt"), QByteArray(5000, 'a'));
    decode(*m_library, path);
    m_library->keepPlace(path, 2500, 5000);
    m_library->flush();
    const QString moved = m_dir->filePath(QStringLiteral("moved.txt"));
    QVERIFY(QFile::rename(path, moved));

    QSignalSpy found(m_library.get(), &Library::movedBookFound);
    QCOMPARE(m_library->recordFor(moved).place, 0);
    decode(*m_library, moved);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(1).value<BookRecord>().place, 2500);
    QCOMPARE(m_library->recordFor(moved).place, 2500);

    decode(*m_library, moved);
    QCOMPARE(found.size(), 1);
}

// In the order chosen, books read recently come first and books never read keep their order
// after them; the shelf's own order is the list's, whatever is read.
void TestReadingMemory::shelfIsOrderedByLastRead()
{
    QStringList books;
    for (const char *name : { "a.txt", "b.txt", "c.txt", "d.txt" })
        books.append(writeBook(QLatin1String(name), QByteArray(100, name[0])));
    QCOMPARE(m_library->shelfOf(books).books, books);

    for (const int index : { 2, 1 }) {
        decode(*m_library, books[index]);
        m_library->keepPlace(books[index], 10, 100);
        m_library->flush();
        QTest::qWait(5);
    }
    constexpr auto LastRead = Settings::ShelfOrder::LastRead;
    QCOMPARE(m_library->shelfOf(books, LastRead).books, QStringList({ books[1], books[2], books[0], books[3] }));
    QCOMPARE(m_library->shelfOf(books).books, books);
    // A path spelled otherwise is the same book.
    const QString spelled = m_dir->path() + QStringLiteral("/./c.txt");
    QCOMPARE(m_library->shelfOf({ books[0], spelled }, LastRead).books, QStringList({ spelled, books[0] }));
    QCOMPARE(m_library->lastReadBook(), QFileInfo(books[1]).canonicalFilePath());
    const QHash<QString, double> progress = m_library->shelfOf({ books[1], spelled, books[3] }).progress;
    QCOMPARE(progress.value(books[1]), 0.1);
    QCOMPARE(progress.value(spelled), 0.1);
    QVERIFY(!progress.contains(books[3]));
}

// Which file a link names is asked off the caller's thread, as a hung mount would hold the
// window: until the answer comes, the path is taken as spelled, and the shelf is told when
// it has come.
void TestReadingMemory::aBookUnderALinkIsFoundWithoutWaitingForItsFile()
{
    const QString path = writeBook(QStringLiteral("a.txt"), QByteArray(5000, 'a'));
    decode(*m_library, path);
    m_library->keepPlace(path, 2500, 5000);
    m_library->flush();
    const QString folder = m_dir->filePath(QStringLiteral("linked"));
    QVERIFY(QFile::link(m_dir->path(), folder));
    const QString linked = folder + QStringLiteral("/a.txt");

    const auto hung = std::make_shared<QSemaphore>();
    m_library->fileProber()->setCheck([hung, linked](const QString &asked) {
        if (asked == linked)
            hung->acquire();
        return FileProber::checkFile(asked);
    });
    const auto release = qScopeGuard([hung] { hung->release(); });
    QSignalSpy learned(m_library.get(), &Library::filedPathsLearned);
    QVERIFY(!m_library->recordFor(linked).isStored());
    QVERIFY(!m_library->shelfOf({ linked }).progress.contains(linked));
    QTimer tick;
    QSignalSpy ticked(&tick, &QTimer::timeout);
    tick.start(10);
    QVERIFY(ticked.wait());
    QVERIFY(learned.isEmpty());

    hung->release();
    QVERIFY(learned.wait());
    QCOMPARE(m_library->shelfOf({ linked }).progress.value(linked), 0.5);
    QCOMPARE(m_library->recordFor(linked).place, 2500);
}

void TestReadingMemory::forgettingAndClearing()
{
    const QString first = writeBook(QStringLiteral("a.txt"), QByteArray(5000, 'a'));
    const QString second = writeBook(QStringLiteral("b.txt"), QByteArray(5000, 'b'));
    decode(*m_library, first);
    decode(*m_library, second);
    m_library->addBookmark(first, 100, QStringLiteral("aaa"));
    m_library->keepPlace(first, 300, 5000);
    m_library->forget(first);
    m_library->flush();
    QVERIFY(!m_library->recordFor(first).isStored());
    QVERIFY(m_library->bookmarks(first).isEmpty());
    QVERIFY(QFile::exists(first));

    m_library->keepPlace(second, 300, 5000);
    m_library->clear();
    m_library->flush();
    QVERIFY(!m_library->recordFor(second).isStored());
    QCOMPARE(m_library->lastReadBook(), QString());
}

// Time runs for the book in front of the reader only, and is written when it leaves or the
// library is flushed.
void TestReadingMemory::readingTimeGoesToTheBookInFront()
{
    const QString first = writeBook(QStringLiteral("first.txt"), QByteArray(5000, 'a'));
    const QString second = writeBook(QStringLiteral("second.txt"), QByteArray(6000, 'b'));
    decode(*m_library, first);
    decode(*m_library, second);
    qint64 now = 0;
    m_library->setReadingClock(ReadingClock([&now] { return now; }));
    const auto readingSeconds = [this](const QString &path) {
        return m_library->recordFor(path).readingSeconds;
    };

    m_library->setBookInReading(first);
    now += 90'000;
    m_library->keepPlace(first, 100, 5000);
    now += 30'000;
    m_library->setBookInReading(second);
    QCOMPARE(readingSeconds(first), 120);
    QCOMPARE(readingSeconds(second), 0);

    now += 40'000;
    m_library->setBookInReading(QString());
    now += 600'000;
    m_library->flush();
    QCOMPARE(readingSeconds(second), 40);

    m_library->setBookInReading(first);
    now += 15'000;
    m_library->flush();
    QCOMPARE(readingSeconds(first), 135);
    now += 20 * 60'000;
    m_library.reset();
    Library reopened(m_dir->filePath(QStringLiteral("data")));
    reopened.open();
    QCOMPARE(reopened.recordFor(first).readingSeconds, 120 + ReadingClock::IdleLimitMs / 1000);
}

// One window holds the id of a book while another resets the library and adds a book of
// its own: the first window's place and bookmark must not land on that book.
void TestReadingMemory::twoWindowsWithAResetBetweenNeverWriteOntoAnotherBook()
{
    const QString mine = writeBook(QStringLiteral("mine.txt"), QByteArray(5000, 'm'));
    const QString theirs = writeBook(QStringLiteral("theirs.txt"), QByteArray(6000, 't'));
    decode(*m_library, mine);
    Library other(m_dir->filePath(QStringLiteral("data")));
    QCOMPARE(other.open(), QString());
    other.clear();
    decode(other, theirs);

    m_library->keepPlace(mine, 2500, 5000);
    m_library->flush();
    m_library->addBookmark(mine, 2500, QStringLiteral("mmm"));
    QCOMPARE(other.recordFor(theirs).place, 0);
    QVERIFY(other.bookmarks(theirs).isEmpty());

    // Read again after the reset, the book is filed anew and remembered from then on.
    decode(*m_library, mine);
    m_library->keepPlace(mine, 1000, 5000);
    m_library->flush();
    QCOMPARE(other.recordFor(mine).place, 1000);
    QCOMPARE(other.recordFor(theirs).place, 0);
}

// A damaged library file is replaced by a fresh one, whose ids start again: an id read from
// the old file must not reach a book of the new one.
void TestReadingMemory::idsFromALibraryFileThatWasReplacedAreNotUsed()
{
    const QString mine = writeBook(QStringLiteral("mine.txt"), QByteArray(5000, 'm'));
    const QString theirs = writeBook(QStringLiteral("theirs.txt"), QByteArray(6000, 't'));
    decode(*m_library, mine);
    const QString file = m_library->database()->filePath();
    for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") })
        QFile::remove(file + suffix);
    QCOMPARE(m_library->open(), QString());
    decode(*m_library, theirs);
    m_library->keepPlace(mine, 2500, 5000);
    m_library->flush();
    QCOMPARE(m_library->recordFor(theirs).place, 0);
}

void TestReadingMemory::removeLibraryFile(const QString &file)
{
    for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") })
        QFile::remove(file + suffix);
}

// The ids the library keeps for the books it has read outlive its file: a damaged file gives
// way to a fresh one whose ids start again, and a file put back from another run files the
// same books under other ids. Each save goes to its own book or nowhere.
void TestReadingMemory::savesAfterTheLibraryFileWasReplacedLandOnTheirBook_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::newRow("damaged file") << true;
    QTest::newRow("file from another run") << false;
}

void TestReadingMemory::savesAfterTheLibraryFileWasReplacedLandOnTheirBook()
{
    QFETCH(bool, damaged);
    const QString mine = writeBook(QStringLiteral("mine.txt"), QByteArray(5000, 'm'));
    const QString theirs = writeBook(QStringLiteral("theirs.txt"), QByteArray(6000, 't'));
    decode(*m_library, mine);
    decode(*m_library, theirs);
    m_library->keepPlace(mine, 100, 5000);
    m_library->flush();
    m_library->addBookmark(theirs, 50, QStringLiteral("ttt"));

    const QString file = m_library->database()->filePath();
    if (damaged) {
        removeLibraryFile(file);
        QFile garbage(file);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(8192, 'x'));
    } else {
        // The other run read the books in the other order, so their ids are swapped.
        const QString otherFolder = m_dir->filePath(QStringLiteral("other"));
        {
            Library other(otherFolder);
            QCOMPARE(other.open(), QString());
            decode(other, theirs);
            decode(other, mine);
        }
        removeLibraryFile(file);
        QVERIFY(QFile::copy(QDir(otherFolder).filePath(QFileInfo(file).fileName()), file));
    }
    QCOMPARE(m_library->open().isEmpty(), !damaged);

    m_library->keepPlace(mine, 2500, 5000);
    m_library->flush();
    m_library->addBookmark(mine, 2500, QStringLiteral("mmm"));
    m_library->setEncodingOverride(mine, QStringLiteral("GB18030"));
    LibraryDatabase check(m_dir->filePath(QStringLiteral("data")));
    check.open();
    const BookRecord theirRecord = check.book(theirs);
    QCOMPARE(theirRecord.place, 0);
    QCOMPARE(theirRecord.encodingOverride, QString());
    QVERIFY(!theirRecord.isStored() || check.bookmarks(theirRecord.id).isEmpty());
    const BookRecord myRecord = check.book(mine);
    QCOMPARE(myRecord.isStored(), !damaged);
    if (!damaged) {
        QCOMPARE(myRecord.place, 2500);
        QCOMPARE(myRecord.encodingOverride, QStringLiteral("GB18030"));
        QCOMPARE(check.bookmarks(myRecord.id).size(), 1);
    }

    // Read again, a book the fresh file did not know is filed and remembered from then on.
    decode(*m_library, mine);
    m_library->keepPlace(mine, 3000, 5000);
    m_library->flush();
    QCOMPARE(check.book(mine).place, 3000);
    QCOMPARE(check.book(theirs).place, 0);
}

// Shelf, then the same book at once: the place not yet written is the one it opens at, and
// no older place is written over it.
void TestReadingMemory::aBookReopenedAtOnceOpensAtItsNewestPlace()
{
    const QString path = writeBook(QStringLiteral("a.txt"), QByteArray(5000, 'a'));
    decode(*m_library, path);
    m_library->keepPlace(path, 1100, 5000);
    QTest::qWait(200);
    const BookRecord reopened = m_library->recordFor(path);
    QCOMPARE(reopened.place, 1100);
    m_library->keepPlace(path, reopened.place, 5000);
    m_library.reset();
    Library later(m_dir->filePath(QStringLiteral("data")));
    later.open();
    QCOMPARE(later.recordFor(path).place, 1100);
}

// A sync client rewrites a book and leaves it short for a moment; the reader opens it then.
// The visit to the short file keeps a place of its own, and the whole book returns to the
// reader's place, which the window is told of as it reads the book.
void TestReadingMemory::aFileBackToItsOldContentReturnsToItsPlace()
{
    const QByteArray whole(10000, 'w');
    const QString path = writeBook(QStringLiteral("synced.txt"), whole);
    decode(*m_library, path);
    m_library->keepPlace(path, 5000, 10000);
    m_library->flush();

    writeBook(QStringLiteral("synced.txt"), whole.left(1000));
    const BookRecord opened = m_library->recordFor(path);
    decode(*m_library, path);
    m_library->keepPlace(path, qMin<qsizetype>(opened.place, 1000), 1000);
    m_library->flush();
    QCOMPARE(m_library->recordFor(path).place, 1000);

    writeBook(QStringLiteral("synced.txt"), whole);
    QSignalSpy found(m_library.get(), &Library::movedBookFound);
    decode(*m_library, path);
    QCOMPARE(m_library->recordFor(path).place, 5000);
    QCOMPARE(m_library->shelfOf({ path }).progress.value(path), 0.5);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(1).value<BookRecord>().place, 5000);
}

LEXORIN_TEST_MAIN(TestReadingMemory)
#include "tst_readingmemory.moc"
