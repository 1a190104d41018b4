#include "searchcontroller.h"
#include "testmain.h"
#include "windowchrome.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QLineEdit>

using namespace WindowDriver;

// The search bar as its controller keeps it: opened with the cursor in the field, closed
// once, its button's icon following it, and Esc leaving full screen before it closes the bar.
class TestSearchController : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void theBarOpensWithTheCursorInItAndClosesOnce();
    void theButtonShowsWhatAClickWillDo();
    void escapeLeavesFullScreenFirstThenClosesTheBar();

private:
    SearchController *search() const { return m_window->findChild<SearchController *>(); }
    QWidget *bar() const { return child(*m_window, "frame_2"); }
    static QImage iconImage(const QAbstractButton *button);

    std::unique_ptr<MainWindow> m_window;
};

void TestSearchController::init()
{
    startAfresh();
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QApplication::setActiveWindow(m_window.get());
    QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
}

void TestSearchController::cleanup()
{
    m_window.reset();
}

QImage TestSearchController::iconImage(const QAbstractButton *button)
{
    return button->icon().pixmap(QSize(24, 24)).toImage();
}

void TestSearchController::theBarOpensWithTheCursorInItAndClosesOnce()
{
    auto *edit = child<QLineEdit>(*m_window, "searchEdit");
    QVERIFY(!search()->isBarVisible());
    QVERIFY(!search()->closeBar());

    search()->showField();
    QVERIFY(search()->isBarVisible());
    QVERIFY(bar()->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), edit);

    // Asked for again (Ctrl+F with the bar open), the bar stays and keeps the cursor.
    child<QAbstractButton>(*m_window, "nextButton")->setFocus();
    search()->showField();
    QVERIFY(bar()->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), edit);

    QVERIFY(search()->closeBar());
    QVERIFY(!bar()->isVisible());
    QVERIFY(!search()->isBarVisible());
    QVERIFY(!search()->closeBar());
}

void TestSearchController::theButtonShowsWhatAClickWillDo()
{
    auto *button = child<QAbstractButton>(*m_window, "toggleSearchButton");
    const QImage closed = iconImage(button);
    button->click();
    QVERIFY(search()->isBarVisible());
    const QImage open = iconImage(button);
    QVERIFY(open != closed);
    button->click();
    QVERIFY(!search()->isBarVisible());
    QCOMPARE(iconImage(button), closed);
    search()->showField();
    QCOMPARE(iconImage(button), open);
}

void TestSearchController::escapeLeavesFullScreenFirstThenClosesTheBar()
{
    auto *chrome = m_window->findChild<WindowChrome *>();
    search()->showField();
    chrome->toggleFullScreen();
    QVERIFY(chrome->isFullScreen());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!chrome->isFullScreen());
    QVERIFY(search()->isBarVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!search()->isBarVisible());
    // With nothing left to leave, Esc does nothing.
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!search()->isBarVisible());
    QVERIFY(!chrome->isFullScreen());
}

LEXORIN_TEST_MAIN(TestSearchController)
#include "tst_searchcontroller.moc"
