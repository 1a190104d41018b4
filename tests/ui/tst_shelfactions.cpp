#include "bookshelfwidget.h"
#include "fileprober.h"
#include "fileloader.h"
#include "library.h"
#include "librarydatabase.h"
#include "readingsession.h"
#include "shelfcontextmenu.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QLabel>
#include <QMimeData>
#include <QScopeGuard>
#include <QSemaphore>
#include <QStackedWidget>
#include <QSignalSpy>
#include <QUrl>

using namespace WindowDriver;

// What the reader does to books on the shelf: removing one, finding one gone, dropping
// files and folders on the window.
class TestShelfActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void removingABookKeepsItsFile();
    void removedBookComesBackWithItsPlaceAndBookmarks();
    void removedSampleBookStaysOff();
    void shelfKeepsItsOrderAndColoursWhenBooksAreRead();
    void propertiesNameFileEncodingAndProgress();
    void goneBookIsOfferedForRemoval_data();
    void goneBookIsOfferedForRemoval();
    void aBookWhoseFileHangsLeavesTheShelfLive();
    void aBookUnderALinkFindsItsPlaceWhileTheLinkIsAskedAbout();
    void droppedBooksJoinTheShelf_data();
    void droppedBooksJoinTheShelf();

private:
    QString writeBook(const QString &relativePath);
    QStringList shelf() const { return store().value(QStringLiteral("recentFiles")).toStringList(); }
    bool isRemembered(const QString &path) const;
    bool drop(const QStringList &paths);
    QAction *shelfMenuAction(const QString &path, const QString &text);
    QStringList shelfOnShow() const;
    QRgb coverColourOf(const QString &path) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    QString m_book;
};

void TestShelfActions::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
    m_book = writeBook(QStringLiteral("渡口.txt"));
    m_window = std::make_unique<MainWindow>();
    m_window->openAtStart(m_book);
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(isRemembered(m_book), 5000);
}

void TestShelfActions::cleanup()
{
    m_window.reset();
}

QString TestShelfActions::writeBook(const QString &relativePath)
{
    const QString path = m_dir->filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QStringLiteral("　　渡口的船夫认得每一个过河的人。\n").repeated(200).toUtf8());
    return path;
}

bool TestShelfActions::isRemembered(const QString &path) const
{
    LibraryDatabase database;
    database.open();
    return database.book(path).isStored();
}

bool TestShelfActions::drop(const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPoint centre = m_window->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &dropped);
    return dropped.isAccepted();
}

void TestShelfActions::removingABookKeepsItsFile()
{
    QVERIFY(shelf().contains(m_book));
    QAction *remove = shelfMenuAction(m_book, QStringLiteral("从书架移除"));
    QVERIFY(remove);
    QString question;
    answerNextMessageBox(QMessageBox::Yes, nullptr, &question);
    remove->trigger();
    QVERIFY2(question.contains(QStringLiteral("书签会保留")), qPrintable(question));
    QVERIFY(!shelf().contains(m_book));
    QVERIFY(QFile::exists(m_book));
}

// Taking a book off the shelf hides it: its record stays, and added again it opens where the
// reader was, with its bookmarks.
void TestShelfActions::removedBookComesBackWithItsPlaceAndBookmarks()
{
    auto *session = m_window->findChild<ReadingSession *>();
    QTest::keyClick(m_window.get(), Qt::Key_End);
    QTRY_VERIFY(session->page() > 0);
    const qsizetype place = session->place();
    auto *library = m_window->findChild<Library *>();
    library->addBookmark(m_book, place, QStringLiteral("渡口的船夫"));
    m_window->close();

    answerNextMessageBox(QMessageBox::Yes);
    shelfMenuAction(m_book, QStringLiteral("从书架移除"))->trigger();
    QVERIFY(!shelf().contains(m_book));
    QVERIFY(isRemembered(m_book));

    QVERIFY(drop({ m_book }));
    QTRY_VERIFY(shelf().contains(m_book));
    QTRY_COMPARE_WITH_TIMEOUT(session->place(), place, 10000);
    QCOMPARE(library->bookmarks(m_book).size(), 1);
}

void TestShelfActions::removedSampleBookStaysOff()
{
    const QString sample = QStringLiteral(":/book/星灯童话集.txt");
    QVERIFY(shelf().contains(sample));
    answerNextMessageBox(QMessageBox::Yes);
    shelfMenuAction(sample, QStringLiteral("从书架移除"))->trigger();
    QVERIFY(!shelf().contains(sample));

    m_window = std::make_unique<MainWindow>();
    QVERIFY(!shelf().contains(sample));
    QVERIFY(shelf().contains(QStringLiteral(":/book/A Pocketful of Weather.txt")));
}

// The shelf shows newest additions first and never moves a book because it was read; the
// order by last reading is a choice, remembered. A book keeps its cover colour in both.
void TestShelfActions::shelfKeepsItsOrderAndColoursWhenBooksAreRead()
{
    const QString older = writeBook(QStringLiteral("旧书.txt"));
    const QString newer = writeBook(QStringLiteral("新书.txt"));
    QVERIFY(drop({ older }));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->findChild<ReadingSession *>()->book(), older, 10000);
    QVERIFY(drop({ newer }));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->findChild<ReadingSession *>()->book(), newer, 10000);
    m_window->onBookSelectedByPath(older);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->findChild<ReadingSession *>()->book(), older, 10000);

    m_window->onToggleBookshelf();
    const QStringList added = shelf();
    QCOMPARE(added.mid(0, 3), QStringList({ newer, older, m_book }));
    QCOMPARE(shelfOnShow(), added);
    QHash<QString, QRgb> colours;
    for (const QString &book : added)
        colours.insert(book, coverColourOf(book));
    m_window->findChild<Library *>()->flush();

    shelfMenuAction(newer, QStringLiteral("最近阅读"))->trigger();
    QCOMPARE(store().value(QStringLiteral("shelfOrder")).toString(), QStringLiteral("lastRead"));
    QCOMPARE(shelfOnShow().mid(0, 3), QStringList({ older, newer, m_book }));
    for (const QString &book : added)
        QCOMPARE(coverColourOf(book), colours.value(book));

    m_window = std::make_unique<MainWindow>();
    m_window->onToggleBookshelf();
    QCOMPARE(shelfOnShow().mid(0, 3), QStringList({ older, newer, m_book }));
    QAction *order = shelfMenuAction(newer, QStringLiteral("最近阅读"));
    QVERIFY(order->isChecked());
    order->trigger();
    QCOMPARE(shelfOnShow(), added);
    QCOMPARE(store().value(QStringLiteral("shelfOrder")).toString(), QStringLiteral("added"));
}

QAction *TestShelfActions::shelfMenuAction(const QString &path, const QString &text)
{
    delete m_window->findChild<ShelfContextMenu *>();
    emit m_window->findChild<BookshelfWidget *>()->bookMenuRequested(path, QPoint(50, 50));
    auto *menu = m_window->findChild<ShelfContextMenu *>();
    if (!menu)
        return nullptr;
    const QList<QAction *> actions = menu->actions();
    const auto found = std::find_if(actions.begin(), actions.end(),
                                    [&text](QAction *action) { return action->text() == text; });
    return found == actions.end() ? nullptr : *found;
}

QStringList TestShelfActions::shelfOnShow() const
{
    const auto *widget = m_window->findChild<BookshelfWidget *>();
    QStringList books;
    for (int row = 0; row < widget->count(); ++row)
        books.append(widget->item(row)->data(Qt::UserRole).toString());
    return books;
}

// The colour at the cover's top left corner, clear of its title and progress bar.
QRgb TestShelfActions::coverColourOf(const QString &path) const
{
    const auto *widget = m_window->findChild<BookshelfWidget *>();
    for (int row = 0; row < widget->count(); ++row) {
        if (widget->item(row)->data(Qt::UserRole).toString() == path)
            return widget->item(row)->icon().pixmap(150, 200).toImage().pixel(4, 4);
    }
    return 0;
}

void TestShelfActions::propertiesNameFileEncodingAndProgress()
{
    QTest::keyClick(m_window.get(), Qt::Key_End);
    m_window->close();
    emit m_window->findChild<BookshelfWidget *>()->bookMenuRequested(m_book, QPoint(50, 50));
    auto *menu = m_window->findChild<ShelfContextMenu *>();
    QVERIFY(menu);
    QStringList shown;
    const QString size = QLocale().formattedDataSize(QFileInfo(m_book).size());
    // The size shows once the file has been looked at on a worker.
    onNextModal([&shown, &size](QWidget *modal) {
        const auto labels = [modal] {
            QStringList texts;
            for (const QLabel *label : modal->findChildren<QLabel *>())
                texts.append(label->text());
            return texts;
        };
        QTRY_VERIFY(labels().contains(size));
        shown = labels();
        static_cast<QDialog *>(modal)->reject();
    });
    shelfMenuAction(m_book, QStringLiteral("属性"))->trigger();
    QVERIFY2(shown.contains(QDir::toNativeSeparators(m_book)), qPrintable(shown.join(u'|')));
    QVERIFY(shown.contains(QStringLiteral("UTF-8")));
    QVERIFY(shown.contains(size));
    QVERIFY(std::any_of(shown.cbegin(), shown.cend(), [](const QString &text) {
        return text.endsWith(u'%') && text != QStringLiteral("0%");
    }));
}

void TestShelfActions::goneBookIsOfferedForRemoval_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("removed") << QMessageBox::Yes;
    QTest::newRow("kept") << QMessageBox::No;
}

void TestShelfActions::goneBookIsOfferedForRemoval()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QVERIFY(QFile::remove(m_book));
    QString question;
    answerNextMessageBox(answer, nullptr, &question);
    m_window->onBookSelectedByPath(m_book);
    QTRY_VERIFY(question.contains(QFileInfo(m_book).fileName()));
    QCOMPARE(shelf().contains(m_book), answer == QMessageBox::No);
    // Removed or not, the book's record stays, for the file to come back to.
    QVERIFY(isRemembered(m_book));
}

// A book on a mount that hangs: choosing it freezes nothing, another book chosen meanwhile
// opens, and the late answer about the first opens nothing.
void TestShelfActions::aBookWhoseFileHangsLeavesTheShelfLive()
{
    const QString other = writeBook(QStringLiteral("远方.txt"));
    FileProber *prober = m_window->findChild<BookshelfWidget *>()->fileProber();
    const auto hung = std::make_shared<QSemaphore>();
    prober->setCheck([hung, stuck = m_book](const QString &path) {
        if (path == stuck)
            hung->acquire();
        return FileProber::checkFile(path);
    });
    const auto release = qScopeGuard([hung] { hung->release(); });
    auto *stack = child<QStackedWidget>(*m_window, "stackedWidget");
    QTest::keyClick(m_window.get(), Qt::Key_B);
    QCOMPARE(stack->currentIndex(), 1);

    m_window->onBookSelectedByPath(m_book);
    QTimer tick;
    QSignalSpy ticked(&tick, &QTimer::timeout);
    tick.start(10);
    QVERIFY(ticked.wait());
    QCOMPARE(stack->currentIndex(), 1);

    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->onBookSelectedByPath(other);
    QVERIFY(loaded.wait());
    QCOMPARE(loaded.last().at(1).toString(), other);
    QCOMPARE(stack->currentIndex(), 0);

    QSignalSpy probed(prober, &FileProber::probed);
    hung->release();
    QTRY_VERIFY(std::any_of(probed.cbegin(), probed.cend(),
                            [this](const QList<QVariant> &answer) { return answer.first().toString() == m_book; }));
    QCoreApplication::processEvents();
    QCOMPARE(bookName(*m_window), QStringLiteral("远方"));
    QCOMPARE(loaded.count(), 1);
}

// Where a link leads is asked off the GUI thread. A book handed over under a link to its
// folder opens while that is asked, and once it is read finds its place and shows its
// progress on the shelf, without waiting for the answer.
void TestShelfActions::aBookUnderALinkFindsItsPlaceWhileTheLinkIsAskedAbout()
{
    for (int turn = 0; turn < 3; ++turn)
        QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    auto *session = m_window->findChild<ReadingSession *>();
    const qsizetype place = session->place();
    QVERIFY(place > 0);
    auto *library = m_window->findChild<Library *>();
    library->flush();

    const QString folder = m_dir->filePath(QStringLiteral("链接"));
    QVERIFY(QFile::link(m_dir->path(), folder));
    const QString linked = folder + QStringLiteral("/渡口.txt");
    const auto hung = std::make_shared<QSemaphore>();
    library->fileProber()->setCheck([hung, linked](const QString &path) {
        if (path == linked)
            hung->acquire();
        return FileProber::checkFile(path);
    });
    const auto release = qScopeGuard([hung] { hung->release(); });
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->openFromOutside(linked);
    const auto *shelf = m_window->findChild<BookshelfWidget *>();
    const auto progressShown = [shelf, linked] {
        for (int row = 0; row < shelf->count(); ++row) {
            if (shelf->item(row)->data(Qt::UserRole).toString() == linked)
                return shelf->item(row)->data(Qt::ToolTipRole).toString().contains(u'%');
        }
        return false;
    };
    QTRY_COMPARE_WITH_TIMEOUT(session->book(), linked, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(session->place(), place, 10000);
    QTRY_VERIFY(progressShown());
    // Found once, the book is not reopened again and again.
    QVERIFY(!loaded.wait(300));
}

void TestShelfActions::droppedBooksJoinTheShelf_data()
{
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QString>("opened");

    QTest::newRow("two books") << QStringList{ "一.txt", "二.TXT" } << QStringList{ "一.txt", "二.TXT" } << "一.txt";
    QTest::newRow("a folder") << QStringList{ "夹" } << QStringList{ "夹/甲.txt", "夹/里/乙.txt" } << "渡口.txt";
    QTest::newRow("no book") << QStringList{ "说明.md" } << QStringList{} << "渡口.txt";
}

void TestShelfActions::droppedBooksJoinTheShelf()
{
    QFETCH(QStringList, dropped);
    QFETCH(QStringList, added);
    QFETCH(QString, opened);

    for (const char *name : { "一.txt", "二.TXT", "说明.md", "夹/甲.txt", "夹/里/乙.txt", "夹/丙.md" })
        writeBook(QString::fromUtf8(name));
    QStringList paths;
    for (const QString &name : dropped)
        paths.append(m_dir->filePath(name));
    if (dropped.contains(QStringLiteral("夹")))
        answerNextMessageBox(QMessageBox::Ok);
    QCOMPARE(drop(paths), !added.isEmpty());
    QTest::qWait(50);

    for (const QString &name : added)
        QTRY_VERIFY(shelf().contains(m_dir->filePath(name)));
    QCOMPARE(shelf().size(), 3 + added.size());
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(m_window->findChild<ReadingSession *>()->book()).fileName(), opened, 10000);
}

LEXORIN_TEST_MAIN(TestShelfActions)
#include "tst_shelfactions.moc"
