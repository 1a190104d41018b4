#include "bookdecoder.h"
#include "bookgenerator.h"
#include "booksearch.h"
#include "paginator.h"
#include "testmain.h"

#include <QThreadPool>

// Every place a two-character word stands in the generated 40 MB GB18030 novel, its pages cut
// as the reader cuts them.
class BenchSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void allResultsForTwoCharacters();

private:
    std::vector<QString> m_pages;
    std::vector<Chapter> m_chapters;
};

void BenchSearch::initTestCase()
{
    const QByteArray bytes = BookGenerator::encoded(BookGenerator::chineseNovel(40 << 20, 4040, 100), "GB18030");
    const QString text = BookDecoder::decode(bytes).text;
    const std::vector<QStringView> paragraphs = Paginator::paragraphsOf(text);
    m_chapters = ChapterDetector::detect(paragraphs);
    QThreadPool pool;
    const PageFormat format{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(580, 640) };
    m_pages = Paginator(format, &pool).paginate(paragraphs, m_chapters);
    qInfo("%zu pages, %zu headings", m_pages.size(), m_chapters.size());
}

void BenchSearch::allResultsForTwoCharacters()
{
    std::vector<SearchResult> results;
    QBENCHMARK {
        results = BookSearch::findAll(m_pages, m_chapters, QStringLiteral("我们"));
    }
    qInfo("%zu results", results.size());
    QVERIFY(!results.empty());
}

LEXORIN_TEST_MAIN(BenchSearch)
#include "bench_search.moc"
