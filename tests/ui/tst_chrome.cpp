#include "testmain.h"
#include "windowdriver.h"
#include "windowplacement.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>

using namespace WindowDriver;

class TestChrome : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dragFollowsThePointerFromTheHeader_data();
    void dragFollowsThePointerFromTheHeader();
    void pressElsewhereStartsNoDrag_data();
    void pressElsewhereStartsNoDrag();

    void fullScreenIsLeftAtTheSizeBefore_data();
    void fullScreenIsLeftAtTheSizeBefore();
    void escapeNeverEntersFullScreen();

    void searchButtonShowsAndHidesTheBar();
    void keyFShowsTheBarAndNeverHidesIt();

private:
    enum class Screen { Full, Normal };

    QPoint grabPoint(const QByteArray &widgetName, bool emptyPart) const;
    QWidget *press(const QPoint &windowPosition, const QPoint &globalPosition,
                   Qt::MouseButton button);
    void send(QWidget *receiver, QEvent::Type type, const QPoint &globalPosition,
              Qt::MouseButton button, Qt::MouseButtons buttons);
    void expectScreen(Screen screen);

    std::unique_ptr<MainWindow> m_window;
};

Q_DECLARE_METATYPE(Qt::MouseButton)
Q_DECLARE_METATYPE(Qt::Key)

void TestChrome::init()
{
    startAfresh();
    m_window = std::make_unique<MainWindow>();
    m_window->move(100, 100);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestChrome::cleanup()
{
    m_window.reset();
}

// In window coordinates: the widget's centre, or a point of it that none of its children
// covers, so that a press there reaches the widget itself.
QPoint TestChrome::grabPoint(const QByteArray &widgetName, bool emptyPart) const
{
    auto *widget = child(*m_window, widgetName.constData());
    if (!emptyPart)
        return widget->mapTo(m_window.get(), widget->rect().center());
    for (int y = widget->height() / 2; y < widget->height(); ++y) {
        for (int x = 0; x < widget->width(); ++x) {
            if (!widget->childAt(x, y))
                return widget->mapTo(m_window.get(), QPoint(x, y));
        }
    }
    return {};
}

// The window system hands a press to the widget under the pointer, and Qt passes it up to
// the window for as long as no widget on the way takes it; the following moves and the
// release go to that same widget. The offscreen platform moves no cursor, so the events
// are made here, their local positions derived from the global ones.
QWidget *TestChrome::press(const QPoint &windowPosition, const QPoint &globalPosition,
                           Qt::MouseButton button)
{
    QWidget *receiver = m_window->childAt(windowPosition);
    if (!receiver)
        receiver = m_window.get();
    send(receiver, QEvent::MouseButtonPress, globalPosition, button, button);
    return receiver;
}

void TestChrome::send(QWidget *receiver, QEvent::Type type, const QPoint &globalPosition,
                      Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPointF local = receiver->mapFromGlobal(QPointF(globalPosition));
    const QPointF scene = m_window->mapFromGlobal(QPointF(globalPosition));
    QMouseEvent event(type, local, scene, globalPosition, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

void TestChrome::dragFollowsThePointerFromTheHeader_data()
{
    QTest::addColumn<QByteArray>("widget");
    QTest::addColumn<bool>("emptyPart");

    QTest::newRow("title label") << QByteArray("bookName") << false;
    QTest::newRow("empty part of the header") << QByteArray("headerFrame") << true;
    QTest::newRow("empty part of the left strip") << QByteArray("frame_menu") << true;
}

void TestChrome::dragFollowsThePointerFromTheHeader()
{
    QFETCH(QByteArray, widget);
    QFETCH(bool, emptyPart);
    const QPoint grab = grabPoint(widget, emptyPart);
    QVERIFY(!grab.isNull());

    const QPoint start = m_window->pos();
    const QPoint pressedAt = m_window->mapToGlobal(grab);
    QWidget *receiver = press(grab, pressedAt, Qt::LeftButton);

    send(receiver, QEvent::MouseMove, pressedAt + QPoint(37, -21), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(m_window->pos(), start + QPoint(37, -21));
    send(receiver, QEvent::MouseMove, pressedAt + QPoint(-120, 75), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(m_window->pos(), start + QPoint(-120, 75));

    send(receiver, QEvent::MouseButtonRelease, pressedAt + QPoint(-120, 75), Qt::LeftButton,
         Qt::NoButton);
    send(m_window.get(), QEvent::MouseMove, pressedAt + QPoint(200, 200), Qt::NoButton,
         Qt::NoButton);
    send(m_window.get(), QEvent::MouseMove, pressedAt + QPoint(250, 10), Qt::NoButton,
         Qt::LeftButton);
    QCOMPARE(m_window->pos(), start + QPoint(-120, 75));
}

void TestChrome::pressElsewhereStartsNoDrag_data()
{
    QTest::addColumn<QByteArray>("widget");
    QTest::addColumn<bool>("emptyPart");
    QTest::addColumn<Qt::MouseButton>("button");

    QTest::newRow("right button on the title")
            << QByteArray("bookName") << false << Qt::RightButton;
    QTest::newRow("middle button on the title")
            << QByteArray("bookName") << false << Qt::MiddleButton;
    QTest::newRow("right button on the empty header")
            << QByteArray("headerFrame") << true << Qt::RightButton;
    QTest::newRow("minimize button") << QByteArray("minimizeButton") << false << Qt::LeftButton;
    QTest::newRow("fullscreen button")
            << QByteArray("fullscreenButton") << false << Qt::LeftButton;
    QTest::newRow("button of the left strip")
            << QByteArray("openButton") << false << Qt::LeftButton;
    QTest::newRow("reading page") << QByteArray("bookBox") << false << Qt::LeftButton;
}

// The pointer leaves the pressed widget before the release, so no button is clicked. A press
// that wrongly began a drag would leave it running past its release, so a later left-button
// move from the reading page must not move the window either.
void TestChrome::pressElsewhereStartsNoDrag()
{
    QFETCH(QByteArray, widget);
    QFETCH(bool, emptyPart);
    QFETCH(Qt::MouseButton, button);
    const QPoint grab = grabPoint(widget, emptyPart);

    const QPoint start = m_window->pos();
    const QPoint pressedAt = m_window->mapToGlobal(grab);
    QWidget *receiver = press(grab, pressedAt, button);
    send(receiver, QEvent::MouseMove, pressedAt + QPoint(150, 90), Qt::NoButton, button);
    send(receiver, QEvent::MouseButtonRelease, pressedAt + QPoint(150, 90), button, Qt::NoButton);
    QCOMPARE(m_window->pos(), start);

    const QPoint page = grabPoint("bookBox", false);
    const QPoint pagePressedAt = m_window->mapToGlobal(page);
    QWidget *pageReceiver = press(page, pagePressedAt, Qt::LeftButton);
    send(pageReceiver, QEvent::MouseMove, pagePressedAt + QPoint(-60, 40), Qt::NoButton,
         Qt::LeftButton);
    send(pageReceiver, QEvent::MouseButtonRelease, pagePressedAt + QPoint(-60, 40), Qt::LeftButton,
         Qt::NoButton);
    QCOMPARE(m_window->pos(), start);
    QVERIFY(!m_window->isMinimized());
    QVERIFY(!m_window->isFullScreen());
}

void TestChrome::expectScreen(Screen screen)
{
    const QSize normal = WindowPlacement::FirstSize;
    if (screen == Screen::Full) {
        const QSize screenSize = m_window->screen()->geometry().size();
        QTRY_VERIFY(m_window->isFullScreen());
        QTRY_COMPARE(m_window->size(), screenSize);
        QCOMPARE(m_window->minimumSize().boundedTo(screenSize), m_window->minimumSize());
        QCOMPARE(m_window->maximumSize().expandedTo(screenSize), m_window->maximumSize());
    } else {
        QTRY_VERIFY(!m_window->isFullScreen());
        QTRY_COMPARE(m_window->size(), normal);
        QCOMPARE(m_window->minimumSize(), WindowPlacement::MinimumSize);
        QCOMPARE(m_window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }
}

void TestChrome::fullScreenIsLeftAtTheSizeBefore_data()
{
    QTest::addColumn<Qt::Key>("enter");
    QTest::addColumn<Qt::Key>("leave");

    // Qt::Key_unknown stands for the header's full-screen button.
    QTest::newRow("button, button") << Qt::Key_unknown << Qt::Key_unknown;
    QTest::newRow("F11, F11") << Qt::Key_F11 << Qt::Key_F11;
    QTest::newRow("button, Escape") << Qt::Key_unknown << Qt::Key_Escape;
    QTest::newRow("F11, button") << Qt::Key_F11 << Qt::Key_unknown;
}

void TestChrome::fullScreenIsLeftAtTheSizeBefore()
{
    QFETCH(Qt::Key, enter);
    QFETCH(Qt::Key, leave);
    QVERIFY(m_window->screen()->geometry().size()
            != WindowPlacement::FirstSize);
    const auto toggle = [this](Qt::Key key) {
        if (key == Qt::Key_unknown)
            child<QAbstractButton>(*m_window, "fullscreenButton")->click();
        else
            QTest::keyClick(m_window.get(), key);
    };

    toggle(enter);
    expectScreen(Screen::Full);
    toggle(leave);
    expectScreen(Screen::Normal);
    toggle(enter);
    expectScreen(Screen::Full);
}

void TestChrome::escapeNeverEntersFullScreen()
{
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    expectScreen(Screen::Normal);
}

void TestChrome::searchButtonShowsAndHidesTheBar()
{
    auto *bar = child(*m_window, "frame_2");
    auto *edit = child<QLineEdit>(*m_window, "searchEdit");
    auto *toggle = child<QAbstractButton>(*m_window, "toggleSearchButton");
    QVERIFY(!bar->isVisible());

    toggle->click();
    QVERIFY(bar->isVisible());
    QVERIFY(edit->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("lamp"));
    QCOMPARE(edit->text(), QStringLiteral("lamp"));

    toggle->click();
    QVERIFY(!bar->isVisible());
    toggle->click();
    QVERIFY(bar->isVisible());
}

void TestChrome::keyFShowsTheBarAndNeverHidesIt()
{
    auto *bar = child(*m_window, "frame_2");
    auto *edit = child<QLineEdit>(*m_window, "searchEdit");

    QTest::keyClick(m_window.get(), Qt::Key_F);
    QVERIFY(bar->isVisible());
    QVERIFY(edit->hasFocus());

    m_window->setFocus(Qt::OtherFocusReason);
    QVERIFY(!edit->hasFocus());
    QTest::keyClick(m_window.get(), Qt::Key_F);
    QVERIFY(bar->isVisible());
    QVERIFY(edit->hasFocus());
    QVERIFY(edit->text().isEmpty());

    child<QAbstractButton>(*m_window, "toggleSearchButton")->click();
    QVERIFY(!bar->isVisible());
}

LEXORIN_TEST_MAIN(TestChrome)
#include "tst_chrome.moc"
