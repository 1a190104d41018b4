#include "contentspage.h"
#include "fileloader.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QStackedWidget>

using namespace WindowDriver;

namespace {

constexpr int ChapterCount = 60;

QString chapterTitle(int chapter)
{
    return QStringLiteral("第%1章 灯塔守夜人的第%1个夜晚").arg(chapter);
}

// Volumes of numbered chapters, each a few pages long.
QString chapteredBook()
{
    QString text;
    for (int c = 1; c <= ChapterCount; ++c) {
        if (c % 20 == 1)
            text += QStringLiteral("第%1卷 海上\n").arg(c / 20 + 1);
        text += chapterTitle(c) + u'\n';
        for (int p = 0; p < 20; ++p)
            text += QStringLiteral("　　第%1章第%2段，风从海上来，灯在塔上亮，夜里的船一只只回到港口。\n").arg(c).arg(p);
    }
    return text;
}

}

// The contents page, the chapter keys and the header, driven through the window.
class TestContents : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filterNarrowsTheList_data();
    void filterNarrowsTheList();
    void enterOpensTheChapterOnTheReadingPage();
    void clickOpensTheChapterAndMarksItNextTime();
    void bracketKeysStepThroughChaptersAndTheHeaderFollows();
    void bookWithoutHeadingsSaysSo();
    void chaptersCanRunOn();

private:
    void openBook(const QString &name, const QString &text);
    void showContents();
    ContentsPage *contents() const;
    QListWidget *list() const;
    ReadingSession *session() const;
    int pageOfChapter(int chapter) const;

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestContents::init()
{
    startAfresh();
    m_window = std::make_unique<MainWindow>();
    auto *loader = m_window->findChild<FileLoader *>();
    QSignalSpy loaded(loader, &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(10000));
    openBook(QStringLiteral("守夜人.txt"), chapteredBook());
}

void TestContents::cleanup()
{
    m_window.reset();
}

void TestContents::openBook(const QString &name, const QString &text)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->onBookSelectedByPath(path);
    QVERIFY(loaded.wait(10000));
    waitForTurns(*m_window);
}

void TestContents::showContents()
{
    child<QAbstractButton>(*m_window, "contentsButton")->click();
    QCOMPARE(child<QStackedWidget>(*m_window, "stackedWidget")->currentWidget(), contents());
}

ContentsPage *TestContents::contents() const
{
    return m_window->findChild<ContentsPage *>();
}

QListWidget *TestContents::list() const
{
    return contents()->findChild<QListWidget *>();
}

ReadingSession *TestContents::session() const
{
    return m_window->findChild<ReadingSession *>();
}

int TestContents::pageOfChapter(int chapter) const
{
    return Paginator::pageAtOffset(session()->pages(), session()->chapters()[chapter].offset);
}

void TestContents::filterNarrowsTheList_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("a number") << "45" << QStringList{ chapterTitle(45) };
    QTest::newRow("a number in several") << "第5" << QStringList{ chapterTitle(5), chapterTitle(50),
                                                                   chapterTitle(51), chapterTitle(52),
                                                                   chapterTitle(53), chapterTitle(54),
                                                                   chapterTitle(55), chapterTitle(56),
                                                                   chapterTitle(57), chapterTitle(58),
                                                                   chapterTitle(59) };
    QTest::newRow("a volume word") << "海上" << QStringList{ "第1卷 海上", "第2卷 海上", "第3卷 海上" };
    QTest::newRow("nothing") << "山谷" << QStringList();
}

void TestContents::filterNarrowsTheList()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, titles);

    showContents();
    QCOMPARE(list()->count(), ChapterCount + 3);
    contents()->findChild<QLineEdit *>()->setText(filter);
    QStringList shown;
    for (int chapter : contents()->shownChapters())
        shown.append(session()->chapters()[chapter].title);
    QCOMPARE(shown, titles);
}

void TestContents::enterOpensTheChapterOnTheReadingPage()
{
    showContents();
    auto *filter = contents()->findChild<QLineEdit *>();
    QTest::keyClicks(filter, QStringLiteral("45"));
    QTest::keyClick(filter, Qt::Key_Return);
    QVERIFY(child<QStackedWidget>(*m_window, "stackedWidget")->currentIndex() == 0);
    const int chapter = 45 + 2; // after two volume headings
    QCOMPARE(session()->chapters()[chapter].title, chapterTitle(45));
    QCOMPARE(session()->page(), pageOfChapter(chapter));
    QCOMPARE(session()->currentChapter(), chapter);
    QCOMPARE(pageLabel(*m_window).section(u'/', 0, 0), QStringLiteral("第 %1 页").arg(session()->page() + 1));
}

void TestContents::clickOpensTheChapterAndMarksItNextTime()
{
    showContents();
    const int chapter = 30;
    QListWidgetItem *item = list()->item(chapter);
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(item).center());
    QCOMPARE(session()->page(), pageOfChapter(chapter));
    waitForTurns(*m_window);

    showContents();
    QCOMPARE(list()->currentRow(), chapter);
    QVERIFY(list()->viewport()->rect().contains(list()->visualItemRect(list()->currentItem())));
    QVERIFY(contents()->findChild<QLineEdit *>()->text().isEmpty());
}

void TestContents::bracketKeysStepThroughChaptersAndTheHeaderFollows()
{
    // The book opens on its first volume's heading.
    QCOMPARE(bookName(*m_window), QStringLiteral("守夜人 · 第1卷 海上"));
    QTest::keyClick(m_window.get(), Qt::Key_BracketRight);
    QCOMPARE(session()->page(), pageOfChapter(1));
    QVERIFY(bookName(*m_window).startsWith(QStringLiteral("守夜人 · 第1章")));
    QTest::keyClick(m_window.get(), Qt::Key_BracketRight);
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    QCOMPARE(session()->currentChapter(), 2);
    // Inside a chapter, "[" goes back to its start first, then to the chapter before.
    QTest::keyClick(m_window.get(), Qt::Key_BracketLeft);
    QCOMPARE(session()->page(), pageOfChapter(2));
    QTest::keyClick(m_window.get(), Qt::Key_BracketLeft);
    QCOMPARE(session()->page(), pageOfChapter(1));

    // The header never grows past the room it has: a long title is elided.
    auto *header = child<QLabel>(*m_window, "bookName");
    QVERIFY(header->fontMetrics().horizontalAdvance(header->text()) <= m_window->width());
}

void TestContents::bookWithoutHeadingsSaysSo()
{
    QString text;
    for (int p = 0; p < 200; ++p)
        text += QStringLiteral("　　第%1段，风从海上来，灯在塔上亮。\n").arg(p);
    openBook(QStringLiteral("无章.txt"), text);
    showContents();
    QVERIFY(!list()->isVisible());
    const QList<QLabel *> labels = contents()->findChildren<QLabel *>();
    QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel *label) {
        return label->isVisible() && label->text() == QStringLiteral("本书没有章节");
    }));
    const int page = session()->page();
    QTest::keyClick(m_window.get(), Qt::Key_BracketRight);
    QCOMPARE(session()->page(), page);
    QCOMPARE(bookName(*m_window), QStringLiteral("无章"));
}

// Turning the option off cuts the book anew with headings running on, at the reader's place.
void TestContents::chaptersCanRunOn()
{
    const int chapter = 10;
    for (int c = 0; c < chapter; ++c)
        QTest::keyClick(m_window.get(), Qt::Key_BracketRight);
    QCOMPARE(session()->currentChapter(), chapter);
    const int startingPages = session()->pageCount();

    QMenu *menu = m_window->findChild<QMenu *>();
    const QList<QAction *> actions = menu->actions();
    const auto option = std::find_if(actions.begin(), actions.end(), [](QAction *action) {
        return action->text() == QStringLiteral("章节另起一页");
    });
    QVERIFY(option != actions.end());
    QVERIFY((*option)->isChecked());
    (*option)->trigger();
    QVERIFY(!(*option)->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading, 10000);
    QVERIFY(session()->pageCount() < startingPages);
    QCOMPARE(session()->currentChapter(), chapter);
    QVERIFY(session()->pageHeadings().empty());
}

LEXORIN_TEST_MAIN(TestContents)
#include "tst_contents.moc"
