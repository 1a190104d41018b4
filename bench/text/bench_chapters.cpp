#include "bookdecoder.h"
#include "bookgenerator.h"
#include "chapterdetector.h"
#include "paginator.h"
#include "testmain.h"

// What finding the headings adds to the load of a 40 MB GB18030 novel: on the decoded text,
// and on the paragraphs the loader has already split it into.
class BenchChapters : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void detectInText();
    void detectInParagraphs();

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

LEXORIN_TEST_MAIN(BenchChapters)
#include "bench_chapters.moc"
