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
// of its own; a reopened book finds its place in the library seeded before the launch.
class BenchFirstFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstTextPaint_data();
    void firstTextPaint();

private:
    struct Book
    {
        QString path;
        QString text; // as written, CRLF line ends included
    };

    Book writeBook(const QString &name, qsizetype bytes);
    static void seedPlace(const QString &dataHome, const Book &book, double share);
    static qint64 launchUntilTextPainted(const QString &book, const QString &home);

    QTemporaryDir m_dir;
    Book m_small;
    Book m_big;
    qint64 m_smallMs = 0;
};

namespace {

constexpr int Launches = 3;
const QByteArray Encoding("GB18030");

// The book's text as the reader counts it: each line end one character.
qsizetype readerOffset(const QString &text, qsizetype rawOffset)
{
    return rawOffset - QStringView(text).first(rawOffset).count(u'\r');
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
    Book book{ m_dir.filePath(name), BookGenerator::chineseNovel(bytes) };
    QFile file(book.path);
    if (file.open(QIODevice::WriteOnly))
        file.write(BookGenerator::encoded(book.text, Encoding));
    return book;
}

void BenchFirstFrame::firstTextPaint_data()
{
    QTest::addColumn<bool>("big");
    QTest::addColumn<double>("place");
    QTest::newRow("50 KB at its start") << false << -1.0;
    QTest::newRow("40 MB at its start") << true << -1.0;
    QTest::newRow("40 MB reopened at 80 %") << true << 0.8;
    QTest::newRow("40 MB reopened at its end") << true << 1.0;
}

void BenchFirstFrame::firstTextPaint()
{
    QFETCH(bool, big);
    QFETCH(double, place);
    const Book &book = big ? m_big : m_small;
    std::vector<qint64> times;
    for (int launch = 0; launch < Launches; ++launch) {
        QTemporaryDir home;
        if (place >= 0)
            seedPlace(home.filePath(QStringLiteral("data")), book, place);
        const qint64 ms = launchUntilTextPainted(book.path, home.path());
        QVERIFY2(ms >= 0, "the program painted no page text");
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const qint64 median = times[times.size() / 2];
    if (!big)
        m_smallMs = median;
    qInfo("%s: first page text after %lld ms (median of %d), %.2f x the 50 KB book",
          QTest::currentDataTag(), median, Launches, m_smallMs ? double(median) / m_smallMs : 1.0);
}

// The place at the start of the line found at the given share of the book, as the reader
// would have left it there, with the byte offset it keeps beside it.
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
    const qint64 byte = BookGenerator::encoded(book.text.first(raw), Encoding).size();
    library.savePlace(record.id, place, readerOffset(book.text, length), { byte, place });
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
    reader.start(QStringLiteral(LEXORIN_BINARY), { book });
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
    reader.terminate();
    if (!reader.waitForFinished(5000))
        reader.kill();
    reader.waitForFinished();
    return painted;
}

LEXORIN_TEST_MAIN(BenchFirstFrame)

#include "bench_firstframe.moc"
