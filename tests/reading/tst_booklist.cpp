#include "booklist.h"
#include "librarydatabase.h"
#include "settings.h"
#include "testmain.h"

#include <QSettings>

class TestBookList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void theStoresListBecomesTheShelfInItsOrder();
    void afterTheImportTheLibraryDecides();
    void anEmptiedShelfIsNotFilledAgainFromTheStore();
    void aResetEmptiesTheShelf();
    void theShelfIsReadOnceUntilTheLibraryMovesIt();
    void changesKeepTheOrderAndAreWrittenToTheStore_data();
    void changesKeepTheOrderAndAreWrittenToTheStore();
    void aLibraryWithoutMemoryLeavesTheShelfToTheStore();
    void aRemovedSampleBookStaysRemoved();

private:
    static QSettings store();
    static void setStoreList(const QStringList &books);
    static QStringList storeList();
    QString folder() const { return m_dir->filePath(QStringLiteral("library")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QStringList Harbour{ QStringLiteral("/books/harbour/tides.txt"),
                           QStringLiteral("/books/harbour/nets.txt"),
                           QStringLiteral("/books/harbour/gulls.txt") };

}

QSettings TestBookList::store()
{
    return QSettings(QStringLiteral("Bookshelf"), QStringLiteral("Lexorin"));
}

void TestBookList::setStoreList(const QStringList &books)
{
    store().setValue(QStringLiteral("recentFiles"), books);
}

QStringList TestBookList::storeList()
{
    return store().value(QStringLiteral("recentFiles")).toStringList();
}

void TestBookList::init()
{
    store().clear();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestBookList::theStoresListBecomesTheShelfInItsOrder()
{
    setStoreList(Harbour);
    LibraryDatabase library(folder());
    QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
    QVERIFY(!library.holdsShelf());

    Settings settings;
    const BookList books(settings, &library);
    QCOMPARE(books.books(), Harbour);
    QVERIFY(library.holdsShelf());
    QCOMPARE(library.shelf(), Harbour);
    // Only the shelf: books never opened get no record.
    QVERIFY(library.books().isEmpty());
}

void TestBookList::afterTheImportTheLibraryDecides()
{
    setStoreList(Harbour);
    {
        LibraryDatabase library(folder());
        library.open();
        Settings settings;
        QCOMPARE(BookList(settings, &library).books(), Harbour);
    }
    // An older version of the reader changed the store's list meanwhile.
    setStoreList({ QStringLiteral("/books/elsewhere.txt") });

    LibraryDatabase library(folder());
    library.open();
    Settings settings;
    const BookList books(settings, &library);
    QCOMPARE(books.books(), Harbour);
    QVERIFY(!books.contains(QStringLiteral("/books/elsewhere.txt")));
}

void TestBookList::anEmptiedShelfIsNotFilledAgainFromTheStore()
{
    setStoreList(Harbour);
    LibraryDatabase library(folder());
    library.open();
    {
        Settings settings;
        BookList books(settings, &library);
        for (const QString &path : Harbour)
            books.remove(path);
        QVERIFY(books.books().isEmpty());
        QVERIFY(storeList().isEmpty());
    }
    setStoreList(Harbour);
    Settings settings;
    QVERIFY(BookList(settings, &library).books().isEmpty());
}

// A reset forgets the library and the store's settings: no book is left on the shelf.
void TestBookList::aResetEmptiesTheShelf()
{
    setStoreList(Harbour);
    LibraryDatabase library(folder());
    library.open();
    Settings settings;
    BookList books(settings, &library);
    QCOMPARE(books.books(), Harbour);

    settings.reset();
    library.clear();
    QVERIFY(books.books().isEmpty());
    QVERIFY(BookList(settings, &library).books().isEmpty());
}

// The shelf is asked for at every showing of it; a long one read from the library each time
// cost a query and a copy. What another writer puts on the shelf stays unseen until the
// library is cleared or opened anew, and then the list reads it again.
void TestBookList::theShelfIsReadOnceUntilTheLibraryMovesIt()
{
    setStoreList(Harbour);
    LibraryDatabase library(folder());
    library.open();
    Settings settings;
    BookList books(settings, &library);
    QCOMPARE(books.books(), Harbour);

    const QString lantern = QStringLiteral("/books/lantern.txt");
    LibraryDatabase another(folder());
    another.open();
    QCOMPARE(another.addToShelf({ lantern }), 1);
    QCOMPARE(books.books(), Harbour);
    QVERIFY(!books.contains(lantern));

    const QString ferry = QStringLiteral("/books/ferry.txt");
    QCOMPARE(books.add({ ferry }), 1);
    QCOMPARE(books.books(), QStringList({ ferry, lantern }) + Harbour);
    books.remove(Harbour.at(1));
    QCOMPARE(books.books(), QStringList({ ferry, lantern, Harbour.at(0), Harbour.at(2) }));
    QCOMPARE(another.shelf(), books.books());

    QCOMPARE(another.addToShelf({ QStringLiteral("/books/gulls-again.txt") }), 1);
    library.open();
    QCOMPARE(books.books(), another.shelf());
    library.clear();
    QVERIFY(books.books().isEmpty());
}

void TestBookList::changesKeepTheOrderAndAreWrittenToTheStore_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<int>("newBooks");
    QTest::addColumn<QStringList>("shelf");

    const QString a = Harbour.at(0);
    const QString b = Harbour.at(1);
    const QString c = Harbour.at(2);
    const QString d = QStringLiteral("/books/lantern.txt");
    const QString e = QStringLiteral("/books/ferry.txt");

    QTest::newRow("nothing") << QStringList() << QStringList() << 0 << Harbour;
    QTest::newRow("one book goes in front") << QStringList{ d } << QStringList() << 1
                                            << QStringList{ d, a, b, c };
    QTest::newRow("a batch goes in front, its last book first")
            << QStringList{ d, e } << QStringList() << 2 << QStringList{ e, d, a, b, c };
    QTest::newRow("books already there keep their places")
            << QStringList{ c, d, a } << QStringList() << 1 << QStringList{ d, a, b, c };
    QTest::newRow("a book twice in a batch is added once")
            << QStringList{ d, d } << QStringList() << 1 << QStringList{ d, a, b, c };
    QTest::newRow("removal from the middle") << QStringList() << QStringList{ b } << 0
                                             << QStringList{ a, c };
    QTest::newRow("removal of a book not there") << QStringList() << QStringList{ d } << 0
                                                 << Harbour;
    QTest::newRow("removed and added again goes in front")
            << QStringList{ c } << QStringList{ c } << 1 << QStringList{ c, a, b };
}

void TestBookList::changesKeepTheOrderAndAreWrittenToTheStore()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, removed);
    QFETCH(int, newBooks);
    QFETCH(QStringList, shelf);

    setStoreList(Harbour);
    LibraryDatabase library(folder());
    library.open();
    Settings settings;
    BookList books(settings, &library);
    for (const QString &path : removed)
        books.remove(path);
    QCOMPARE(books.add(added), newBooks);

    QCOMPARE(books.books(), shelf);
    QCOMPARE(storeList(), shelf);
    QCOMPARE(settings.recentFiles(), shelf);
    LibraryDatabase another(folder());
    another.open();
    QCOMPARE(another.shelf(), shelf);
}

void TestBookList::aLibraryWithoutMemoryLeavesTheShelfToTheStore()
{
    const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    LibraryDatabase library(blocker + QStringLiteral("/library"));
    QCOMPARE(library.open(), LibraryDatabase::Status::Unavailable);

    setStoreList(Harbour);
    Settings settings;
    BookList books(settings, &library);
    QCOMPARE(books.books(), Harbour);

    const QString lantern = QStringLiteral("/books/lantern.txt");
    QCOMPARE(books.add({ lantern }), 1);
    books.remove(Harbour.at(1));
    const QStringList expected{ lantern, Harbour.at(0), Harbour.at(2) };
    QCOMPARE(books.books(), expected);
    QCOMPARE(storeList(), expected);
}

void TestBookList::aRemovedSampleBookStaysRemoved()
{
    LibraryDatabase library(folder());
    library.open();
    Settings settings;
    BookList books(settings, &library);
    books.mergeSampleBooks();
    const QString sample = BookList::sampleBooks().constFirst();
    QVERIFY(books.contains(sample));

    books.remove(sample);
    QVERIFY(settings.removedSampleBooks().contains(sample));
    books.mergeSampleBooks();
    QVERIFY(!books.contains(sample));
}

LEXORIN_TEST_MAIN(TestBookList)
#include "tst_booklist.moc"
