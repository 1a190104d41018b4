#include "bookshelfwidget.h"
#include "shelfcontroller.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QFileDialog>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStackedWidget>

using namespace WindowDriver;

class TestLibrary : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void scanFindsTextFilesDepthFirstAndSurvivesLinkCycles();
    void scanAddsNewBooksOnceAndAlwaysReportsTheCount();
    void scanOfAFolderWithoutBooksChangesNothing();
    void openingANewBookPutsItFirst();
    void openingAListedBookOnlyShowsItsName();
    void twoSpellingsOfOnePathAreTwoBooks();
    void shelfPicksOpenBooksAndIgnoreVanishedOnes();
    void bookSelectedByIndexChecksItsBounds();
    void bookHandedOverAtStartOpensFirst_data();
    void bookHandedOverAtStartOpensFirst();
    void pathsThatAreNoBooksAreReportedNotAdded_data();
    void pathsThatAreNoBooksAreReportedNotAdded();
    void cancelledScanSaysSoAndHowManyItHadFound();

private:
    void makeFile(const QString &relativePath);
    void chooseInNextFileDialog(const QString &path);
    void showWindow();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestLibrary::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<MainWindow>();
}

// Keys reach the window only once it is shown and in front.
void TestLibrary::showWindow()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestLibrary::makeFile(const QString &relativePath)
{
    const QString path = m_dir->filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("text\n");
}

void TestLibrary::chooseInNextFileDialog(const QString &path)
{
    onNextModal([path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
}

void TestLibrary::scanFindsTextFilesDepthFirstAndSurvivesLinkCycles()
{
    for (const char *name : { "a.txt", "B.TXT", "sub/c.txt", "sub/deeper/d.txt", "x.txt.bak",
                              "x.Txt", "archive.tar.txt", "txt", ".hidden.txt",
                              ".hidden/e.txt" })
        makeFile(QString::fromLatin1(name));
    QVERIFY(QFile::link(m_dir->path(), m_dir->filePath(QStringLiteral("sub/back-to-top"))));

    auto *shelf = m_window->findChild<ShelfController *>();
    QSignalSpy scanned(shelf, &ShelfController::folderScanned);
    shelf->scanFolder(m_dir->path());
    QVERIFY(scanned.wait());
    const QStringList found = scanned.first().first().toStringList();

    const QString root = QDir(m_dir->path()).absolutePath() + u'/';
    QStringList expected{ root + "a.txt", root + "B.TXT", root + "sub/c.txt",
                          root + "sub/deeper/d.txt", root + "x.Txt", root + "archive.tar.txt" };
    QCOMPARE(QSet<QString>(found.begin(), found.end()), QSet<QString>(expected.begin(), expected.end()));
    QCOMPARE(found.size(), expected.size());
    // Depth first: a folder's files stand together, where the folder was met.
    const qsizetype c = found.indexOf(root + "sub/c.txt");
    const qsizetype d = found.indexOf(root + "sub/deeper/d.txt");
    QVERIFY(qAbs(c - d) == 1);
}

void TestLibrary::scanAddsNewBooksOnceAndAlwaysReportsTheCount()
{
    for (const char *name : { "a.txt", "B.TXT", "sub/c.txt" })
        makeFile(QString::fromLatin1(name));
    const int before = store().value(QStringLiteral("recentFiles")).toStringList().size();

    for (int round = 0; round < 2; ++round) {
        chooseInNextFileDialog(m_dir->path());
        QString title;
        QString text;
        QTimer::singleShot(0, [&] { answerNextMessageBox(QMessageBox::Ok, &title, &text); });
        m_window->onOpenFolder();
        QTRY_COMPARE(title, QStringLiteral("扫描完成"));
        QCOMPARE(text, QStringLiteral("共找到 3 个文本文件"));
        QCOMPARE(bookName(*m_window), QStringLiteral("Quorvane - 共有 %1 本书").arg(before + 3));
    }
}

void TestLibrary::scanOfAFolderWithoutBooksChangesNothing()
{
    makeFile(QStringLiteral("notes.md"));
    const QString title = bookName(*m_window);
    chooseInNextFileDialog(m_dir->path());
    QString boxTitle;
    QString text;
    QTimer::singleShot(0, [&] { answerNextMessageBox(QMessageBox::Ok, &boxTitle, &text); });
    m_window->onOpenFolder();

    QTRY_COMPARE(boxTitle, QStringLiteral("扫描结果"));
    QCOMPARE(text, QStringLiteral("未找到任何文本文件"));
    QCOMPARE(bookName(*m_window), title);
}

void TestLibrary::openingANewBookPutsItFirst()
{
    makeFile(QStringLiteral("new book.txt"));
    const QString path = m_dir->filePath(QStringLiteral("new book.txt"));
    chooseInNextFileDialog(path);
    m_window->onOpenFile();

    QCOMPARE(bookName(*m_window), QStringLiteral("Quorvane - 共有 3 本书"));
    QCOMPARE(pageLabel(*m_window), QStringLiteral("加载中..."));
    m_window->close();
    QCOMPARE(store().value(QStringLiteral("recentFiles")).toStringList().first(), path);
}

void TestLibrary::openingAListedBookOnlyShowsItsName()
{
    makeFile(QStringLiteral("My.Book.txt"));
    const QString path = m_dir->filePath(QStringLiteral("My.Book.txt"));
    chooseInNextFileDialog(path);
    m_window->onOpenFile();
    chooseInNextFileDialog(path);
    m_window->onOpenFile();

    QCOMPARE(bookName(*m_window), QStringLiteral("My.Book"));
    m_window->close();
    const QStringList books = store().value(QStringLiteral("recentFiles")).toStringList();
    QCOMPARE(books.count(path), 1);
    QCOMPARE(books.size(), 3);
}

void TestLibrary::twoSpellingsOfOnePathAreTwoBooks()
{
    makeFile(QStringLiteral("shelf/book.txt"));
    QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("shelf")), m_dir->filePath(QStringLiteral("alias"))));
    const QString path = m_dir->filePath(QStringLiteral("shelf/book.txt"));
    const QString otherSpelling = m_dir->filePath(QStringLiteral("alias/book.txt"));
    chooseInNextFileDialog(path);
    m_window->onOpenFile();
    QTest::qWait(50);
    chooseInNextFileDialog(otherSpelling);
    m_window->onOpenFile();
    m_window->close();

    const QStringList books = store().value(QStringLiteral("recentFiles")).toStringList();
    QCOMPARE(books.size(), 4);
}

void TestLibrary::shelfPicksOpenBooksAndIgnoreVanishedOnes()
{
    auto *stack = child<QStackedWidget>(*m_window, "stackedWidget");
    showWindow();
    QTest::keyClick(m_window.get(), Qt::Key_B);
    QCOMPARE(stack->currentIndex(), 1);
    QCOMPARE(bookName(*m_window), QStringLiteral("Quorvane - 共有 2 本书"));

    QString question;
    answerNextMessageBox(QMessageBox::No, nullptr, &question);
    m_window->onBookSelectedByPath(m_dir->filePath(QStringLiteral("gone.txt")));
    QTRY_VERIFY(question.contains(QStringLiteral("gone.txt")));
    QCOMPARE(stack->currentIndex(), 1);

    emit m_window->findChild<BookshelfWidget *>()->bookSelected(
            QStringLiteral(":/book/A Pocketful of Weather.txt"));
    QTRY_COMPARE(stack->currentIndex(), 0);
    QCOMPARE(bookOnShow(*m_window), QStringLiteral("A Pocketful of Weather"));
}

void TestLibrary::bookSelectedByIndexChecksItsBounds()
{
    auto *stack = child<QStackedWidget>(*m_window, "stackedWidget");
    showWindow();
    QTest::keyClick(m_window.get(), Qt::Key_B);
    for (int index : { -1, 2 }) {
        m_window->onBookSelectedByIndex(index);
        QCOMPARE(stack->currentIndex(), 1);
    }
    m_window->onBookSelectedByIndex(1);
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(bookOnShow(*m_window), QStringLiteral("A Pocketful of Weather"));
}

void TestLibrary::bookHandedOverAtStartOpensFirst_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("books");
    QTest::addColumn<QString>("title");
    QTest::newRow("new book") << QStringLiteral("handed over.txt") << 3 << QStringLiteral("handed over");
    QTest::newRow("listed book") << QStringLiteral(":/book/A Pocketful of Weather.txt") << 2
                                 << QStringLiteral("A Pocketful of Weather");
    // Only the last suffix goes: a numbered chapter file keeps its whole name.
    QTest::newRow("dots in the name") << QStringLiteral("1.序章.txt") << 3 << QStringLiteral("1.序章");
}

void TestLibrary::bookHandedOverAtStartOpensFirst()
{
    QFETCH(QString, path);
    QFETCH(int, books);
    QFETCH(QString, title);
    if (!path.startsWith(u':')) {
        makeFile(path);
        path = m_dir->filePath(path);
    }
    m_window->openAtStart(path);
    m_window->show();
    QTRY_COMPARE(bookOnShow(*m_window), title);
    QTRY_COMPARE(pageLabel(*m_window).left(5), QStringLiteral("第 1 页"));
    m_window->close();
    const QStringList saved = store().value("recentFiles").toStringList();
    QCOMPARE(saved.size(), books);
    QVERIFY(saved.contains(path));
}

// A folder or a file that cannot be read, named on the command line: the reader is told why,
// and the path never joins the shelf.
void TestLibrary::pathsThatAreNoBooksAreReportedNotAdded_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("这是一个文件夹，不是文件。");
    QTest::newRow("an unreadable file") << QStringLiteral("unreadable") << QStringLiteral("没有读取这个文件的权限。");
}

void TestLibrary::pathsThatAreNoBooksAreReportedNotAdded()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QString path = m_dir->filePath(QStringLiteral("书"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        path += QStringLiteral(".txt");
        makeFile(QStringLiteral("书.txt"));
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("this user reads files whatever their permissions");
    }
    m_window->openAtStart(path);
    QString text;
    answerNextMessageBox(QMessageBox::Ok, nullptr, &text);
    m_window->show();
    QTRY_VERIFY(text.contains(QDir::toNativeSeparators(path)));
    QVERIFY2(text.contains(reason), qPrintable(text));
    m_window->close();
    QVERIFY(!store().value("recentFiles").toStringList().contains(path));
}

void TestLibrary::cancelledScanSaysSoAndHowManyItHadFound()
{
    for (int folder = 0; folder < 100; ++folder) {
        for (int book = 0; book < 20; ++book)
            makeFile(QStringLiteral("%1/%2.txt").arg(folder).arg(book));
    }
    const QStringList before = store().value(QStringLiteral("recentFiles")).toStringList();
    chooseInNextFileDialog(m_dir->path());
    // The reader cancels as soon as the scan has begun.
    QTimer cancelling;
    connect(&cancelling, &QTimer::timeout, this, [this, &cancelling] {
        if (auto *progress = m_window->findChild<QProgressDialog *>()) {
            cancelling.stop();
            emit progress->canceled();
        }
    });
    cancelling.start(0);
    QString title;
    QString text;
    QTimer::singleShot(0, [&] { answerNextMessageBox(QMessageBox::Ok, &title, &text); });
    m_window->onOpenFolder();
    QTRY_COMPARE(title, QStringLiteral("扫描已取消"));
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("找到的 \\d+ 个文本文件"))), qPrintable(text));
    QCOMPARE(store().value(QStringLiteral("recentFiles")).toStringList(), before);
}

LEXORIN_TEST_MAIN(TestLibrary)
#include "tst_library.moc"
