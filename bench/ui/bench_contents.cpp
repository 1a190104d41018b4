#include "contentspage.h"
#include "testmain.h"


// Opening the contents of a book with 2,400 headings: the list filled, the reader's chapter
// marked and scrolled to, and the page painted.
class BenchContents : public QObject
{
    Q_OBJECT

private slots:
    void openWith2400Entries();
    void filterWith2400Entries();

private:
    static std::vector<Chapter> headings();
};

std::vector<Chapter> BenchContents::headings()
{
    std::vector<Chapter> chapters;
    qsizetype offset = 0;
    for (int i = 0; i < 2400; ++i) {
        const bool volume = i % 100 == 0;
        const QString title = volume ? QStringLiteral("第%1卷 风起").arg(i / 100 + 1)
                                     : QStringLiteral("第%1章 灯塔守夜人").arg(i);
        chapters.push_back(Chapter{ offset, title.size(), title, volume ? Chapter::Volume : Chapter::Section });
        offset += 8000;
    }
    return chapters;
}

void BenchContents::openWith2400Entries()
{
    const std::vector<Chapter> chapters = headings();
    ContentsPage page;
    page.resize(600, 700);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QBENCHMARK {
        page.setChapters(chapters);
        page.setCurrentChapter(1800);
        page.repaint();
    }
}

void BenchContents::filterWith2400Entries()
{
    ContentsPage page;
    page.resize(600, 700);
    page.setChapters(headings());
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QBENCHMARK {
        page.setFilter(QStringLiteral("45"));
        page.repaint();
        page.setFilter(QString());
        page.repaint();
    }
}

LEXORIN_TEST_MAIN(BenchContents)
#include "bench_contents.moc"
