#include "library.h"
#include "librarydatabase.h"
#include "readingsession.h"
#include "readingtracker.h"
#include "testmain.h"
#include "viewstack.h"

#include <QButtonGroup>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

// The tracker keeps the library told where the reader is, and which book is being read: a
// book's reading time may run only while its window is in front with the book on the
// reading page.
class TestReadingTracker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void placeIsKeptAsTheReaderMoves();
    void bookIsInReadingOnlyInFrontOnTheReadingPage_data();
    void bookIsInReadingOnlyInFrontOnTheReadingPage();

private:
    void openBook();

    QTemporaryDir m_dir;
    QString m_book;
    std::unique_ptr<QWidget> m_window;
    QStackedWidget *m_stack = nullptr;
    ViewStack *m_views = nullptr;
    std::unique_ptr<Library> m_library;
    std::unique_ptr<ReadingSession> m_session;
    ReadingTracker *m_tracker = nullptr;
};

void TestReadingTracker::initTestCase()
{
    m_book = m_dir.filePath(QStringLiteral("山路.txt"));
    QFile file(m_book);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int chapter = 1; chapter <= 8; ++chapter) {
        file.write(QStringLiteral("第%1章 山路\n").arg(chapter).toUtf8());
        for (int line = 0; line < 30; ++line)
            file.write(QStringLiteral("　　山路弯弯曲曲，挑夫歇了三回脚，才看见半山腰上那座灰瓦的小庙。\n").toUtf8());
    }
}

void TestReadingTracker::init()
{
    m_window = std::make_unique<QWidget>();
    m_stack = new QStackedWidget(m_window.get());
    auto *strip = new QButtonGroup(m_window.get());
    auto *layout = new QVBoxLayout(m_window.get());
    layout->addWidget(m_stack);
    m_views = new ViewStack(m_stack, strip, m_window.get());
    m_views->addView(ViewStack::Reading, new QLabel(QStringLiteral("page")));
    m_views->addView(ViewStack::Shelf, new QLabel(QStringLiteral("shelf")));
    m_library = std::make_unique<Library>(m_dir.filePath(QStringLiteral("library")));
    QCOMPARE(m_library->database()->open(), LibraryDatabase::Status::Ready);
    m_session = std::make_unique<ReadingSession>();
    m_library->follow(m_session->loader());
    m_tracker = new ReadingTracker(m_session.get(), m_library.get(), m_views, m_window.get());
    m_views->show(ViewStack::Reading);
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestReadingTracker::cleanup()
{
    m_window.reset();
    m_session.reset();
    m_library.reset();
}

void TestReadingTracker::openBook()
{
    m_session->setFormat({ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(480, 530) });
    m_session->open(m_book);
    QTRY_VERIFY(m_session->isComplete() && m_session->openingBook().isEmpty());
}

void TestReadingTracker::placeIsKeptAsTheReaderMoves()
{
    openBook();
    m_session->goTo(5);
    QVERIFY(m_session->place() > 0);
    QCOMPARE(m_library->recordFor(m_book).place, m_session->place());
    m_session->goToChapter(6);
    QCOMPARE(m_library->recordFor(m_book).place, m_session->place());
    m_library->flush();
    Library reopened(m_dir.filePath(QStringLiteral("library")));
    QCOMPARE(reopened.database()->open(), LibraryDatabase::Status::Ready);
    QCOMPARE(reopened.recordFor(m_book).place, m_session->place());
}

void TestReadingTracker::bookIsInReadingOnlyInFrontOnTheReadingPage_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("reading");

    QTest::newRow("in front, reading page") << QString() << true;
    QTest::newRow("shelf shown") << QStringLiteral("shelf") << false;
    QTest::newRow("shelf, then the page again") << QStringLiteral("shelf,page") << true;
    QTest::newRow("window behind another") << QStringLiteral("behind") << false;
    QTest::newRow("minimised") << QStringLiteral("minimised") << false;
    QTest::newRow("book closed") << QStringLiteral("closed") << false;
}

void TestReadingTracker::bookIsInReadingOnlyInFrontOnTheReadingPage()
{
    QFETCH(QString, change);
    QFETCH(bool, reading);

    openBook();
    QCOMPARE(m_library->bookInReading(), m_book);
    QWidget other;
    for (const QString &step : change.split(u',', Qt::SkipEmptyParts)) {
        if (step == QLatin1String("shelf")) {
            m_views->show(ViewStack::Shelf);
        } else if (step == QLatin1String("page")) {
            m_views->show(ViewStack::Reading);
        } else if (step == QLatin1String("behind")) {
            other.show();
            QApplication::setActiveWindow(&other);
            QTRY_VERIFY(!m_window->isActiveWindow());
            m_tracker->updateBookInReading();
        } else if (step == QLatin1String("minimised")) {
            m_window->showMinimized();
            QTRY_VERIFY(m_window->isMinimized());
            m_tracker->updateBookInReading();
        } else if (step == QLatin1String("closed")) {
            m_session->close();
        }
    }
    QCOMPARE(m_library->bookInReading(), reading ? m_book : QString());
}

LEXORIN_TEST_MAIN(TestReadingTracker)
#include "tst_readingtracker.moc"
