#include "bookshelfwidget.h"
#include "contentspage.h"
#include "fileloader.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>

using namespace WindowDriver;

namespace {

// A book of numbered chapters, long enough for a contents list that scrolls.
QString chapteredBook()
{
    QString text;
    for (int c = 1; c <= 80; ++c) {
        text += QStringLiteral("第%1章 山中\n").arg(c);
        for (int p = 0; p < 12; ++p)
            text += QStringLiteral("　　第%1章第%2段，溪水绕过石头，松针落在小路上，远处有人在唱歌。\n").arg(c).arg(p);
    }
    return text;
}

}

// Keys and the wheel as a reader uses them, whichever child of the window has the focus or
// lies under the pointer.
class TestKeysAndWheel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void arrowsTurnAfterOpeningFromTheShelf_data();
    void arrowsTurnAfterOpeningFromTheShelf();
    void spaceTurnsPagesAfterAButtonWasClicked();
    void wheelOverAListAtItsEndLeavesTheBookAlone_data();
    void wheelOverAListAtItsEndLeavesTheBookAlone();
    void wheelOverTheReadingPageTurnsAndWithCtrlZooms();
    void zoomKeysChangeTheFontSize_data();
    void zoomKeysChangeTheFontSize();
    void ctrlOOpensTheFileDialog();
    void escapeClosesTheSearchBar();
    void exactlyTheShownViewIsLitInTheStrip();

private:
    void openFromTheShelf(const QString &path);
    void goToPage(int page);
    void wheel(QWidget *receiver, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QWidget *focused() const;
    ReadingSession *session() const;
    QString litButtons() const;

    QTemporaryDir m_dir;
    QString m_book;
    std::unique_ptr<MainWindow> m_window;
};

void TestKeysAndWheel::init()
{
    startAfresh();
    m_book = m_dir.filePath(QStringLiteral("山中.txt"));
    QFile file(m_book);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(chapteredBook().toUtf8());
    file.close();

    m_window = std::make_unique<MainWindow>();
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->openAtStart(m_book);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QVERIFY(loaded.wait(10000));
    waitForTurns(*m_window);
}

void TestKeysAndWheel::cleanup()
{
    m_window.reset();
}

ReadingSession *TestKeysAndWheel::session() const
{
    return m_window->findChild<ReadingSession *>();
}

QWidget *TestKeysAndWheel::focused() const
{
    QWidget *widget = QApplication::focusWidget();
    return widget ? widget : m_window.get();
}

// A real click on the book's cover, so the shelf takes the focus as it does for a reader.
void TestKeysAndWheel::openFromTheShelf(const QString &path)
{
    QTest::keyClick(m_window.get(), Qt::Key_B);
    auto *shelf = m_window->findChild<BookshelfWidget *>();
    QTRY_VERIFY(shelf->isVisible());
    const QList<QListWidgetItem *> items = shelf->findItems(BookshelfWidget::shelfTitle(path), Qt::MatchStartsWith);
    QVERIFY(!items.isEmpty());
    const QRect cover = shelf->visualItemRect(items.first());
    QSignalSpy shown(session(), &ReadingSession::bookShown);
    QTest::mouseClick(shelf->viewport(), Qt::LeftButton, Qt::NoModifier, cover.center());
    QVERIFY(shown.wait(10000));
    waitForTurns(*m_window);
}

void TestKeysAndWheel::goToPage(int page)
{
    session()->goTo(page);
    waitForTurns(*m_window);
    QCOMPARE(session()->page(), page);
}

void TestKeysAndWheel::wheel(QWidget *receiver, int notches, Qt::KeyboardModifiers modifiers)
{
    for (int i = 0; i < qAbs(notches); ++i)
        wheelOver(receiver, QPoint(0, notches > 0 ? 120 : -120), modifiers);
}

void TestKeysAndWheel::arrowsTurnAfterOpeningFromTheShelf_data()
{
    QTest::addColumn<QString>("book");
    QTest::newRow("the book on show") << QString();
    QTest::newRow("another book") << QStringLiteral(":/book/A Pocketful of Weather.txt");
}

void TestKeysAndWheel::arrowsTurnAfterOpeningFromTheShelf()
{
    QFETCH(QString, book);
    goToPage(0);
    openFromTheShelf(book.isEmpty() ? m_book : book);
    const int start = session()->page();

    QTest::keyClick(focused(), Qt::Key_Right);
    QCOMPARE(session()->page(), start + 1);
    QTest::keyClick(focused(), Qt::Key_Right);
    QTest::keyClick(focused(), Qt::Key_Left);
    QCOMPARE(session()->page(), start + 1);
}

void TestKeysAndWheel::spaceTurnsPagesAfterAButtonWasClicked()
{
    goToPage(3);
    auto *previous = child<QAbstractButton>(*m_window, "prevButton");
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(session()->page(), 2);
    waitForTurns(*m_window);

    QTest::keyClick(focused(), Qt::Key_Space);
    QCOMPARE(session()->page(), 3);
    waitForTurns(*m_window);
    QTest::keyClick(focused(), Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(session()->page(), 2);
}

void TestKeysAndWheel::wheelOverAListAtItsEndLeavesTheBookAlone_data()
{
    QTest::addColumn<bool>("contents");
    QTest::addColumn<int>("notches");

    QTest::newRow("shelf, down") << false << -5;
    QTest::newRow("shelf, up") << false << 5;
    QTest::newRow("contents, down") << true << -120;
    QTest::newRow("contents, up") << true << 120;
}

void TestKeysAndWheel::wheelOverAListAtItsEndLeavesTheBookAlone()
{
    QFETCH(bool, contents);
    QFETCH(int, notches);
    goToPage(10);

    QAbstractItemView *list = nullptr;
    if (contents) {
        child<QAbstractButton>(*m_window, "contentsButton")->click();
        list = m_window->findChild<ContentsPage *>()->findChild<QListView *>();
    } else {
        QTest::keyClick(m_window.get(), Qt::Key_B);
        list = m_window->findChild<BookshelfWidget *>();
    }
    QTRY_VERIFY(list->isVisible());
    wheel(list->viewport(), notches);
    QCOMPARE(session()->page(), 10);
}

void TestKeysAndWheel::wheelOverTheReadingPageTurnsAndWithCtrlZooms()
{
    goToPage(5);
    wheel(pageWidget(*m_window), -1);
    QCOMPARE(session()->page(), 6);
    waitForTurns(*m_window);
    wheel(child(*m_window, "m_pageLabel"), 1);
    QCOMPARE(session()->page(), 5);
    waitForTurns(*m_window);

    const int size = pageWidget(*m_window)->textFont().pointSize();
    wheel(pageWidget(*m_window), 1, Qt::ControlModifier);
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), size + 2);
    wheel(pageWidget(*m_window), -1, Qt::ControlModifier);
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), size);
}

void TestKeysAndWheel::zoomKeysChangeTheFontSize_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("step");

    QTest::newRow("Ctrl+=") << QKeyCombination(Qt::ControlModifier, Qt::Key_Equal) << 2;
    QTest::newRow("Ctrl++") << QKeyCombination(Qt::ControlModifier, Qt::Key_Plus) << 2;
    QTest::newRow("Ctrl+-") << QKeyCombination(Qt::ControlModifier, Qt::Key_Minus) << -2;
}

void TestKeysAndWheel::zoomKeysChangeTheFontSize()
{
    QFETCH(QKeyCombination, key);
    QFETCH(int, step);

    const int size = pageWidget(*m_window)->textFont().pointSize();
    QTest::keyClick(focused(), key.key(), key.keyboardModifiers());
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), size + step);
}

void TestKeysAndWheel::ctrlOOpensTheFileDialog()
{
    bool offered = false;
    onNextModal([&offered](QWidget *modal) {
        offered = qobject_cast<QFileDialog *>(modal) != nullptr;
        static_cast<QDialog *>(modal)->reject();
    });
    QTest::keyClick(focused(), Qt::Key_O, Qt::ControlModifier);
    QTRY_VERIFY(offered);
}

void TestKeysAndWheel::escapeClosesTheSearchBar()
{
    auto *bar = child(*m_window, "frame_2");
    auto *edit = child<QLineEdit>(*m_window, "searchEdit");
    QTest::keyClick(m_window.get(), Qt::Key_F);
    QVERIFY(bar->isVisible());
    QTest::keyClicks(edit, QStringLiteral("lamp"));

    QTest::keyClick(focused(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QVERIFY(!m_window->isFullScreen());
    QCOMPARE(edit->text(), QStringLiteral("lamp"));
}

QString TestKeysAndWheel::litButtons() const
{
    QStringList lit;
    for (const char *name : { "readButton", "bookshelfButton", "contentsButton" }) {
        if (child<QAbstractButton>(*m_window, name)->isChecked())
            lit.append(QString::fromLatin1(name));
    }
    return lit.join(u',');
}

void TestKeysAndWheel::exactlyTheShownViewIsLitInTheStrip()
{
    auto *stack = child<QStackedWidget>(*m_window, "stackedWidget");
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(litButtons(), QStringLiteral("readButton"));

    child<QAbstractButton>(*m_window, "contentsButton")->click();
    QCOMPARE(litButtons(), QStringLiteral("contentsButton"));
    auto *contents = m_window->findChild<ContentsPage *>();
    contents->setFilter(QStringLiteral("第3章"));
    QTest::keyClick(contents->findChild<QLineEdit *>(), Qt::Key_Return);
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(litButtons(), QStringLiteral("readButton"));

    QTest::keyClick(m_window.get(), Qt::Key_B);
    QCOMPARE(litButtons(), QStringLiteral("bookshelfButton"));

    openFromTheShelf(QStringLiteral(":/book/A Pocketful of Weather.txt"));
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(litButtons(), QStringLiteral("readButton"));
}

LEXORIN_TEST_MAIN(TestKeysAndWheel)
#include "tst_keysandwheel.moc"
