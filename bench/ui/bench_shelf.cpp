#include "bookshelfwidget.h"
#include "testmain.h"

#include <QStringList>
#include <QtTest>

// The shelf is rebuilt each time it is shown, so a long book list makes every visit wait.
class BenchShelf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rebuild();
    void rebuildAndPaint();

private:
    void showShelf(BookshelfWidget &shelf);

    QStringList m_books;
};

void BenchShelf::initTestCase()
{
    // Titles that differ within their shortened form, half of them without spaces, so that
    // both the word breaking and the text layout's own wrapping are exercised.
    for (int number = 1; number <= 500; ++number) {
        m_books.append(
            QStringLiteral("/home/reader/books/%1 Tales of the Harbour.txt").arg(number));
        m_books.append(
            QStringLiteral("/home/reader/书库/星灯童话集第%1卷夜航船与灯塔守望人.txt").arg(number));
    }
}

void BenchShelf::showShelf(BookshelfWidget &shelf)
{
    shelf.resize(580, 720);
    shelf.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shelf));
}

void BenchShelf::rebuild()
{
    BookshelfWidget shelf;
    showShelf(shelf);

    QBENCHMARK {
        shelf.setBooks(m_books);
    }
    QCOMPARE(shelf.count(), m_books.size());
}

// What a visit costs until the reader sees the covers: the rebuild, the layout and one paint.
void BenchShelf::rebuildAndPaint()
{
    BookshelfWidget shelf;
    showShelf(shelf);

    QBENCHMARK {
        shelf.setBooks(m_books);
        shelf.doItemsLayout();
        shelf.viewport()->repaint();
    }
    QCOMPARE(shelf.count(), m_books.size());
}

LEXORIN_TEST_MAIN(BenchShelf)
#include "bench_shelf.moc"
