#include "library.h"
#include "librarydatabase.h"
#include "testmain.h"

#include <QtTest>

// What the library costs the reader where it waits for it: saving the place on each page
// turn, and opening the library with the shelf's list at start-up.
class BenchLibrary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void savePlace();
    void startUp_data();
    void startUp();
    void fingerprintOfABigBook();
    void shelfOrderAndProgress();

private:
    QString folderWith(int bookCount);

    QTemporaryDir m_dir;
};

namespace {

constexpr int ShelfSize = 10'000;

QString bookPath(int number)
{
    return QStringLiteral("/home/reader/书库/星灯童话集第%1卷夜航船与灯塔守望人.txt").arg(number);
}

QStringList bookList()
{
    QStringList books;
    for (int number = ShelfSize - 1; number >= 0; --number)
        books.append(bookPath(number));
    return books;
}

}

// The first connection loads the SQLite driver, which every start pays alike.
void BenchLibrary::initTestCase()
{
    LibraryDatabase warmUp(folderWith(0));
    QCOMPARE(warmUp.open(), LibraryDatabase::Status::Ready);
}

QString BenchLibrary::folderWith(int bookCount)
{
    const QString folder = m_dir.filePath(QStringLiteral("books-%1").arg(bookCount));
    if (QFileInfo::exists(folder))
        return folder;
    LibraryDatabase library(folder);
    library.open();
    for (int number = 0; number < bookCount; ++number) {
        const BookRecord record =
            library.bookFor(bookPath(number), BookFingerprint(1'000'000 + number, QByteArray(20, char(number))));
        library.recordOpened(record.id);
        library.savePlace(record.id, number, 2 * number + 1);
        if (number % 10 == 0)
            library.addBookmark(record.id, number, QStringLiteral("夜航船与灯塔守望人"));
    }
    return folder;
}

void BenchLibrary::savePlace()
{
    LibraryDatabase library(folderWith(ShelfSize));
    QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
    const BookRecord record = library.books().constFirst();
    qint64 place = 0;

    QBENCHMARK {
        library.savePlace(record.id, ++place, 40'000'000);
    }
    QCOMPARE(library.status(), LibraryDatabase::Status::Ready);
}

void BenchLibrary::startUp_data()
{
    QTest::addColumn<int>("bookCount");

    QTest::newRow("empty") << 0;
    QTest::newRow("10000 books") << ShelfSize;
}

// What the window asks of the library as it opens: the file, the book read last, and the
// order and progress of a shelf of 10,000 books. The shelf is the same in both rows, so the
// difference is what a library that knows every book adds. The libraries stay open until
// the measuring ends, as the reader's does: closing one waits for its check of the file.
void BenchLibrary::startUp()
{
    QFETCH(int, bookCount);
    const QString folder = folderWith(bookCount);
    const QStringList books = bookList();
    std::vector<std::unique_ptr<Library>> opened;

    QBENCHMARK {
        opened.push_back(std::make_unique<Library>(folder));
        QCOMPARE(opened.back()->open(), QString());
        opened.back()->lastReadBook();
        QCOMPARE(opened.back()->shelfOf(books).books.size(), ShelfSize);
    }
}

void BenchLibrary::fingerprintOfABigBook()
{
    const QString path = m_dir.filePath(QStringLiteral("big.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray chunk = QStringLiteral("　　小猫看着海上的船。\n").toUtf8().repeated(30'000);
    while (file.size() < 50 * 1024 * 1024)
        file.write(chunk);
    file.close();

    QBENCHMARK {
        QVERIFY(BookFingerprint::ofFile(path).isValid());
    }
}

// What every showing of a 10,000-book shelf adds: ordering it by last reading and looking
// up each book's progress.
void BenchLibrary::shelfOrderAndProgress()
{
    Library library(folderWith(ShelfSize));
    QCOMPARE(library.open(), QString());
    const QStringList books = bookList();

    QBENCHMARK {
        QCOMPARE(library.shelfOf(books).progress.size(), ShelfSize);
    }
}

LEXORIN_TEST_MAIN(BenchLibrary)
#include "bench_library.moc"
