#include "bookgenerator.h"
#include "fileloader.h"
#include "layoutcontroller.h"
#include "mainwindow.h"
#include "pagewidget.h"
#include "readingsession.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <algorithm>

// A window holding the 40 MB GB18030 novel, open at 80 %, resized: how soon the page holding
// the reader's place is shown for the new size, and how soon the whole book is cut anew in
// the background. Each layout is resized back and forth a few times; the median and the
// slowest of each are printed.
class BenchResize : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void resizeBigBook_data();
    void resizeBigBook();

private:
    QTemporaryDir m_dir;
    QString m_bookPath;
};

namespace {

constexpr int Resizes = 4;

qint64 median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool isCutWhole(const ReadingSession &session)
{
    return session.state() == ReadingSession::State::Reading && session.isComplete();
}

}

void BenchResize::initTestCase()
{
    m_bookPath = m_dir.filePath(QStringLiteral("novel-40mb-gb18030.txt"));
    QFile book(m_bookPath);
    QVERIFY(book.open(QIODevice::WriteOnly));
    book.write(BookGenerator::encoded(BookGenerator::chineseNovel(40 << 20, 4040), "GB18030"));
}

void BenchResize::resizeBigBook_data()
{
    QTest::addColumn<bool>("bookLayout");
    QTest::addColumn<bool>("spread");
    QTest::newRow("original layout") << false << false;
    QTest::newRow("book layout") << true << false;
    QTest::newRow("book layout, two pages on the wide size") << true << true;
}

void BenchResize::resizeBigBook()
{
    QFETCH(bool, bookLayout);
    QFETCH(bool, spread);
    MainWindow window;
    auto *session = window.findChild<ReadingSession *>();
    auto *layout = window.findChild<LayoutController *>();
    auto *page = window.findChild<PageWidget *>();
    QSignalSpy loaded(window.findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    layout->setBookLayout(bookLayout);
    layout->setSpread(spread);
    window.onBookSelectedByPath(m_bookPath);
    QTRY_VERIFY_WITH_TIMEOUT(session->book() == m_bookPath && isCutWhole(*session), 600000);
    session->goToPlace(session->textLength() * 4 / 5);
    QTRY_VERIFY_WITH_TIMEOUT(!page->isTurning(), 10000);

    const QSize sizes[] = { QSize(1240, 760), QSize(700, 900) };
    std::vector<qint64> shown;
    std::vector<qint64> cut;
    for (int step = 0; step < Resizes; ++step) {
        const qsizetype place = session->place();
        QElapsedTimer clock;
        clock.start();
        window.resize(sizes[step % 2]);
        QTRY_VERIFY(session->format().textArea == page->textArea().size());
        page->repaint();
        shown.push_back(clock.elapsed());
        QTRY_VERIFY_WITH_TIMEOUT(isCutWhole(*session), 600000);
        cut.push_back(clock.elapsed());
        QCOMPARE(session->place(), place);
    }
    qInfo("resize of the 40 MB book at 80 %%, %s: page shown after %lld ms (slowest %lld), "
          "whole book cut anew after %lld ms (slowest %lld), %d resizes",
          QTest::currentDataTag(), median(shown), *std::max_element(shown.begin(), shown.end()),
          median(cut), *std::max_element(cut.begin(), cut.end()), Resizes);
}

LEXORIN_TEST_MAIN(BenchResize)
#include "bench_resize.moc"
