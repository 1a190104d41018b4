#include "bookmarksdialog.h"
#include "encodingdialog.h"
#include "fileloader.h"
#include "library.h"
#include "librarydatabase.h"
#include "mainmenu.h"
#include "readeractions.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

using namespace WindowDriver;

// Bookmarks on the reading page, and reopening a book in an encoding of the reader's choice.
class TestBookmarks : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ctrlDTogglesTheRibbonOfThePage();
    void bookmarkStaysOnItsTextAcrossAZoom();
    void listJumpsToABookmarkAndDeletesOne();
    void listNamesTheChapterAndTheTextAroundThePlace();
    void chosenEncodingKeepsThePlaceAndIsRemembered();
    void pageMenuAndMainMenuHoldTheBookCommands();

private:
    void openWindow();
    void turn(Qt::Key key, int times = 1);
    bool ribbonShown() const { return pageWidget(*m_window)->isBookmarked(); }
    ReadingSession *session() const { return m_window->findChild<ReadingSession *>(); }
    QList<Bookmark> storedBookmarks() const;
    void chooseEncoding(const QByteArray &encoding);
    QString detectedEncodingShown();
    QAction *command(ReaderActions::Command command) const;
    QStringList chooseFromPageMenu(ReaderActions::Command chosen);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QString m_book;
};

void TestBookmarks::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
    m_book = m_dir->filePath(QStringLiteral("灯塔.txt"));
    QFile file(m_book);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int p = 0; p < 2000; ++p)
        file.write(QStringLiteral("　　第%1段，守塔人数着台阶，一级一级往上走。\n").arg(p, 5, 10, QLatin1Char('0')).toUtf8());
    file.close();
    openWindow();
}

void TestBookmarks::cleanup()
{
    m_window.reset();
}

void TestBookmarks::openWindow()
{
    m_window = std::make_unique<MainWindow>();
    m_window->openAtStart(m_book);
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(session()->openingBook().isEmpty(), 10000);
    waitForTurns(*m_window);
}

void TestBookmarks::turn(Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(m_window.get(), key);
    waitForTurns(*m_window);
}

QList<Bookmark> TestBookmarks::storedBookmarks() const
{
    LibraryDatabase database;
    database.open();
    return database.bookmarks(database.book(m_book).id);
}

void TestBookmarks::chooseEncoding(const QByteArray &encoding)
{
    onNextModal([encoding](QWidget *modal) {
        auto *dialog = qobject_cast<EncodingDialog *>(modal);
        QVERIFY(dialog);
        dialog->choose(encoding);
        QCOMPARE(dialog->chosenEncoding(), encoding);
        dialog->accept();
    });
    chooseFromPageMenu(ReaderActions::ChooseEncoding);
}

QString TestBookmarks::detectedEncodingShown()
{
    QString shown;
    onNextModal([&shown](QWidget *modal) {
        auto *dialog = qobject_cast<EncodingDialog *>(modal);
        QVERIFY(dialog);
        shown = dialog->findChild<QLabel *>("detectedLabel")->text();
        dialog->reject();
    });
    chooseFromPageMenu(ReaderActions::ChooseEncoding);
    return shown;
}

QAction *TestBookmarks::command(ReaderActions::Command command) const
{
    return m_window->findChild<ReaderActions *>()->action(command);
}

// Right-clicks the middle of the page and clicks the command's item in the menu that opens;
// returns the menu's items.
QStringList TestBookmarks::chooseFromPageMenu(ReaderActions::Command chosen)
{
    QStringList items;
    QAction *action = command(chosen);
    auto *timer = new QTimer(this);
    timer->setInterval(5);
    connect(timer, &QTimer::timeout, timer, [timer, action, &items] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        timer->deleteLater();
        timer->stop();
        for (const QAction *item : menu->actions())
            items.append(item->text());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    });
    timer->start();
    PageWidget *page = pageWidget(*m_window);
    const QPoint middle = page->rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, middle, page->mapToGlobal(middle));
    QApplication::sendEvent(page, &rightClick);
    return items;
}

void TestBookmarks::ctrlDTogglesTheRibbonOfThePage()
{
    turn(Qt::Key_Right, 3);
    QVERIFY(!ribbonShown());
    QTest::keyClick(m_window.get(), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(ribbonShown());
    const QList<Bookmark> stored = storedBookmarks();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.front().place, session()->place());
    QVERIFY(stored.front().snippet.startsWith(QStringLiteral("第")));

    turn(Qt::Key_Right);
    QVERIFY(!ribbonShown());
    turn(Qt::Key_Left);
    QVERIFY(ribbonShown());
    chooseFromPageMenu(ReaderActions::ToggleBookmark);
    QVERIFY(!ribbonShown());
    QVERIFY(storedBookmarks().isEmpty());
}

// After a zoom the page holding the marked text carries the ribbon; a restart keeps it.
void TestBookmarks::bookmarkStaysOnItsTextAcrossAZoom()
{
    turn(Qt::Key_Right, 5);
    QTest::keyClick(m_window.get(), Qt::Key_D, Qt::ControlModifier);
    m_window->onZoomIn();
    m_window->onZoomIn();
    QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading, 10000);
    QVERIFY(ribbonShown());
    m_window->close();
    openWindow();
    QVERIFY(ribbonShown());
}

void TestBookmarks::listJumpsToABookmarkAndDeletesOne()
{
    for (const int steps : { 2, 3 }) {
        turn(Qt::Key_Right, steps);
        QTest::keyClick(m_window.get(), Qt::Key_D, Qt::ControlModifier);
    }
    turn(Qt::Key_Home);
    QCOMPARE(session()->page(), 0);

    QStringList pagesListed;
    onNextModal([&pagesListed](QWidget *modal) {
        auto *list = modal->findChild<QTreeWidget *>();
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            pagesListed.append(list->topLevelItem(row)->text(1));
        list->setCurrentItem(list->topLevelItem(1));
        modal->findChild<QPushButton *>(QStringLiteral("goButton"))->click();
    });
    QTest::keyClick(m_window.get(), Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(pagesListed, QStringList({ "3", "6" }));
    waitForTurns(*m_window);
    QCOMPARE(session()->page(), 5);
    QVERIFY(ribbonShown());

    onNextModal([](QWidget *modal) {
        auto *list = modal->findChild<QTreeWidget *>();
        list->setCurrentItem(list->topLevelItem(1));
        modal->findChild<QPushButton *>(QStringLiteral("removeButton"))->click();
        QCOMPARE(list->topLevelItemCount(), 1);
        static_cast<QDialog *>(modal)->reject();
    });
    chooseFromPageMenu(ReaderActions::ShowBookmarks);
    QVERIFY(!ribbonShown());
    QCOMPARE(storedBookmarks().size(), 1);
}

// A row names the chapter the bookmark lies in and shows about forty characters from its place,
// whole.
void TestBookmarks::listNamesTheChapterAndTheTextAroundThePlace()
{
    const QString path = m_dir->filePath(QStringLiteral("夜航.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int chapter = 1; chapter <= 3; ++chapter) {
        file.write(QStringLiteral("第%1章 夜航%1\n").arg(chapter).toUtf8());
        for (int p = 0; p < 300; ++p)
            file.write(QStringLiteral("　　船在第%1章的第%2段里，沿着海岸线慢慢向北，雾气贴着水面。\n").arg(chapter).arg(p).toUtf8());
    }
    file.close();
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->onBookSelectedByPath(path);
    QVERIFY(loaded.wait(20000));
    waitForTurns(*m_window);
    turn(Qt::Key_BracketRight);
    turn(Qt::Key_Right, 2);
    QTest::keyClick(m_window.get(), Qt::Key_D, Qt::ControlModifier);
    const QString onPage = session()->pages().at(session()->page()).simplified();

    QString row;
    bool shownWhole = false;
    onNextModal([&row, &shownWhole](QWidget *modal) {
        auto *list = modal->findChild<QTreeWidget *>();
        QCOMPARE(list->topLevelItemCount(), 1);
        row = list->topLevelItem(0)->text(0);
        shownWhole = list->columnWidth(0) >= list->fontMetrics().horizontalAdvance(row);
        static_cast<QDialog *>(modal)->reject();
    });
    QTest::keyClick(m_window.get(), Qt::Key_B, Qt::ControlModifier);
    QVERIFY2(row.contains(QStringLiteral("第2章 夜航2")), qPrintable(row));
    const QString text = row.section(QStringLiteral("】"), 1);
    QVERIFY2(text.size() >= 36 && text.size() <= 44, qPrintable(text));
    QVERIFY2(onPage.contains(text), qPrintable(text));
    QVERIFY(shownWhole);
}

// Reopened in the encoding it is written in, the book shows the same page; in another, other
// text, and that choice holds for the next start.
void TestBookmarks::chosenEncodingKeepsThePlaceAndIsRemembered()
{
    turn(Qt::Key_Right, 4);
    const qsizetype place = session()->place();
    const QString pageText = session()->pages().at(session()->page());

    chooseEncoding("UTF-8");
    QTRY_VERIFY_WITH_TIMEOUT(session()->openingBook().isEmpty(), 10000);
    QCOMPARE(session()->encoding(), QByteArray("UTF-8"));
    QCOMPARE(session()->place(), place);
    QCOMPARE(session()->pages().at(session()->page()), pageText);

    chooseEncoding("windows-1252");
    QTRY_VERIFY_WITH_TIMEOUT(session()->openingBook().isEmpty(), 10000);
    QVERIFY(!session()->pages().front().contains(QStringLiteral("守塔人")));
    m_window->close();
    openWindow();
    QCOMPARE(session()->encoding(), QByteArray("windows-1252"));
    QVERIFY(!session()->pages().front().contains(QStringLiteral("守塔人")));
    // Detection's finding is still named while the reader's own choice is in force.
    QVERIFY2(detectedEncodingShown().contains(QStringLiteral("UTF-8")), qPrintable(detectedEncodingShown()));

    chooseEncoding(QByteArray());
    QTRY_VERIFY_WITH_TIMEOUT(session()->openingBook().isEmpty(), 10000);
    QVERIFY(session()->pages().at(session()->page()).contains(QStringLiteral("守塔人")));
    LibraryDatabase database;
    database.open();
    QCOMPARE(database.book(m_book).encodingOverride, QString());
}

LEXORIN_TEST_MAIN(TestBookmarks)
#include "tst_bookmarks.moc"

// The row of buttons under the page is gone: its commands are in the page's menu, checked
// where the page holds a mark, and after the main menu's own items, keys and all.
void TestBookmarks::pageMenuAndMainMenuHoldTheBookCommands()
{
    const QStringList expected{ command(ReaderActions::ToggleBookmark)->text(),
                                command(ReaderActions::ShowBookmarks)->text(),
                                command(ReaderActions::ChooseEncoding)->text() };
    QCOMPARE(expected, QStringList({ "书签", "书签列表", "编码…" }));
    for (const char *name : { "bookmarkButton", "bookmarksButton", "encodingButton" })
        QVERIFY2(!child(*m_window, name), name);

    turn(Qt::Key_Right, 2);
    QCOMPARE(chooseFromPageMenu(ReaderActions::ToggleBookmark), expected);
    QVERIFY(ribbonShown());
    QVERIFY(command(ReaderActions::ToggleBookmark)->isChecked());
    turn(Qt::Key_Right);
    QVERIFY(!command(ReaderActions::ToggleBookmark)->isChecked());

    auto *mainMenu = m_window->findChild<MainMenu *>();
    QVERIFY(mainMenu);
    const QList<QAction *> items = mainMenu->actions();
    QCOMPARE(items.mid(items.size() - 3), QList<QAction *>({ command(ReaderActions::ToggleBookmark),
                                                             command(ReaderActions::ShowBookmarks),
                                                             command(ReaderActions::ChooseEncoding) }));
    QCOMPARE(items.back()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    QCOMPARE(items.at(items.size() - 3)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
}
