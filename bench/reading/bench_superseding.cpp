#include "bookgenerator.h"
#include "fileloader.h"
#include "peakmemory.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>

// A reader who opens book after book: five 40 MB novels 30 ms apart. Only the last one
// matters, so what counts is how soon its first page is there and how much memory the
// superseded loads took meanwhile, against one such book opened alone. Each case runs in a
// child process of its own, so that peak memory is the case's own.
class BenchSuperseding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lastBookFirstPage_data();
    void lastBookFirstPage();

private:
    QTemporaryDir m_dir;
};

namespace {

const QByteArray ChildModeVariable("LEXORIN_BENCH_CHILD");
constexpr int Books = 5;
constexpr int IntervalMs = 30;

QString bookPath(const QString &folder, int book)
{
    return QDir(folder).filePath(QStringLiteral("novel-%1.txt").arg(book));
}

// In the child: opens the books the case names, the given time apart, and reports when the
// last one's first pages and its whole page list arrived, counted from its loadFile call.
int runChildCase(const QByteArray &childCase)
{
    const QList<QByteArray> parts = childCase.split('|');
    const QString folder = QString::fromUtf8(parts.at(0));
    const int books = parts.at(1).toInt();
    const PageFormat format{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(580, 680) };

    FileLoader loader;
    const QString last = bookPath(folder, books - 1);
    QElapsedTimer sinceLast;
    qint64 firstPages = -1;
    int deliveriesOfOthers = 0;
    int asked = 0;
    // A book's first pages may come before the next book is asked for; only pages that come
    // after it was superseded are work the loader should have dropped.
    const auto firstPagesOf = [&](const QString &path) {
        if (path == last) {
            if (firstPages < 0)
                firstPages = sinceLast.elapsed();
        } else if (path != bookPath(folder, asked - 1)) {
            ++deliveriesOfOthers;
        }
    };
    QObject::connect(&loader, &FileLoader::pagesCut, [&](const PagedText &, const QString &path) {
        firstPagesOf(path);
    });
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    for (int book = 0; book < books; ++book) {
        if (book > 0)
            QTest::qWait(IntervalMs);
        if (book == books - 1)
            sinceLast.start();
        loader.loadFile(bookPath(folder, book), format);
        asked = book + 1;
    }
    if (!loaded.wait(600000))
        return 1;
    const qint64 whole = sinceLast.elapsed();
    printf("first pages after %lld ms, whole book after %lld ms, %d deliveries of superseded "
           "books, peak resident memory %ld MB\n",
           firstPages, whole, deliveriesOfOthers, peakResidentKilobytes() >> 10);
    return 0;
}

}

void BenchSuperseding::initTestCase()
{
    const QByteArray novel = BookGenerator::encoded(BookGenerator::chineseNovel(40 << 20, 4040), "GB18030");
    for (int book = 0; book < Books; ++book) {
        QFile file(bookPath(m_dir.path(), book));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(novel), novel.size());
    }
}

void BenchSuperseding::lastBookFirstPage_data()
{
    QTest::addColumn<int>("books");
    QTest::newRow("one 40 MB book") << 1;
    QTest::newRow("five 40 MB books 30 ms apart") << Books;
}

void BenchSuperseding::lastBookFirstPage()
{
    QFETCH(int, books);
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ChildModeVariable), QStringLiteral("%1|%2").arg(m_dir.path()).arg(books));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(child.waitForFinished(600000));
    const QString output = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
    QVERIFY2(child.exitCode() == 0, qPrintable(output));
    qInfo().noquote() << output;
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
    BenchSuperseding bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_superseding.moc"
