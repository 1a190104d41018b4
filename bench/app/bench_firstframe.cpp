#include "bookdecoder.h"
#include "bookfingerprint.h"
#include "bookgenerator.h"
#include "librarydatabase.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>

// What a reader waits for when a book opens: from starting the program on a book to the
// first paint of page text in its window, under the offscreen platform. A 40 MB novel at its
// start, and reopened at 80 % and at its end, against a 50 KB book. Every launch has a home
// of its own; a reopened book finds its place in the library seeded before the launch, with
// the line start the library keeps nearest before it, as a reader's last visit left them.
// The machine is shared, so the four cases take turns within each round, each round starting
// with the next case, and every ratio compares launches of the same round.
class BenchFirstFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstTextPaint();

private:
    struct Book
    {
        QString path;
        QString text; // as written, CRLF line ends included
        std::vector<TextAnchor> anchors; // the decoder's, places counted in text
    };
    struct Case
    {
        const char *name;
        const Book *book;
        double place; // a share of the book, or negative for a book never opened
    };

    Book writeBook(const QString &name, qsizetype bytes);
    static qint64 launchCase(const Case &opening);
    static void seedPlace(const QString &dataHome, const Book &book, double share);
    static qint64 launchUntilTextPainted(const QString &book, const QString &home);

    QTemporaryDir m_dir;
    Book m_small;
    Book m_big;
};

namespace {

constexpr int Rounds = 11;
const QByteArray Encoding("GB18030");

// The book's text as the reader counts it: each line end one character.
qsizetype readerOffset(const QString &text, qsizetype rawOffset)
{
    return rawOffset - QStringView(text).first(rawOffset).count(u'\r');
}

qint64 median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}

void BenchFirstFrame::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_small = writeBook(QStringLiteral("small-50kb.txt"), 50 * 1024);
    m_big = writeBook(QStringLiteral("novel-40mb.txt"), 40 * 1024 * 1024);
    // The first launch finds the program and its fonts on disk, not in memory.
    QTemporaryDir home;
    QVERIFY(launchUntilTextPainted(m_small.path, home.path()) >= 0);
}

BenchFirstFrame::Book BenchFirstFrame::writeBook(const QString &name, qsizetype bytes)
{
    Book book{ m_dir.filePath(name), BookGenerator::chineseNovel(bytes), {} };
    QFile file(book.path);
    const QByteArray content = BookGenerator::encoded(book.text, Encoding);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    book.anchors = BookDecoder::decode(content).anchors;
    return book;
}

void BenchFirstFrame::firstTextPaint()
{
    const std::vector<Case> cases{ { "50 KB at its start", &m_small, -1.0 },
                                   { "40 MB at its start", &m_big, -1.0 },
                                   { "40 MB reopened at 80 %", &m_big, 0.8 },
                                   { "40 MB reopened at its end", &m_big, 1.0 } };
    std::vector<std::vector<qint64>> times(cases.size());
    std::vector<std::vector<double>> ratios(cases.size());
    for (int round = 0; round < Rounds; ++round) {
        std::vector<qint64> ms(cases.size());
        for (size_t turn = 0; turn < cases.size(); ++turn) {
            const size_t which = (turn + size_t(round)) % cases.size();
            ms[which] = launchCase(cases[which]);
            QVERIFY2(ms[which] >= 0, "the program painted no page text");
        }
        QString line = QStringLiteral("round %1:").arg(round + 1);
        for (size_t which = 0; which < cases.size(); ++which) {
            times[which].push_back(ms[which]);
            ratios[which].push_back(double(ms[which]) / qMax<qint64>(ms[0], 1));
            line += QStringLiteral(" %1 ms (%2)").arg(ms[which]).arg(ratios[which].back(), 0, 'f', 2);
        }
        qInfo("%s", qPrintable(line));
    }
    for (size_t which = 0; which < cases.size(); ++which)
        qInfo("%s: first page text after %lld ms (median of %d rounds), median ratio %.2f x the 50 KB book",
              cases[which].name, median(times[which]), Rounds, median(ratios[which]));
}

qint64 BenchFirstFrame::launchCase(const Case &opening)
{
    QTemporaryDir home;
    if (opening.place >= 0)
        seedPlace(home.filePath(QStringLiteral("data")), *opening.book, opening.place);
    return launchUntilTextPainted(opening.book->path, home.path());
}

// The place at the start of the line found at the given share of the book, as the reader
// would have left it there, with the line start before it that the library keeps.
void BenchFirstFrame::seedPlace(const QString &dataHome, const Book &book, double share)
{
    LibraryDatabase library(dataHome + QStringLiteral("/Bookshelf/Lexorin"));
    if (library.open() != LibraryDatabase::Status::Ready)
        return;
    const BookRecord record = library.bookFor(book.path, BookFingerprint::ofFile(book.path));
    const qsizetype length = book.text.size();
    qsizetype raw = book.text.lastIndexOf(u'\n', qMin(qsizetype(length * share), length - 2)) + 1;
    if (share >= 1.0)
        raw = book.text.lastIndexOf(u'\n', book.text.lastIndexOf(u'\n', length - 2) - 1) + 1;
    const qsizetype place = readerOffset(book.text, raw);
    const auto after = std::upper_bound(book.anchors.begin(), book.anchors.end(), raw,
                                        [](qsizetype offset, const TextAnchor &anchor) { return offset < anchor.place; });
    const TextAnchor anchor = *std::prev(after);
    library.savePlace(record.id, place, readerOffset(book.text, length),
                      { anchor.byte, readerOffset(book.text, anchor.place) });
}

qint64 BenchFirstFrame::launchUntilTextPainted(const QString &book, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("lexorin.paint.info=true"));
    QProcess reader;
    reader.setProcessEnvironment(environment);
    reader.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    reader.start(qEnvironmentVariable("LEXORIN_BENCH_BINARY", QStringLiteral(LEXORIN_BINARY)), { book });
    qint64 painted = -1;
    QByteArray log;
    reader.setReadChannel(QProcess::StandardError);
    while (painted < 0 && clock.elapsed() < 60000 && reader.state() != QProcess::NotRunning) {
        if (!reader.waitForReadyRead(100))
            continue;
        log += reader.readAllStandardError();
        if (log.contains("first page text painted"))
            painted = clock.elapsed();
    }
    const bool ended = reader.state() == QProcess::NotRunning;
    reader.terminate();
    if (!reader.waitForFinished(5000))
        reader.kill();
    reader.waitForFinished();
    if (painted < 0)
        qWarning("no page text after %lld ms; the program %s (exit code %d); the end of its log:\n%s",
                 clock.elapsed(), ended ? "had ended" : "was stopped", reader.exitCode(),
                 (log + reader.readAllStandardError()).right(2000).constData());
    return painted;
}

LEXORIN_TEST_MAIN(BenchFirstFrame)

#include "bench_firstframe.moc"
