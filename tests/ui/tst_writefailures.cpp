#include "filesizelimit.h"
#include "notice.h"
#include "settings.h"
#include "shelfcontroller.h"
#include "testmain.h"
#include "windowdriver.h"

using namespace WindowDriver;

// A shelf that cannot be written is told to the reader, once for each thing that fails,
// whenever the failure comes: before the window shows, or after the library has told of
// something else.
class TestWriteFailures : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aStoreThatCannotBeWrittenAtStartIsToldOnce();
    void aFailedShelfAdditionIsToldAfterADamagedLibrary();

private:
    QString writeBook(const QString &name) const;
    int libraryNotices() const;
    ShelfController *shelf() const { return m_window->findChild<ShelfController *>(); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestWriteFailures::init()
{
    startAfresh();
}

void TestWriteFailures::cleanup()
{
    m_window.reset();
    QDir(store().fileName()).removeRecursively();
}

QString TestWriteFailures::writeBook(const QString &name) const
{
    QFile file(m_dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write("第一章 潮声\n海边的灯塔亮了一夜。\n");
    return file.fileName();
}

int TestWriteFailures::libraryNotices() const
{
    int count = 0;
    for (const QMessageBox *box : m_window->findChildren<QMessageBox *>())
        count += box->isVisible() && box->windowTitle() == QStringLiteral("书库");
    return count;
}

// A folder where the store's file should be: no write reaches it, root's included. The first
// failed write comes while the window is still being built.
void TestWriteFailures::aStoreThatCannotBeWrittenAtStartIsToldOnce()
{
    QVERIFY(QDir().mkpath(store().fileName()));
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *notice = m_window->findChild<Notice *>();
    QTRY_VERIFY(notice->isVisible());
    QCOMPARE(notice->text(), Settings::writeFailureMessage());

    notice->hide();
    shelf()->openFromOutside(writeBook(QStringLiteral("潮声.txt")));
    QVERIFY(shelf()->books().contains(m_dir.filePath(QStringLiteral("潮声.txt"))));
    QCoreApplication::processEvents();
    QVERIFY(!notice->isVisible());
}

// The library told of its damage at start; a book later added on a full disk is told too.
void TestWriteFailures::aFailedShelfAdditionIsToldAfterADamagedLibrary()
{
    QVERIFY(QDir().mkpath(LibraryDatabase::defaultFolder()));
    QFile damaged(LibraryDatabase::defaultFolder() + QStringLiteral("/library.sqlite"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(8192, 'x'));
    damaged.close();
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_COMPARE(libraryNotices(), 1);
    for (QMessageBox *box : m_window->findChildren<QMessageBox *>())
        box->close();
    QTRY_COMPARE(libraryNotices(), 0);

    const QString book = writeBook(QStringLiteral("潮声.txt"));
    {
        FileSizeLimit full(0);
        shelf()->openFromOutside(book);
    }
    QTRY_COMPARE(libraryNotices(), 1);
    QStringList told;
    for (const QMessageBox *box : m_window->findChildren<QMessageBox *>()) {
        if (box->isVisible())
            told.append(box->text());
    }
    QCOMPARE(told.size(), 1);
    QVERIFY2(told.first().contains(QStringLiteral("磁盘可能已满")), qPrintable(told.first()));
    QVERIFY(m_window->findChild<Notice *>()->isVisible());
}

LEXORIN_TEST_MAIN(TestWriteFailures)
#include "tst_writefailures.moc"
