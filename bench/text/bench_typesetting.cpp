#include "bookdecoder.h"
#include "bookgenerator.h"
#include "chapterdetector.h"
#include "paginator.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QThreadPool>

// What the book layout costs against the original one, on a 40 MB GB18030 novel cut on a
// pool as the loader cuts it: the whole book, and the first pages the loader hands over at
// once (its first wave of text, cut on the calling thread). Both layouts are timed in one
// run, each the best of a few, and the ratio is printed.
class BenchTypesetting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cutWhole();
    void cutFirstPages();

private:
    static PageFormat format(bool book);
    qint64 bestOf(int runs, const std::function<size_t()> &cut, size_t *pages) const;
    void compare(const char *what, int runs, const std::function<size_t(const PageFormat &)> &cut);

    QString m_text;
    std::vector<QStringView> m_paragraphs;
    std::vector<Chapter> m_chapters;
    QThreadPool m_pool;
};

void BenchTypesetting::initTestCase()
{
    const QByteArray bytes = BookGenerator::encoded(BookGenerator::chineseNovel(40 << 20, 4040, 100), "GB18030");
    m_text = BookDecoder::decode(bytes).text;
    m_paragraphs = Paginator::paragraphsOf(m_text);
    m_chapters = ChapterDetector::detect(m_paragraphs);
}

PageFormat BenchTypesetting::format(bool book)
{
    TypesetStyle style;
    style.book = book;
    return PageFormat(QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(580, 560), true, style);
}

qint64 BenchTypesetting::bestOf(int runs, const std::function<size_t()> &cut, size_t *pages) const
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        *pages = cut();
        best = qMin(best, timer.nsecsElapsed());
    }
    return best;
}

void BenchTypesetting::compare(const char *what, int runs, const std::function<size_t(const PageFormat &)> &cut)
{
    size_t originalPages = 0;
    size_t bookPages = 0;
    const qint64 original = bestOf(runs, [&] { return cut(format(false)); }, &originalPages);
    const qint64 book = bestOf(runs, [&] { return cut(format(true)); }, &bookPages);
    qInfo("%s: original %.2f ms (%zu pages), book %.2f ms (%zu pages), ratio %.2f", what, original / 1e6,
          originalPages, book / 1e6, bookPages, double(book) / double(original));
}

void BenchTypesetting::cutWhole()
{
    compare("whole book", 3, [this](const PageFormat &pageFormat) {
        const std::vector<Chapter> headings = m_chapters;
        return Paginator(pageFormat, &m_pool).paginate(m_paragraphs, headings).size();
    });
}

// As the loader cuts its first wave: the pieces of the first 16 KB of text, on this thread.
void BenchTypesetting::cutFirstPages()
{
    const std::vector<TextRun> originalPieces = Paginator::piecesOf(m_paragraphs, m_chapters, true);
    const std::vector<TextRun> bookPieces = Paginator::piecesOf(m_paragraphs, m_chapters, false);
    compare("first pages", 200, [&](const PageFormat &pageFormat) {
        const Paginator paginator(pageFormat);
        const std::vector<TextRun> &pieces = pageFormat.style.book ? bookPieces : originalPieces;
        size_t last = 0;
        for (qsizetype length = 0; last < pieces.size() && length < 16 * 1024; ++last)
            length += pieces[last].text.size();
        PageCutter cutter(paginator.pageHeight());
        for (const TextRun &run : paginator.measure(pieces, 0, last))
            cutter.add(run);
        return cutter.pages().size();
    });
}

LEXORIN_TEST_MAIN(BenchTypesetting)
#include "bench_typesetting.moc"
