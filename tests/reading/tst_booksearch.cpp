#include "booksearch.h"
#include "testmain.h"

class TestBookSearch : public QObject
{
    Q_OBJECT

private slots:
    void findsEveryPlace_data();
    void findsEveryPlace();
    void namesTheChapterOfEachResult();
    void findsAMatchOverAPageBreak();
    void stopsWhenCancelled();
};

namespace {

const std::vector<QString> Pages = {
    QStringLiteral("第一章 灯塔\n风吹着 Lantern，lantern 亮着。\n"),
    QStringLiteral("灯塔下面没有船。\n"),
    QStringLiteral("第二章 港口\n港口的LANTERN灭了。灯塔灯塔\n"),
};

}

void TestBookSearch::findsEveryPlace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("pages");

    QTest::newRow("any case") << "lantern" << QList<int>{ 0, 0, 2 };
    QTest::newRow("two characters") << "灯塔" << QList<int>{ 0, 1, 2, 2 };
    QTest::newRow("not overlapping") << "塔灯" << QList<int>{ 2 };
    QTest::newRow("nowhere") << "渔船" << QList<int>{};
    QTest::newRow("empty") << "" << QList<int>{};
}

void TestBookSearch::findsEveryPlace()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, pages);

    const QString book = Pages[0] + Pages[1] + Pages[2];
    const std::vector<SearchResult> results = BookSearch::findAll(Pages, {}, text);
    QCOMPARE(int(results.size()), pages.size());
    for (size_t i = 0; i < results.size(); ++i) {
        QCOMPARE(results[i].page, pages[int(i)]);
        QCOMPARE(book.mid(results[i].offset, text.size()).compare(text, Qt::CaseInsensitive), 0);
        QCOMPARE(results[i].snippet.mid(results[i].snippetMatch, text.size()).compare(text, Qt::CaseInsensitive), 0);
        QVERIFY(!results[i].snippet.contains(u'\n'));
        if (i > 0)
            QVERIFY(results[i].offset > results[i - 1].offset);
    }
}

void TestBookSearch::namesTheChapterOfEachResult()
{
    const QString book = Pages[0] + Pages[1] + Pages[2];
    const std::vector<Chapter> chapters = ChapterDetector::detect(book);
    QCOMPARE(int(chapters.size()), 2);
    const std::vector<SearchResult> results = BookSearch::findAll(Pages, chapters, QStringLiteral("灯塔"));
    QList<int> named;
    for (const SearchResult &result : results)
        named.append(result.chapter);
    QCOMPARE(named, (QList<int>{ 0, 0, 1, 1 }));
    // Before the first heading a result lies in no chapter.
    const std::vector<SearchResult> early = BookSearch::findAll(std::vector<QString>{ QStringLiteral("序 灯塔\n"), Pages[2] },
                                                                { Chapter{ 8, 5, QStringLiteral("第二章 港口") } },
                                                                QStringLiteral("灯塔"));
    QCOMPARE(early.front().chapter, -1);
    QCOMPARE(early.back().chapter, 0);
}

void TestBookSearch::findsAMatchOverAPageBreak()
{
    // "Lantern" in the middle of a word split over the first two pages, and Cyrillic in capitals.
    const std::vector<QString> pages = { QStringLiteral("港口的Lan"), QStringLiteral("tern亮着 МАЯК\n"),
                                         QStringLiteral("маяк\n") };
    const std::vector<SearchResult> lantern = BookSearch::findAll(pages, {}, QStringLiteral("LANTERN"));
    QCOMPARE(lantern.size(), size_t(1));
    QCOMPARE(lantern.front().offset, 3);
    QCOMPARE(lantern.front().page, 0);
    QCOMPARE(lantern.front().snippet.mid(lantern.front().snippetMatch, 7), QStringLiteral("Lantern"));
    const std::vector<SearchResult> lighthouse = BookSearch::findAll(pages, {}, QStringLiteral("Маяк"));
    QCOMPARE(lighthouse.size(), size_t(2));
    QCOMPARE(lighthouse.back().page, 2);
}

void TestBookSearch::stopsWhenCancelled()
{
    QVERIFY(BookSearch::findAll(Pages, {}, QStringLiteral("灯塔"), [] { return true; }).empty());
}

LEXORIN_TEST_MAIN(TestBookSearch)
#include "tst_booksearch.moc"
