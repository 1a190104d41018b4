#include "bookdecoder.h"
#include "bookgenerator.h"
#include "fileloader.h"
#include "peakmemory.h"
#include "mainwindow.h"
#include "pagewidget.h"
#include "testmain.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

#include <ctime>


// Times the whole load of a book (read, decode, paginate) against laying the book out as one
// QTextDocument, the reference way of measuring a book, and the paint of a page-turn frame.
// Peak memory is measured in a child process per case, so the cases do not see each other.
class BenchLoading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void load_data();
    void load();
    void referenceLayout_data();
    void referenceLayout();
    void peakMemory_data();
    void peakMemory();
    void paintTurnFrame();
    void bigBookFirstPagesAndWholeBook();
    void bigBookZoomNearTheEnd();
    void bigBookInBothLayouts();

private:
    void addBookRows();
    QString bigBookPath() const { return m_dir.filePath(QStringLiteral("novel-40mb-gb18030.txt")); }
    QString wrappedBigBookPath() const { return m_dir.filePath(QStringLiteral("novel-40mb-gb18030-wrapped.txt")); }

    QTemporaryDir m_dir;
    PageFormat m_format;
    QSize m_pageFrame;
};

namespace {

const QByteArray ChildModeVariable("LEXORIN_BENCH_CHILD");

QString readAndDecode(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return BookDecoder::decode(file.readAll()).text;
}

// The same novel as a hard-wrapped download has it: every line broken after 30 characters,
// with Windows line ends.
QString hardWrapped(const QString &text)
{
    QString wrapped;
    wrapped.reserve(text.size() + text.size() / 10);
    for (QStringView line : Paginator::paragraphsOf(text)) {
        for (qsizetype i = 0; i < line.size(); i += 30) {
            wrapped += line.mid(i, 30);
            wrapped += u"\r\n";
        }
        if (line.isEmpty())
            wrapped += u"\r\n";
    }
    return wrapped;
}

template<typename T>
T median(std::vector<T> values)
{
    const auto middle = values.begin() + qsizetype(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

struct LoadTimes
{
    qint64 firstPages = -1;
    qint64 whole = -1;
    // The processor time of all the process's threads over the whole load, which other work
    // on a busy machine stretches far less than the time on the clock.
    qint64 processor = -1;
};

qint64 processorMilliseconds()
{
    return qint64(std::clock()) * 1000 / CLOCKS_PER_SEC;
}

// From the call to the first pages handed over, and to the whole book cut.
LoadTimes timeLoad(const QString &path, const PageFormat &format)
{
    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    LoadTimes times;
    QElapsedTimer clock;
    QObject::connect(&loader, &FileLoader::pagesCut, &loader, [&times, &clock] {
        if (times.firstPages < 0)
            times.firstPages = clock.elapsed();
    });
    const qint64 processorBefore = processorMilliseconds();
    clock.start();
    loader.loadFile(path, format);
    if (loaded.wait(600000)) {
        times.whole = clock.elapsed();
        times.processor = processorMilliseconds() - processorBefore;
    }
    return times;
}

PagedText loadWithFileLoader(const QString &path, const PageFormat &format)
{
    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(path, format);
    if (!loaded.wait(600000))
        return {};
    return loaded.first().first().value<PagedText>();
}

// The reference: the whole book in one text document at the page frame less 60 x 120, with
// a 30-pixel margin, every block's height taken from the document's layout.
int referencePageCount(const QString &path, const QSize &pageFrame)
{
    QTextDocument document;
    document.setPlainText(readAndDecode(path));
    const QSize pageSize = pageFrame - QSize(60, 120);
    document.setPageSize(QSizeF(pageSize));
    document.setDocumentMargin(30.0);
    int pages = 1;
    qreal height = 0.0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const qreal blockHeight = document.documentLayout()->blockBoundingRect(block).height();
        if (height + blockHeight > pageSize.height() && height > 0.0) {
            ++pages;
            height = 0.0;
        }
        height += blockHeight;
    }
    return pages;
}

}

void BenchLoading::initTestCase()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const PageWidget *page = window.findChild<PageWidget *>();
    m_pageFrame = page->size();
    m_format = { page->textFont(), page->textArea().size() };
    qInfo() << "page frame" << m_pageFrame << "text area" << m_format.textArea;

    for (int megabytes : { 2, 20 }) {
        QFile file(m_dir.filePath(QStringLiteral("novel-%1mb.txt").arg(megabytes)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(BookGenerator::encoded(BookGenerator::chineseNovel(megabytes << 20), "GBK"));
    }
    QFile big(bigBookPath());
    QVERIFY(big.open(QIODevice::WriteOnly));
    const QString novel = BookGenerator::chineseNovel(40 << 20, 4040);
    big.write(BookGenerator::encoded(novel, "GB18030"));
    QFile wrapped(wrappedBigBookPath());
    QVERIFY(wrapped.open(QIODevice::WriteOnly));
    wrapped.write(BookGenerator::encoded(hardWrapped(novel), "GB18030"));
}

void BenchLoading::addBookRows()
{
    QTest::addColumn<QString>("path");
    for (int megabytes : { 2, 20 })
        QTest::newRow(qPrintable(QStringLiteral("%1 MB").arg(megabytes)))
                << m_dir.filePath(QStringLiteral("novel-%1mb.txt").arg(megabytes));
}

void BenchLoading::load_data()
{
    addBookRows();
}

void BenchLoading::load()
{
    QFETCH(QString, path);
    PagedText pages;
    QBENCHMARK_ONCE {
        pages = loadWithFileLoader(path, m_format);
    }
    QVERIFY(!pages.empty());
    qInfo() << pages.size() << "pages";
}

void BenchLoading::referenceLayout_data()
{
    addBookRows();
}

void BenchLoading::referenceLayout()
{
    QFETCH(QString, path);
    int pages = 0;
    QBENCHMARK_ONCE {
        pages = referencePageCount(path, m_pageFrame);
    }
    qInfo() << pages << "pages";
}

void BenchLoading::peakMemory_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("path");
    for (const char *mode : { "load", "reference" }) {
        for (int megabytes : { 2, 20 }) {
            QTest::newRow(qPrintable(QStringLiteral("%1, %2 MB").arg(QLatin1String(mode)).arg(megabytes)))
                    << QString::fromLatin1(mode)
                    << m_dir.filePath(QStringLiteral("novel-%1mb.txt").arg(megabytes));
        }
    }
    QTest::newRow("load, 40 MB GB18030") << QStringLiteral("load") << bigBookPath();
}

void BenchLoading::peakMemory()
{
    QFETCH(QString, mode);
    QFETCH(QString, path);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildModeVariable),
                       QStringLiteral("%1|%2|%3|%4").arg(mode, path).arg(m_pageFrame.width()).arg(m_pageFrame.height()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(600000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
    QVERIFY2(child.exitCode() == 0, qPrintable(output));
    qInfo().noquote() << "peak resident memory:" << output;
}

void BenchLoading::paintTurnFrame()
{
    PageWidget widget;
    widget.resize(m_pageFrame);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const std::vector<QString> pages = Paginator(m_format).paginate(BookGenerator::chineseNovel(64 << 10));
    widget.setPages(pages);
    widget.flipToPage(1, true);
    QImage frame(widget.size(), QImage::Format_ARGB32_Premultiplied);
    QBENCHMARK {
        widget.setFlipProgress(0.5f);
        widget.render(&frame);
    }
}

// The 40 MB novel: how soon the first pages are there to show, and the whole book.
void BenchLoading::bigBookFirstPagesAndWholeBook()
{
    FileLoader loader;
    QSignalSpy cut(&loader, &FileLoader::pagesCut);
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    QElapsedTimer clock;
    qint64 firstPages = -1;
    connect(&loader, &FileLoader::pagesCut, this, [&] {
        if (firstPages < 0)
            firstPages = clock.elapsed();
    });
    clock.start();
    loader.loadFile(bigBookPath(), m_format);
    QVERIFY(loaded.wait(600000));
    const qint64 whole = clock.elapsed();
    const auto pages = loaded.first().first().value<PagedText>();
    const qsizetype characters = pages.length();
    qInfo("40 MB GB18030: first %lld pages after %lld ms, all %zu pages after %lld ms "
          "(%lld characters, %lld partial deliveries)",
          cut.isEmpty() ? 0 : qint64(cut.first().first().value<PagedText>().size()),
          firstPages, size_t(pages.size()), whole, qint64(characters), qint64(cut.count()));
}

// A zoom step on a page near the end of the 40 MB novel: how soon the reader's page is shown
// in the new font, and how soon the whole book is cut anew.
void BenchLoading::bigBookZoomNearTheEnd()
{
    MainWindow window;
    auto *loader = window.findChild<FileLoader *>();
    QSignalSpy loaded(loader, &FileLoader::fileLoaded);
    QSignalSpy recut(loader, &FileLoader::pagesRecut);
    window.show();
    QVERIFY(loaded.wait(60000));
    window.onBookSelectedByPath(bigBookPath());
    QVERIFY(loaded.wait(600000));
    QTest::keyClick(&window, Qt::Key_End);
    QTest::keyClick(&window, Qt::Key_PageUp);
    QTRY_VERIFY_WITH_TIMEOUT(!window.findChild<PageWidget *>()->isTurning(), 10000);

    QElapsedTimer clock;
    clock.start();
    window.onZoomIn();
    window.findChild<PageWidget *>()->repaint();
    const qint64 redrawn = clock.elapsed();
    QVERIFY(recut.wait(600000));
    qInfo("zoom near the end of the 40 MB book: page redrawn after %lld ms, whole book cut anew "
          "after %lld ms", redrawn, clock.elapsed());
}

// What the book layout adds to the whole load of the 40 MB novel, written a paragraph a line
// and hard-wrapped, over the original layout, and whether it delays the first pages. The
// four loads alternate, round after round, so a machine busy with other work weighs on each
// alike; every round is printed, then the medians.
void BenchLoading::bigBookInBothLayouts()
{
    PageFormat book = m_format;
    book.style.book = true;
    const int rounds = qEnvironmentVariableIntValue("LEXORIN_BENCH_ROUNDS") > 0
            ? qEnvironmentVariableIntValue("LEXORIN_BENCH_ROUNDS")
            : 5;
    const std::pair<const char *, QString> variants[] = { { "a paragraph a line", bigBookPath() },
                                                          { "hard-wrapped", wrappedBigBookPath() } };
    std::vector<qint64> added[2];
    std::vector<qint64> addedProcessor[2];
    std::vector<double> firstPagesRatios[2];
    for (int round = 1; round <= rounds; ++round) {
        for (int v = 0; v < 2; ++v) {
            const LoadTimes original = timeLoad(variants[v].second, m_format);
            const LoadTimes inBook = timeLoad(variants[v].second, book);
            QVERIFY(original.whole >= 0 && inBook.whole >= 0);
            added[v].push_back(inBook.whole - original.whole);
            addedProcessor[v].push_back(inBook.processor - original.processor);
            firstPagesRatios[v].push_back(double(inBook.firstPages) / double(qMax<qint64>(1, original.firstPages)));
            qInfo("round %d, 40 MB GB18030 %s: whole load original %lld ms, book %lld ms (%+lld ms; processor "
                  "time %lld / %lld ms, %+lld ms); first pages original %lld ms, book %lld ms (ratio %.2f)",
                  round, variants[v].first, original.whole, inBook.whole, added[v].back(), original.processor,
                  inBook.processor, addedProcessor[v].back(), original.firstPages, inBook.firstPages,
                  firstPagesRatios[v].back());
        }
    }
    for (int v = 0; v < 2; ++v) {
        qInfo("median of %d rounds, %s: the book layout adds %+lld ms to the whole load (%+lld ms of processor "
              "time), first pages ratio %.2f",
              rounds, variants[v].first, median(added[v]), median(addedProcessor[v]), median(firstPagesRatios[v]));
    }
}

// In a child process: one case, then its peak resident memory on standard output.
static int runChildCase(const QByteArray &childCase)
{
    const QList<QByteArray> parts = childCase.split('|');
    const QString mode = QString::fromUtf8(parts.at(0));
    const QString path = QString::fromUtf8(parts.at(1));
    const QSize pageFrame(parts.at(2).toInt(), parts.at(3).toInt());
    const long before = peakResidentKilobytes();
    PageWidget probe;
    probe.resize(pageFrame);
    const PageFormat format{ probe.textFont(), probe.textArea().size() };
    if (mode == QLatin1String("load"))
        loadWithFileLoader(path, format);
    else
        referencePageCount(path, pageFrame);
    const long peak = peakResidentKilobytes();
    printf("%ld MB (%ld MB before the load)\n", peak >> 10, before >> 10);
    return 0;
}

int main(int argc, char *argv[])
{
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyApplicationFont();
    const QByteArray childCase = qgetenv(ChildModeVariable.constData());
    if (!childCase.isEmpty())
        return runChildCase(childCase);
    BenchLoading bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_loading.moc"
