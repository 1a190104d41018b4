#include "bookshelfwidget.h"
#include "fileloader.h"
#include "fileprober.h"
#include "library.h"
#include "librarydatabase.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QFontDialog>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>

using namespace WindowDriver;

// The window reopens a book where the reader left it, whatever happened in between.
class TestRememberedPlace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void placeSurvivesARestart_data();
    void placeSurvivesARestart();
    void reopenedBookShowsItsPageFromTheFirstFrame();
    void shorterBookOpensAtItsLastPage();
    void aLastReadBookWhoseFileHangsLeavesTheWindowLive();
    void aLastReadBookThatIsGoneGivesWayToTheNewest();
    void resetForgetsThePlace();
    void unusableLibraryIsToldOnceAndReadingGoesOn();
    void readingTimeRunsWhileTheBookIsInFront();

private:
    void openWindow(const QString &startBook = QString());
    void restart(const QString &startBook = QString());
    ReadingSession *session() const { return m_window->findChild<ReadingSession *>(); }
    void verifyShowsPlace(qsizetype place);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QString m_book;
};

namespace {

QString novel(int paragraphs)
{
    QString text;
    for (int p = 0; p < paragraphs; ++p)
        text += QStringLiteral("　　第%1段，潮水退去，石阶上留着昨夜的月光和一只迷路的螃蟹。\n")
                        .arg(p, 5, 10, QLatin1Char('0'));
    return text;
}

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

}

void TestRememberedPlace::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
    m_book = m_dir->filePath(QStringLiteral("潮汐.txt"));
    QVERIFY(writeFile(m_book, novel(3000)));
    openWindow(m_book);
}

void TestRememberedPlace::cleanup()
{
    m_window.reset();
}

void TestRememberedPlace::openWindow(const QString &startBook)
{
    m_window = std::make_unique<MainWindow>();
    if (!startBook.isEmpty())
        m_window->openAtStart(startBook);
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(session()->openingBook().isEmpty(), 10000);
    waitForTurns(*m_window);
}

// Closing the window writes the place; nothing else is waited for.
void TestRememberedPlace::restart(const QString &startBook)
{
    m_window->close();
    m_window.reset();
    openWindow(startBook);
}

void TestRememberedPlace::verifyShowsPlace(qsizetype place)
{
    const ReadingSession *reading = session();
    QCOMPARE(QFileInfo(reading->book()).fileName(), QFileInfo(m_book).fileName());
    const PagedText &pages = reading->pages();
    const int page = pageWidget(*m_window)->restingPage();
    QCOMPARE(page, reading->page());
    const qsizetype start = Paginator::offsetOfPage(pages, page);
    QVERIFY2(start <= place && place < start + pages[page].size(),
             qPrintable(QStringLiteral("page %1 from %2, place %3").arg(page).arg(start).arg(place)));
}

void TestRememberedPlace::placeSurvivesARestart_data()
{
    QTest::addColumn<QString>("change");

    QTest::newRow("nothing") << "";
    QTest::newRow("zoom") << "zoom";
    QTest::newRow("full screen") << "full screen";
    QTest::newRow("font") << "font";
    QTest::newRow("moved file") << "move";
    QTest::newRow("text added at the end") << "append";
    QTest::newRow("killed without closing") << "kill";
}

void TestRememberedPlace::placeSurvivesARestart()
{
    QFETCH(QString, change);

    for (int turn = 0; turn < 7; ++turn)
        QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    const qsizetype place = session()->place();
    QVERIFY(place > 0);

    if (change == QLatin1String("zoom")) {
        m_window->onZoomIn();
        QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading, 10000);
    } else if (change == QLatin1String("font")) {
        onNextModal([](QWidget *modal) {
            auto *dialog = qobject_cast<QFontDialog *>(modal);
            QVERIFY(dialog);
            QFont font = dialog->currentFont();
            font.setPointSize(font.pointSize() + 5);
            dialog->setCurrentFont(font);
            dialog->accept();
        });
        const int size = pageWidget(*m_window)->textFont().pointSize();
        m_window->onChangeFont();
        QVERIFY(pageWidget(*m_window)->textFont().pointSize() > size);
        QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading, 10000);
    } else if (change == QLatin1String("full screen")) {
        m_window->onToggleFullscreen();
        QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading, 10000);
    }
    if (change == QLatin1String("kill")) {
        // The place is written a moment after the reader stops, not only at close: another
        // reader of the file finds it while the window is still open.
        LibraryDatabase other;
        other.open();
        QTRY_COMPARE_WITH_TIMEOUT(other.book(m_book).place, place, Library::SaveDelayMs * 3);
    } else if (change == QLatin1String("move")) {
        m_window->close();
        m_window.reset();
        const QString moved = m_dir->filePath(QStringLiteral("换了地方.txt"));
        QVERIFY(QFile::rename(m_book, moved));
        m_book = moved;
        openWindow(moved);
    } else {
        if (change == QLatin1String("append"))
            QVERIFY(writeFile(m_book, novel(3000) + novel(10)));
        restart();
    }
    verifyShowsPlace(place);
}

// A book opens with a turn of the reader's page onto itself: the first frame painted already
// shows that page, not the first of the pages at hand.
void TestRememberedPlace::reopenedBookShowsItsPageFromTheFirstFrame()
{
    for (int turn = 0; turn < 7; ++turn)
        QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    m_window->close();
    m_window = std::make_unique<MainWindow>();
    QImage firstFrame;
    connect(session(), &ReadingSession::bookShown, this,
            [this, &firstFrame] { firstFrame = pageWidget(*m_window)->grab().toImage(); });
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(20000));
    waitForTurns(*m_window);
    QCOMPARE(session()->pageNumber(), 8);
    QVERIFY(!firstFrame.isNull());
    QCOMPARE(firstFrame, pageWidget(*m_window)->grab().toImage());
}

// Whether the book read last is still there is asked off the GUI thread: on a hung mount the
// window shows and stays live, and the book opens at its place once the answer comes.
void TestRememberedPlace::aLastReadBookWhoseFileHangsLeavesTheWindowLive()
{
    for (int turn = 0; turn < 5; ++turn)
        QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    const qsizetype place = session()->place();
    m_window->close();
    m_window.reset();

    m_window = std::make_unique<MainWindow>();
    const auto hung = std::make_shared<QSemaphore>();
    m_window->findChild<BookshelfWidget *>()->fileProber()->setCheck([hung, stuck = m_book](const QString &path) {
        if (QFileInfo(path).fileName() == QFileInfo(stuck).fileName())
            hung->acquire();
        return FileProber::checkFile(path);
    });
    const auto release = qScopeGuard([hung] { hung->release(); });
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTimer tick;
    QSignalSpy ticked(&tick, &QTimer::timeout);
    tick.start(10);
    QVERIFY(ticked.wait());
    m_window->repaint();
    QVERIFY(session()->openingBook().isEmpty());
    QCOMPARE(session()->state(), ReadingSession::State::Empty);

    hung->release();
    QVERIFY(loaded.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(session()->openingBook().isEmpty(), 10000);
    waitForTurns(*m_window);
    verifyShowsPlace(place);
}

void TestRememberedPlace::aLastReadBookThatIsGoneGivesWayToTheNewest()
{
    const QString newest = m_dir->filePath(QStringLiteral("新书.txt"));
    QVERIFY(writeFile(newest, novel(50)));
    m_window->openFromOutside(newest);
    QTRY_COMPARE_WITH_TIMEOUT(session()->book(), newest, 10000);
    m_window->openFromOutside(m_book);
    QTRY_COMPARE_WITH_TIMEOUT(session()->book(), m_book, 10000);
    m_window->close();
    m_window.reset();
    QVERIFY(QFile::remove(m_book));

    openWindow();
    QCOMPARE(session()->book(), newest);
}

void TestRememberedPlace::shorterBookOpensAtItsLastPage()
{
    QTest::keyClick(m_window.get(), Qt::Key_End);
    waitForTurns(*m_window);
    m_window->close();
    m_window.reset();
    QVERIFY(writeFile(m_book, novel(40)));
    openWindow();
    QCOMPARE(QFileInfo(session()->book()).fileName(), QFileInfo(m_book).fileName());
    QCOMPARE(session()->page(), int(session()->pages().size()) - 1);
}

void TestRememberedPlace::resetForgetsThePlace()
{
    QTest::keyClick(m_window.get(), Qt::Key_End);
    waitForTurns(*m_window);
    answerNextMessageBox(QMessageBox::Yes);
    answerNextMessageBox(QMessageBox::Ok);
    m_window->resetApplication();
    LibraryDatabase other;
    other.open();
    QVERIFY(!other.book(m_book).isStored());
    restart();
    QCOMPARE(session()->page(), 0);
    QVERIFY(session()->book() != m_book);
}

// A file where the library's folder should be leaves the reader without memory.
void TestRememberedPlace::unusableLibraryIsToldOnceAndReadingGoesOn()
{
    m_window.reset();
    QDir(LibraryDatabase::defaultFolder()).removeRecursively();
    QDir().mkpath(QFileInfo(LibraryDatabase::defaultFolder()).absolutePath());
    QFile blocker(LibraryDatabase::defaultFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    openWindow(m_book);
    const auto notices = [this] {
        int count = 0;
        for (const QMessageBox *box : m_window->findChildren<QMessageBox *>())
            count += box->isVisible() && box->windowTitle() == QStringLiteral("书库");
        return count;
    };
    QTRY_COMPARE(notices(), 1);
    // The reader comes back to the window from the notice, which keeps no keys of its own.
    QApplication::setActiveWindow(m_window.get());
    QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    QCOMPARE(session()->page(), 1);
    QTest::qWait(100);
    QCOMPARE(notices(), 1);
    QVERIFY(QFile::remove(LibraryDatabase::defaultFolder()));
}

// The reading page of the active window counts; the shelf does not.
void TestRememberedPlace::readingTimeRunsWhileTheBookIsInFront()
{
    auto *library = m_window->findChild<Library *>();
    m_window->onToggleBookshelf();
    library->flush();
    const qint64 before = library->recordFor(m_book).readingSeconds;

    QElapsedTimer reading;
    reading.start();
    m_window->onReadPage();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::qWait(1500);
    m_window->onToggleBookshelf();
    const qint64 readForSeconds = reading.elapsed() / 1000;
    QTest::qWait(1500);
    library->flush();

    const qint64 counted = library->recordFor(m_book).readingSeconds - before;
    QVERIFY2(counted >= 1 && counted <= readForSeconds + 1,
             qPrintable(QStringLiteral("%1 s counted in %2 s of reading").arg(counted).arg(readForSeconds)));
}

LEXORIN_TEST_MAIN(TestRememberedPlace)
#include "tst_rememberedplace.moc"
