#include "contentspage.h"
#include "fileloader.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QLineEdit>
#include <QListView>
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
    void filterFindsNumbersInAnyNumerals_data();
    void filterFindsNumbersInAnyNumerals();
    void enterOpensTheChapterOnTheReadingPage();
    void clickOpensTheChapterAndMarksItNextTime();
    void bracketKeysStepThroughChaptersAndTheHeaderFollows();
    void bookWithoutHeadingsSaysSo();
    void chaptersCanRunOn();
    void chaptersRunOnUnlessChosen();

private:
    void openBook(const QString &name, const QString &text);
    QAction *chaptersOption() const;
    void showContents();
    ContentsPage *contents() const;
    QListView *list() const;
    QModelIndex entry(int chapter) const;
    ReadingSession *session() const;
    int pageOfChapter(int chapter) const;

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

// These books are read with chapters starting pages, the reader's choice.
void TestContents::init()
{
    startAfresh();
    store().setValue(QStringLiteral("chaptersStartPage"), true);
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

QListView *TestContents::list() const
{
    return contents()->findChild<QListView *>();
}

// The list's entry of a chapter, while the filter keeps every chapter.
QModelIndex TestContents::entry(int chapter) const
{
    return list()->model()->index(chapter, 0);
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
    QCOMPARE(list()->model()->rowCount(), ChapterCount + 3);
    contents()->findChild<QLineEdit *>()->setText(filter);
    QStringList shown;
    for (int chapter : contents()->shownChapters())
        shown.append(session()->chapters()[chapter].title);
    QCOMPARE(shown, titles);
}

void TestContents::filterFindsNumbersInAnyNumerals_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("titles");

    const QStringList hundredAndTwenty{ "第一百二十章 归港", "第120章 雾", "第１２０章 潮", "第一二〇回 风" };
    QTest::newRow("digits") << "120" << hundredAndTwenty;
    QTest::newRow("chinese numerals") << "一百二十" << hundredAndTwenty;
    QTest::newRow("full-width digits") << "１２０" << hundredAndTwenty;
    QTest::newRow("digit by digit") << "一二〇" << hundredAndTwenty;
    QTest::newRow("twelve") << "十二" << QStringList{ "第十二章 灯", "第12章 塔" };
    QTest::newRow("twelve in digits, and as a part of 120") << "12" << QStringList{ "第120章 雾", "第十二章 灯", "第12章 塔" };
    QTest::newRow("a word") << "雾" << QStringList{ "第120章 雾" };
}

void TestContents::filterFindsNumbersInAnyNumerals()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, titles);

    std::vector<Chapter> chapters;
    for (const char *title : { "第一百二十章 归港", "第120章 雾", "第１２０章 潮", "第十二章 灯", "第12章 塔", "第一二〇回 风" })
        chapters.push_back({ qsizetype(chapters.size()) * 100, 10, QString::fromUtf8(title) });
    ContentsPage page;
    page.setChapters(chapters);
    page.setFilter(filter);
    QStringList shown;
    for (int chapter : page.shownChapters())
        shown.append(chapters[chapter].title);
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
    const QModelIndex item = entry(chapter);
    list()->scrollTo(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(item).center());
    QCOMPARE(session()->page(), pageOfChapter(chapter));
    waitForTurns(*m_window);

    showContents();
    QCOMPARE(list()->currentIndex().row(), chapter);
    QVERIFY(list()->viewport()->rect().contains(list()->visualRect(list()->currentIndex())));
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

// Turning the option off cuts the book anew with headings running on, at the reader's place;
// the choice is kept for the next start.
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
    QCOMPARE(store().value(QStringLiteral("chaptersStartPage")), QVariant(false));

    m_window = std::make_unique<MainWindow>();
    QVERIFY(!chaptersOption()->isChecked());
    QVERIFY(!session()->format().chaptersStartPages);
}

// A reader who never chose it reads chapters running on: no page breaks, no bold headings.
void TestContents::chaptersRunOnUnlessChosen()
{
    m_window.reset();
    startAfresh();
    m_window = std::make_unique<MainWindow>();
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(10000));
    QVERIFY(!chaptersOption()->isChecked());
    QVERIFY(!session()->format().chaptersStartPages);
    openBook(QStringLiteral("守夜人.txt"), chapteredBook());
    QVERIFY(session()->pageHeadings().empty());

    chaptersOption()->trigger();
    QCOMPARE(store().value(QStringLiteral("chaptersStartPage")), QVariant(true));
    QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading
                                     && !session()->pageHeadings().empty(), 10000);
}

QAction *TestContents::chaptersOption() const
{
    const QList<QAction *> actions = m_window->findChild<QMenu *>()->actions();
    const auto option = std::find_if(actions.begin(), actions.end(), [](QAction *action) {
        return action->text() == QStringLiteral("章节另起一页");
    });
    return option == actions.end() ? nullptr : *option;
}

LEXORIN_TEST_MAIN(TestContents)
#include "tst_contents.moc"
