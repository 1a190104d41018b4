#include "chapterfilter.h"
#include "testmain.h"

#include <QStringListModel>

// The contents filter as a proxy over the chapters: which titles it keeps for what is typed,
// and that it maps what it keeps back to the chapters' own rows.
class TestChapterFilter : public QObject
{
    Q_OBJECT

private slots:
    void keepsMatchingTitlesInBookOrder_data();
    void keepsMatchingTitlesInBookOrder();
    void aNewFilterReplacesTheOldOne();

private:
    static QList<int> keptRows(const ChapterFilter &filter);
};

namespace {

const QStringList Titles{ QStringLiteral("第一章 Lantern"), QStringLiteral("第十二章 石桥"),
                          QStringLiteral("第120章 归途"), QStringLiteral("第一百二十一章 lantern again"),
                          QStringLiteral("尾声") };

}

QList<int> TestChapterFilter::keptRows(const ChapterFilter &filter)
{
    QList<int> rows;
    for (int row = 0; row < filter.rowCount(); ++row)
        rows.append(filter.mapToSource(filter.index(row, 0)).row());
    return rows;
}

void TestChapterFilter::keepsMatchingTitlesInBookOrder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<int>>("kept");
    QTest::newRow("nothing typed keeps all") << QString() << QList<int>{ 0, 1, 2, 3, 4 };
    QTest::newRow("blanks only keep all") << QStringLiteral("  ") << QList<int>{ 0, 1, 2, 3, 4 };
    QTest::newRow("word, any letter case") << QStringLiteral("LANTERN") << QList<int>{ 0, 3 };
    // A number matches headings counted with it, and still matches as text.
    QTest::newRow("Arabic number finds Chinese numerals") << QStringLiteral("12") << QList<int>{ 1, 2 };
    QTest::newRow("Chinese number finds Arabic numerals") << QStringLiteral("一百二十") << QList<int>{ 2, 3 };
    QTest::newRow("full-width digits") << QStringLiteral("１２１") << QList<int>{ 3 };
    QTest::newRow("a numeral inside a number matches as text only") << QStringLiteral("二") << QList<int>{ 1, 3 };
    QTest::newRow("title text") << QStringLiteral("尾") << QList<int>{ 4 };
    QTest::newRow("nothing matches") << QStringLiteral("海") << QList<int>{};
}

void TestChapterFilter::keepsMatchingTitlesInBookOrder()
{
    QFETCH(QString, typed);
    QFETCH(QList<int>, kept);
    QStringListModel chapters(Titles);
    ChapterFilter filter;
    filter.setSourceModel(&chapters);

    filter.setWanted(typed);

    QCOMPARE(keptRows(filter), kept);
}

void TestChapterFilter::aNewFilterReplacesTheOldOne()
{
    QStringListModel chapters(Titles);
    ChapterFilter filter;
    filter.setSourceModel(&chapters);
    filter.setWanted(QStringLiteral("石桥"));
    QCOMPARE(keptRows(filter), QList<int>{ 1 });

    filter.setWanted(QStringLiteral("归途"));
    QCOMPARE(keptRows(filter), QList<int>{ 2 });
    filter.setWanted({});
    QCOMPARE(filter.rowCount(), Titles.size());
}

LEXORIN_TEST_MAIN(TestChapterFilter)
#include "tst_chapterfilter.moc"
