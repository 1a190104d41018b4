#include "bookshelfwidget.h"
#include "coverpainter.h"
#include "fileprober.h"
#include "testmain.h"

#include <QImage>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString HintText = QStringLiteral("暂无书籍\n点击打开按钮添加书籍");

const QStringList ShelfBooks = {
    QStringLiteral("/home/reader/books/Harbour Lights.txt"),
    QStringLiteral(":/book/Harbour Lights.txt"),
    QStringLiteral(":/book/星灯童话集.txt"),
    QStringLiteral("/home/reader/other/Harbour Lights.txt"),
    QStringLiteral("C:/Books/Vol.1.Intro.txt"),
};

QStringList numberedBooks(int count, const QString &folder = QStringLiteral("/books"))
{
    QStringList books;
    for (int number = 1; number <= count; ++number)
        books.append(QStringLiteral("%1/Book %2.txt").arg(folder).arg(number));
    return books;
}

// Books whose files are there, so their covers are not drawn as missing.
QStringList presentBooks(int count, const QTemporaryDir &dir)
{
    const QStringList books = numberedBooks(count, dir.path());
    for (const QString &path : books) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("text\n");
    }
    return books;
}

void showShelf(BookshelfWidget &shelf, const QSize &size = QSize(580, 720))
{
    shelf.show();
    shelf.resize(size);
    QVERIFY(QTest::qWaitForWindowExposed(&shelf));
}

QImage iconImage(const QListWidgetItem *item)
{
    return item->icon()
        .pixmap(QSize(CoverPainter::CoverWidth, CoverPainter::CoverHeight))
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

QImage coverImage(const QString &title, const QColor &color)
{
    return CoverPainter::generateCover(title, color)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

}

class TestBookshelfWidget : public QObject
{
    Q_OBJECT

private slots:
    void shelfTitle_data();
    void shelfTitle();
    void itemsFollowTheLatestBookList();
    void coverColourFollowsPosition_data();
    void coverColourFollowsPosition();
    void coverShowsProgressAndMissingFiles();
    void aHungFileLeavesTheShelfLive();
    void emptyListShowsOnlyTheHint();
    void clickOnBookEmitsItsExactPath_data();
    void clickOnBookEmitsItsExactPath();
    void clickOnHintEmitsNothing();
    void gridCellKeepsItsSizeAtEveryWidth_data();
    void gridCellKeepsItsSizeAtEveryWidth();
};

void TestBookshelfWidget::shelfTitle_data()
{
    QTest::addColumn<QString>("filePath");
    QTest::addColumn<QString>("expected");

    QTest::newRow("27 units cut to 12 plus dots")
        << QStringLiteral("/books/A very long book title here.txt")
        << QStringLiteral("A very long ...");
    QTest::newRow("exactly 15 units stay whole")
        << QStringLiteral("/books/Fifteen chars!!.txt") << QStringLiteral("Fifteen chars!!");
    QTest::newRow("16 units are cut")
        << QStringLiteral("Sixteen chars!!!.txt") << QStringLiteral("Sixteen char...");
    QTest::newRow("only the last suffix goes")
        << QStringLiteral("Vol.1.Intro.txt") << QStringLiteral("Vol.1.Intro");
    QTest::newRow("dot in a folder name")
        << QStringLiteral("/home/a.b/Novel.txt") << QStringLiteral("Novel");
    QTest::newRow("resource path")
        << QStringLiteral(":/book/Harbour Lights.txt") << QStringLiteral("Harbour Lights");
    QTest::newRow("Chinese") << QStringLiteral("/书库/星灯童话集第一卷夜航船与灯塔守望人.txt")
                             << QStringLiteral("星灯童话集第一卷夜航船与...");
    QTest::newRow("surrogate pair across the cut")
        << QStringLiteral("Eleven char\U0001D510abcd.txt") << QStringLiteral("Eleven char...");
    QTest::newRow("surrogate pair before the cut") << QStringLiteral("Ten chars!\U0001D510xyzw.txt")
                                                   << QStringLiteral("Ten chars!\U0001D510...");
    QTest::newRow("hidden file keeps its dot") << QStringLiteral("/books/.hidden.txt") << QStringLiteral(".hidden");
}

void TestBookshelfWidget::shelfTitle()
{
    QFETCH(QString, filePath);
    QFETCH(QString, expected);

    QCOMPARE(BookshelfWidget::shelfTitle(filePath), expected);
}

void TestBookshelfWidget::itemsFollowTheLatestBookList()
{
    BookshelfWidget shelf;
    QCOMPARE(shelf.count(), 0);

    shelf.setBooks(numberedBooks(12));
    shelf.setBooks(ShelfBooks);

    QCOMPARE(shelf.count(), ShelfBooks.size());
    for (int row = 0; row < ShelfBooks.size(); ++row) {
        const QListWidgetItem *item = shelf.item(row);
        QCOMPARE(item->text(), BookshelfWidget::shelfTitle(ShelfBooks.at(row)));
        QCOMPARE(item->data(Qt::UserRole).toString(), ShelfBooks.at(row));
        QCOMPARE(item->textAlignment(), int(Qt::AlignCenter));
        QCOMPARE(item->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }
}

void TestBookshelfWidget::coverColourFollowsPosition_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("color");

    QTest::newRow("first") << 0 << QColor(135, 206, 235);
    QTest::newRow("second") << 1 << QColor(255, 182, 193);
    QTest::newRow("tenth") << 9 << QColor(240, 230, 140);
    QTest::newRow("eleventh shares the first's colour") << 10 << QColor(135, 206, 235);
}

// The cover shown is exactly the one drawn for the item's title in its position's colour.
void TestBookshelfWidget::coverColourFollowsPosition()
{
    QFETCH(int, row);
    QFETCH(QColor, color);

    QTemporaryDir dir;
    BookshelfWidget shelf;
    showShelf(shelf);
    shelf.setBooks(presentBooks(11, dir));

    const QListWidgetItem *item = shelf.item(row);
    QCOMPARE(iconImage(item), coverImage(item->text(), color));
}

// A book read halfway shows a half-filled bar and says so; a book whose file is gone is
// greyed and marked, whatever its progress.
void TestBookshelfWidget::coverShowsProgressAndMissingFiles()
{
    QTemporaryDir dir;
    QStringList books = presentBooks(2, dir);
    books.append(dir.filePath(QStringLiteral("gone.txt")));
    BookshelfWidget shelf;
    showShelf(shelf);
    shelf.setBooks(books, { { books[0], 0.5 }, { books[2], 0.25 } });

    const QColor first = CoverPainter::coverColor(0);
    const QImage halfRead = CoverPainter::withProgress(CoverPainter::generateCover(shelf.item(0)->text(), first), 0.5)
                                    .toImage()
                                    .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(iconImage(shelf.item(0)), halfRead);
    QVERIFY(halfRead != coverImage(shelf.item(0)->text(), first));
    QVERIFY(shelf.item(0)->toolTip().contains(QStringLiteral("50%")));
    QCOMPARE(iconImage(shelf.item(1)), coverImage(shelf.item(1)->text(), CoverPainter::coverColor(1)));

    QTRY_VERIFY(iconImage(shelf.item(2)).pixelColor(10, 10).saturation() == 0);
    QVERIFY(shelf.item(2)->toolTip().contains(QStringLiteral("文件已不存在")));
}

// A file on a mount that hangs: the shelf keeps painting and the window's timers keep
// running; the cover is marked only when the answer comes.
void TestBookshelfWidget::aHungFileLeavesTheShelfLive()
{
    QTemporaryDir dir;
    const QStringList books = presentBooks(1, dir) << dir.filePath(QStringLiteral("gone.txt"));
    BookshelfWidget shelf;
    const auto started = std::make_shared<QSemaphore>();
    const auto answer = std::make_shared<QSemaphore>();
    shelf.fileProber()->setCheck([started, answer](const QString &path) {
        started->release();
        answer->acquire();
        return FileProber::checkFile(path);
    });
    const int count = int(books.size());
    const auto releaseChecks = qScopeGuard([answer, count] { answer->release(count); });
    showShelf(shelf);
    shelf.setBooks(books);
    shelf.grab();
    QTRY_COMPARE(started->available(), count);

    QTimer tick;
    QSignalSpy ticks(&tick, &QTimer::timeout);
    tick.start(10);
    QVERIFY(ticks.wait());
    QVERIFY(!shelf.grab().isNull());
    QVERIFY(iconImage(shelf.item(1)).pixelColor(10, 10).saturation() > 0);
    QVERIFY(!shelf.item(1)->toolTip().contains(QStringLiteral("文件已不存在")));

    answer->release(count);
    QTRY_VERIFY(shelf.item(1)->toolTip().contains(QStringLiteral("文件已不存在")));
    QVERIFY(iconImage(shelf.item(1)).pixelColor(10, 10).saturation() == 0);
    QVERIFY(iconImage(shelf.item(0)).pixelColor(10, 10).saturation() > 0);
}

void TestBookshelfWidget::emptyListShowsOnlyTheHint()
{
    BookshelfWidget shelf;
    shelf.setBooks(ShelfBooks);
    shelf.setBooks({});

    QCOMPARE(shelf.count(), 1);
    const QListWidgetItem *hint = shelf.item(0);
    QCOMPARE(hint->text(), HintText);
    QCOMPARE(hint->textAlignment(), int(Qt::AlignCenter));
    QCOMPARE(hint->font().pointSize(), 12);
    QCOMPARE(hint->flags(), Qt::ItemIsEnabled);
    QVERIFY(hint->icon().isNull());
    QVERIFY(!hint->data(Qt::UserRole).isValid());
}

void TestBookshelfWidget::clickOnBookEmitsItsExactPath_data()
{
    QTest::addColumn<int>("row");

    QTest::newRow("file on disk") << 0;
    QTest::newRow("sample book with the same title") << 1;
    QTest::newRow("Chinese sample book") << 2;
    QTest::newRow("same title in another folder") << 3;
    QTest::newRow("name with dots") << 4;
}

void TestBookshelfWidget::clickOnBookEmitsItsExactPath()
{
    QFETCH(int, row);

    BookshelfWidget shelf;
    showShelf(shelf);
    shelf.setBooks(ShelfBooks);
    QSignalSpy selected(&shelf, &BookshelfWidget::bookSelected);

    QTest::mouseClick(shelf.viewport(), Qt::LeftButton, {},
                      shelf.visualItemRect(shelf.item(row)).center());

    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.first().first().toString(), ShelfBooks.at(row));
}

void TestBookshelfWidget::clickOnHintEmitsNothing()
{
    BookshelfWidget shelf;
    showShelf(shelf);
    shelf.setBooks({});
    QSignalSpy selected(&shelf, &BookshelfWidget::bookSelected);
    QSignalSpy clicked(&shelf, &QListWidget::itemClicked);

    QTest::mouseClick(shelf.viewport(), Qt::LeftButton, {},
                      shelf.visualItemRect(shelf.item(0)).center());

    QCOMPARE(clicked.count(), 1);
    QCOMPARE(selected.count(), 0);
}

void TestBookshelfWidget::gridCellKeepsItsSizeAtEveryWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("columns");

    QTest::newRow("narrow") << 400 << 2;
    QTest::newRow("bookshelf page") << 580 << 3;
    QTest::newRow("wide") << 800 << 4;
}

// Covers sit on a fixed 185 x 250 grid, as many to a row as fit, whatever the titles' widths.
void TestBookshelfWidget::gridCellKeepsItsSizeAtEveryWidth()
{
    QFETCH(int, width);
    QFETCH(int, columns);

    BookshelfWidget shelf;
    showShelf(shelf, QSize(320, 720));
    shelf.setBooks(numberedBooks(12));
    shelf.resize(width, 720);

    QCOMPARE(shelf.gridSize(), QSize(185, 250));
    const QRect first = shelf.visualItemRect(shelf.item(0));
    const QRect lastInRow = shelf.visualItemRect(shelf.item(columns - 1));
    const QRect nextRow = shelf.visualItemRect(shelf.item(columns));
    QCOMPARE(lastInRow.left() - first.left(), (columns - 1) * 185);
    QCOMPARE(lastInRow.top(), first.top());
    QCOMPARE(nextRow.left(), first.left());
    QCOMPARE(nextRow.top() - first.top(), 250);
}

LEXORIN_TEST_MAIN(TestBookshelfWidget)
#include "tst_bookshelfwidget.moc"
