#include "bookdecoder.h"
#include "bookgenerator.h"
#include "chapterdetector.h"
#include "paginator.h"
#include "testmain.h"

// What finding the headings adds to the load of a 40 MB GB18030 novel: on the decoded text,
// and on the paragraphs the loader has already split it into; and on the same novel without
// its heading lines, where every lone line is weighed and the book is cut into passages.
class BenchChapters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void detectInText();
    void detectInParagraphs();
    void detectWithoutHeadings();

private:
    QString m_text;
};

void BenchChapters::initTestCase()
{
    const QByteArray bytes = BookGenerator::encoded(BookGenerator::chineseNovel(40 << 20, 4040, 100), "GB18030");
    m_text = BookDecoder::decode(bytes).text;
    qInfo("%lld MB, %lld characters", qint64(bytes.size() >> 20), qint64(m_text.size()));
}

void BenchChapters::detectInText()
{
    std::vector<Chapter> chapters;
    QBENCHMARK {
        chapters = ChapterDetector::detect(m_text);
    }
    const auto volumes = std::count_if(chapters.begin(), chapters.end(),
                                       [](const Chapter &chapter) { return chapter.level == Chapter::Volume; });
    qInfo("%zu headings, %lld of them volumes", chapters.size(), qint64(volumes));
    QVERIFY(chapters.size() > 2000);
}

void BenchChapters::detectInParagraphs()
{
    const std::vector<QStringView> paragraphs = Paginator::paragraphsOf(m_text);
    std::vector<Chapter> chapters;
    QBENCHMARK {
        chapters = ChapterDetector::detect(paragraphs);
    }
    QVERIFY(chapters.size() > 2000);
}

void BenchChapters::detectWithoutHeadings()
{
    std::vector<QStringView> paragraphs = Paginator::paragraphsOf(m_text);
    paragraphs.erase(std::remove_if(paragraphs.begin(), paragraphs.end(),
                                    [](QStringView paragraph) { return paragraph.startsWith(u'第'); }),
                     paragraphs.end());
    std::vector<Chapter> passages;
    QBENCHMARK {
        passages = ChapterDetector::contents(paragraphs);
    }
    qInfo("%zu passages", passages.size());
    QVERIFY(passages.size() > 1000);
    QCOMPARE(passages.front().level, int(Chapter::Passage));
}

LEXORIN_TEST_MAIN(BenchChapters)
#include "bench_chapters.moc"
