#include "fileloader.h"
#include "paginator.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"
#include "windowplacement.h"
#include "windowresizer.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>

using namespace WindowDriver;

Q_DECLARE_METATYPE(Qt::Edges)

// The window's size: dragged from its edges, never below a size that reaches every control,
// remembered across starts, fitted into the screen, and a page that keeps the reader's text.
class TestWindowSize : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dragMovesOnlyTheGrippedEdges_data();
    void dragMovesOnlyTheGrippedEdges();
    void marginDragResizesTheShownWindow();
    void everyControlIsReachableAtTheMinimumSize();
    void doubleClickOnTheTitleBarMaximizesAndRestores();

    void placeAndSizeAreRememberedAcrossARestart();
    void windowFitsTheAvailableArea_data();
    void windowFitsTheAvailableArea();

    void resizeKeepsTheTextOnShow();
    void dragResizeCutsTheBookAtMostTwice();

private:
    std::unique_ptr<MainWindow> newWindow(const QRect &available = {});
    void openBook(MainWindow &window);
    void send(QWidget &window, QEvent::Type type, const QPoint &windowPosition, Qt::MouseButton button,
              Qt::MouseButtons buttons);
    ReadingSession *session(const QWidget &window) const { return window.findChild<ReadingSession *>(); }
    void waitForCut(const QWidget &window);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestWindowSize::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestWindowSize::cleanup()
{
    m_dir.reset();
}

// A window placed in the given available area, or in the screen's.
std::unique_ptr<MainWindow> TestWindowSize::newWindow(const QRect &available)
{
    auto window = std::make_unique<MainWindow>();
    if (available.isValid())
        window->findChild<WindowPlacement *>()->setAvailableArea([available] { return available; });
    return window;
}

void TestWindowSize::openBook(MainWindow &window)
{
    const QString path = m_dir->filePath(QStringLiteral("潮汐.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int p = 0; p < 1500; ++p)
        file.write(QStringLiteral("　　第%1段，潮水退去，沙滩上留下一串串细小的脚印，像谁写下又擦去的字。\n")
                           .arg(p, 5, 10, QLatin1Char('0')).toUtf8());
    file.close();
    window.openAtStart(path);
    QSignalSpy loaded(window.findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(loaded.wait(20000));
    waitForCut(window);
}

void TestWindowSize::waitForCut(const QWidget &window)
{
    QTRY_VERIFY_WITH_TIMEOUT(session(window)->state() == ReadingSession::State::Reading
                                     && session(window)->isComplete(),
                             20000);
    waitForTurns(window);
}

// Sent where a press at that point of the window would go; what no child takes reaches the
// window.
void TestWindowSize::send(QWidget &window, QEvent::Type type, const QPoint &windowPosition,
                          Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QWidget *receiver = window.childAt(windowPosition);
    if (!receiver)
        receiver = &window;
    const QPoint global = window.mapToGlobal(windowPosition);
    QMouseEvent event(type, receiver->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

void TestWindowSize::dragMovesOnlyTheGrippedEdges_data()
{
    QTest::addColumn<Qt::Edges>("edges");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");

    // The window starts at (100, 100), 640 × 800; the minimum is 560 × 480.
    QTest::newRow("right edge out") << Qt::Edges(Qt::RightEdge) << QPoint(60, 30) << QRect(100, 100, 700, 800);
    QTest::newRow("bottom edge in") << Qt::Edges(Qt::BottomEdge) << QPoint(5, -200) << QRect(100, 100, 640, 600);
    QTest::newRow("left edge in, right stays") << Qt::Edges(Qt::LeftEdge) << QPoint(50, 0) << QRect(150, 100, 590, 800);
    QTest::newRow("top-left corner out") << Qt::Edges(Qt::TopEdge | Qt::LeftEdge) << QPoint(-20, -40)
                                         << QRect(80, 60, 660, 840);
    QTest::newRow("left edge past the minimum") << Qt::Edges(Qt::LeftEdge) << QPoint(500, 0)
                                                << QRect(180, 100, 560, 800);
    QTest::newRow("bottom-right corner past the minimum")
            << Qt::Edges(Qt::BottomEdge | Qt::RightEdge) << QPoint(-400, -700) << QRect(100, 100, 560, 480);
    QTest::newRow("top edge past the minimum") << Qt::Edges(Qt::TopEdge) << QPoint(0, 600)
                                               << QRect(100, 420, 640, 480);
}

void TestWindowSize::dragMovesOnlyTheGrippedEdges()
{
    QFETCH(Qt::Edges, edges);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    QCOMPARE(WindowResizer::resized(QRect(100, 100, 640, 800), edges, delta, WindowPlacement::MinimumSize),
             expected);
}

// The headless platform has no window manager to resize with, so the window follows the
// pointer itself, as on a desktop without one.
void TestWindowSize::marginDragResizesTheShownWindow()
{
    auto window = newWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QRect start = window->geometry();
    const QPoint corner(window->width() - 3, window->height() - 3);
    QVERIFY2(window->childAt(corner) == window->centralWidget(), "the corner is the frame's margin");

    send(*window, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    send(*window, QEvent::MouseMove, corner + QPoint(80, -100), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(window->geometry(), QRect(start.topLeft(), start.size() + QSize(80, -100)));
    send(*window, QEvent::MouseButtonRelease, corner + QPoint(80, -100), Qt::LeftButton, Qt::NoButton);
    send(*window, QEvent::MouseMove, corner + QPoint(200, 200), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(window->size(), start.size() + QSize(80, -100));

    // Inside the frame a press resizes nothing.
    const QPoint page = child(*window, "bookBox")->mapTo(window.get(), QPoint(20, 20));
    send(*window, QEvent::MouseButtonPress, page, Qt::LeftButton, Qt::LeftButton);
    send(*window, QEvent::MouseMove, page + QPoint(50, 50), Qt::NoButton, Qt::LeftButton);
    send(*window, QEvent::MouseButtonRelease, page + QPoint(50, 50), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(window->size(), start.size() + QSize(80, -100));
}

// Every button and the page label lie wholly inside the window, none hidden by another.
void TestWindowSize::everyControlIsReachableAtTheMinimumSize()
{
    auto window = newWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->resize(1, 1);
    QTRY_COMPARE(window->size(), WindowPlacement::MinimumSize);
    QApplication::sendPostedEvents();

    QList<QRect> taken;
    const QRect frame = child(*window, "frameMain")->geometry();
    QList<QWidget *> controls{ child(*window, "m_pageLabel") };
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        controls.append(button);
    for (QWidget *control : controls) {
        if (!control->isVisibleTo(window.get()) || !control->window()->isAncestorOf(control)
            || !control->parentWidget()->isVisible())
            continue;
        const QRect rect(control->mapTo(window.get(), QPoint()), control->size());
        QVERIFY2(frame.contains(rect), qPrintable(control->objectName()));
        QVERIFY2(control->width() >= control->minimumSizeHint().width(), qPrintable(control->objectName()));
        for (const QRect &other : taken)
            QVERIFY2(!rect.intersects(other), qPrintable(control->objectName()));
        taken.append(rect);
    }
    QVERIFY(taken.size() >= 15);
}

void TestWindowSize::doubleClickOnTheTitleBarMaximizesAndRestores()
{
    auto window = newWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QRect normal = window->geometry();
    const QPoint title = child(*window, "bookName")->mapTo(window.get(), QPoint(5, 5));

    send(*window, QEvent::MouseButtonDblClick, title, Qt::LeftButton, Qt::LeftButton);
    QTRY_VERIFY(window->isMaximized());
    QTRY_COMPARE(window->geometry(), window->screen()->availableGeometry());
    send(*window, QEvent::MouseButtonDblClick, title, Qt::LeftButton, Qt::LeftButton);
    QTRY_VERIFY(!window->isMaximized());
    QTRY_COMPARE(window->geometry(), normal);

    // The page is no title bar.
    const QPoint page = child(*window, "bookBox")->mapTo(window.get(), QPoint(20, 20));
    send(*window, QEvent::MouseButtonDblClick, page, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(!window->isMaximized());
}

// The store keeps the format QWidget::saveGeometry() writes.
void TestWindowSize::placeAndSizeAreRememberedAcrossARestart()
{
    const QRect chosen(130, 70, 720, 610);
    {
        auto window = newWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->setGeometry(chosen);
        QTRY_COMPARE(window->geometry(), chosen);
        window->close();
    }
    QWidget reader;
    QVERIFY(reader.restoreGeometry(store().value("geometry").toByteArray()));

    auto window = newWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->geometry(), chosen);
}

void TestWindowSize::windowFitsTheAvailableArea_data()
{
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");

    // A laptop of 1366 × 768 with a 40-pixel panel at the bottom.
    const QRect laptop(0, 0, 1366, 728);
    QTest::newRow("first start on a desktop") << QRect() << QRect(0, 0, 1920, 1040)
                                              << QRect(640, 120, 640, 800);
    QTest::newRow("first start on a laptop") << QRect() << laptop << QRect(363, 0, 640, 728);
    QTest::newRow("saved on a taller screen, opened on a laptop") << QRect(600, 200, 640, 800) << laptop
                                                                 << QRect(600, 0, 640, 728);
    QTest::newRow("saved past the right edge") << QRect(1200, 100, 640, 600) << laptop
                                               << QRect(726, 100, 640, 600);
    QTest::newRow("second screen to the left") << QRect(100, 100, 640, 700) << QRect(-1280, 0, 1280, 984)
                                               << QRect(-640, 100, 640, 700);
    QTest::newRow("a screen smaller than the minimum") << QRect() << QRect(0, 0, 500, 400)
                                                       << QRect(QPoint(0, 0), WindowPlacement::MinimumSize);
}

void TestWindowSize::windowFitsTheAvailableArea()
{
    QFETCH(QRect, saved);
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    if (saved.isValid()) {
        QWidget writer;
        writer.setGeometry(saved);
        store().setValue("geometry", writer.saveGeometry());
    }
    auto window = newWindow(available);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->geometry(), expected);
    QCOMPARE(WindowPlacement::fitted(saved.isValid() ? saved : expected, available, WindowPlacement::MinimumSize),
             expected);
}

// After a resize the page on show holds the reader's place; back at the first size it is the
// very page it was.
void TestWindowSize::resizeKeepsTheTextOnShow()
{
    auto window = newWindow();
    openBook(*window);
    for (int turn = 0; turn < 7; ++turn)
        QTest::keyClick(window.get(), Qt::Key_Right);
    waitForTurns(*window);
    ReadingSession *reading = session(*window);
    const QString before = reading->pages().at(reading->page());
    const qsizetype place = reading->place();
    const QSize first = window->size();

    window->resize(first + QSize(300, -250));
    QTRY_VERIFY(reading->pages().at(reading->page()) != before);
    waitForCut(*window);
    const qsizetype start = Paginator::offsetOfPage(reading->pages(), reading->page());
    QVERIFY(start <= place);
    QVERIFY(place < start + reading->pages().at(reading->page()).size());

    window->resize(first);
    QTRY_VERIFY(reading->format().textArea == pageWidget(*window)->textArea().size());
    waitForCut(*window);
    QCOMPARE(reading->pages().at(reading->page()), before);
}

// A drag resizes the page many times; the book is cut for the first size and where the drag
// settles, not for every step. Each cut replaces the pages twice: a page cut at once from
// the text at hand, then the whole book.
void TestWindowSize::dragResizeCutsTheBookAtMostTwice()
{
    auto window = newWindow();
    openBook(*window);
    QSignalSpy replaced(session(*window), &ReadingSession::pagesReplaced);
    const QSize first = window->size();
    for (int step = 1; step <= 20; ++step) {
        window->resize(first + QSize(step * 10, step * 5));
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    waitForCut(*window);
    QTRY_VERIFY(replaced.size() >= 1);
    // A late cut would come one settling time after the last step.
    QTest::qWait(300);
    QVERIFY2(replaced.size() <= 4, qPrintable(QString::number(replaced.size())));
    QCOMPARE(pageWidget(*window)->textArea().size(), session(*window)->format().textArea);
}

LEXORIN_TEST_MAIN(TestWindowSize)
#include "tst_windowsize.moc"
