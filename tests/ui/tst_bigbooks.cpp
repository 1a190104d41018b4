#include "fileloader.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QSignalSpy>
#include <QStringEncoder>

using namespace WindowDriver;

// Books long enough to be cut in waves: the first pages show before the rest is cut, the
// label marks the count as growing, and the reader turns pages in what is known.
class TestBigBooks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void firstPagesShowWhileTheRestIsCut();
    void newerBookStopsTheCuttingAtOnce();
    void zoomDuringTheCutKeepsThePlace();
    void aReopenedPlaceIsNumberedAsAnEstimateUntilExact();

private:
    std::unique_ptr<MainWindow> openWindow();

    QTemporaryDir m_dir;
    QString m_novel;
};

namespace {

QString novelText()
{
    QString text;
    for (int chapter = 1; chapter <= 400; ++chapter) {
        text += QStringLiteral("第%1章　夜航\r\n").arg(chapter);
        text += QStringLiteral("　　海风吹过灯塔，小猫胡椒趴在窗台上，看着远处的渔船一盏一盏地亮起灯来。"
                               "她数着船，也数着星星，数到第一百颗的时候，月亮从云后面探出头来。\r\n")
                        .repeated(60);
    }
    return text;
}

}

void TestBigBooks::initTestCase()
{
    QStringEncoder gb18030("GB18030");
    QFile file(m_dir.filePath(QStringLiteral("长篇小说.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(gb18030.encode(novelText()));
    file.close();
    m_novel = file.fileName();
    QVERIFY(file.size() > 2 << 20);
}

void TestBigBooks::init()
{
    startAfresh();
}

std::unique_ptr<MainWindow> TestBigBooks::openWindow()
{
    auto window = std::make_unique<MainWindow>();
    QSignalSpy loaded(window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window->show();
    loaded.wait(10000);
    waitForTurns(*window);
    return window;
}

void TestBigBooks::firstPagesShowWhileTheRestIsCut()
{
    auto window = openWindow();
    auto *loader = window->findChild<FileLoader *>();
    QSignalSpy cut(loader, &FileLoader::pagesCut);
    QSignalSpy loaded(loader, &FileLoader::fileLoaded);
    window->onBookSelectedByPath(m_novel);

    QVERIFY(cut.wait(10000));
    QVERIFY(loaded.isEmpty());
    const QRegularExpression growing(QStringLiteral("^第 (\\d+) 页/共 (\\d+)\\+ 页$"));
    QRegularExpressionMatch label = growing.match(pageLabel(*window));
    QVERIFY2(label.hasMatch(), qPrintable(pageLabel(*window)));
    QCOMPARE(label.captured(1), QStringLiteral("1"));

    // Turning works within the pages cut so far; End waits for the last page, never landing on
    // the last one cut so far.
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    QTest::keyClick(window.get(), Qt::Key_End);
    label = growing.match(pageLabel(*window));
    if (label.hasMatch()) {
        QCOMPARE(label.captured(1), QStringLiteral("2"));
        QCOMPARE(pageWidget(*window)->restingPage() + 1, 2);
    }

    QVERIFY(loaded.wait(60000));
    const int total = int(loaded.first().first().value<PagedText>().pageTexts().size());
    QVERIFY(cut.count() >= 1);
    QVERIFY(total > int(cut.first().first().value<PagedText>().pageTexts().size()));
    const QRegularExpressionMatch final = QRegularExpression(QStringLiteral("^第 (\\d+) 页/共 (\\d+) 页$"))
                                                  .match(pageLabel(*window));
    QVERIFY2(final.hasMatch(), qPrintable(pageLabel(*window)));
    QCOMPARE(final.captured(2).toInt(), total);
    QCOMPARE(final.captured(1).toInt(), total);
    waitForTurns(*window);
    QCOMPARE(pageWidget(*window)->restingPage() + 1, final.captured(1).toInt());
}

void TestBigBooks::newerBookStopsTheCuttingAtOnce()
{
    auto window = openWindow();
    auto *loader = window->findChild<FileLoader *>();
    QSignalSpy cut(loader, &FileLoader::pagesCut);
    QSignalSpy loaded(loader, &FileLoader::fileLoaded);
    window->onBookSelectedByPath(m_novel);
    QVERIFY(cut.wait(10000));
    window->onBookSelectedByPath(QStringLiteral(":/book/A Pocketful of Weather.txt"));

    QVERIFY(loaded.wait(10000));
    QCOMPARE(loaded.first().at(1).toString(), QStringLiteral(":/book/A Pocketful of Weather.txt"));
    const int cutsSoFar = int(cut.count());
    QTest::qWait(1000);
    QCOMPARE(cut.count(), cutsSoFar);
    QCOMPARE(loaded.count(), 1);
}

void TestBigBooks::zoomDuringTheCutKeepsThePlace()
{
    auto window = openWindow();
    auto *loader = window->findChild<FileLoader *>();
    QSignalSpy cut(loader, &FileLoader::pagesCut);
    QSignalSpy loaded(loader, &FileLoader::fileLoaded);
    QSignalSpy recut(loader, &FileLoader::pagesRecut);
    window->onBookSelectedByPath(m_novel);
    QVERIFY(cut.wait(10000));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(window.get(), Qt::Key_PageDown);
    const auto firstPages = cut.last().first().value<PagedText>().pageTexts();
    const qsizetype offset = Paginator::offsetOfPage(firstPages, 5);

    window->onZoomIn();
    // The place is held while the book is cut anew; a turn asked for meanwhile waits for the
    // new pages and then goes on from the held place.
    const QString held = pageLabel(*window);
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    QCOMPARE(pageLabel(*window), held);

    QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty() || !recut.isEmpty(), 60000);
    const auto pages = (recut.isEmpty() ? loaded : recut).last().first().value<PagedText>().pageTexts();
    waitForTurns(*window);
    const int page = pageWidget(*window)->restingPage();
    QCOMPARE(page, Paginator::pageAtOffset(pages, offset) + 1);
    QCOMPARE(pageLabel(*window).section(u' ', 1, 1).toInt(), page + 1);
    QTest::keyClick(window.get(), Qt::Key_PageDown);
    QCOMPARE(pageLabel(*window).section(u' ', 1, 1).toInt(), page + 2);
}

// Reopened deep in the book, the label names the page with an estimate marked as such, until
// the pages before the place are cut; then it names the page's exact number.
void TestBigBooks::aReopenedPlaceIsNumberedAsAnEstimateUntilExact()
{
    int page = 0;
    {
        auto window = openWindow();
        QSignalSpy loaded(window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
        window->onBookSelectedByPath(m_novel);
        QVERIFY(loaded.wait(60000));
        auto *session = window->findChild<ReadingSession *>();
        QTRY_VERIFY_WITH_TIMEOUT(session->isComplete(), 20000);
        page = session->pageCount() * 7 / 10;
        session->goTo(page);
        window->close();
    }
    MainWindow window;
    auto *session = window.findChild<ReadingSession *>();
    QSignalSpy shown(session, &ReadingSession::bookShown);
    window.show();
    QVERIFY(shown.wait(20000));
    QVERIFY(!session->isPageNumberKnown());
    const QRegularExpression estimated(QStringLiteral("^约第 (\\d+)(–\\d+)? 页/共约 (\\d+) 页$"));
    QVERIFY2(estimated.match(pageLabel(window)).hasMatch(), qPrintable(pageLabel(window)));

    QTRY_VERIFY_WITH_TIMEOUT(session->isPageNumberKnown(), 60000);
    const QRegularExpression exact(QStringLiteral("^第 (\\d+)(–\\d+)? 页/共 (\\d+)\\+? 页$"));
    const QRegularExpressionMatch label = exact.match(pageLabel(window));
    QVERIFY2(label.hasMatch(), qPrintable(pageLabel(window)));
    QCOMPARE(label.captured(1).toInt(), page + 1);
}

LEXORIN_TEST_MAIN(TestBigBooks)
#include "tst_bigbooks.moc"
