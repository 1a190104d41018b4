#include "fileloader.h"
#include "readingsession.h"
#include "searchresultslist.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QLineEdit>
#include <QListView>
#include <QStackedWidget>
#include <QSignalSpy>

#include <algorithm>
#include <functional>

using namespace WindowDriver;

namespace {

enum class Trigger { Button, Enter };
enum class Turn { None, Forward, Backward };

// Where the search words of the generated book stand, by paragraph.
constexpr int EmberParagraph = 10;
const QList<int> LanternParagraphs = { 20, 50, 90 };
constexpr int AbcParagraph = 40;
constexpr int SoloParagraph = 70;
constexpr int WordlessParagraph = 60;
constexpr int ParagraphCount = 120;

const QString WrapNotice = QStringLiteral("已回到文档开头继续搜索");

}

Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(Turn)

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchFromAPage_data();
    void searchFromAPage();
    void repeatedSearchVisitsEveryHitThenWraps_data();
    void repeatedSearchVisitsEveryHitThenWraps();
    void theMatchIsHighlighted();
    void keysStepThroughMatchesOnTheSamePageAndWrapQuietly();
    void allResultsListEveryMatchAndOpenOne();
    void resultsOfABookStillBeingCutSaySo();
    void shiftEnterInTheBarFindsThePreviousMatch();

private:
    // What one search showed: the notice box, if any, and the page turn it asked for.
    struct Outcome
    {
        QString title;
        QString notice;
        Turn turn = Turn::None;
    };

    static QStringList bookParagraphs();
    static void addTriggerRows(const char *name, const std::function<void(QTestData &)> &row);
    int pageOf(int paragraph, const QString &text = {}) const;
    QString label(int page) const;
    void goToPage(int page);
    Outcome search(const QString &text, Trigger trigger);
    void recordNotice();
    Turn runningTurn() const;

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    std::vector<QString> m_pages;
    QTimer m_noticeWatch;
    Outcome m_outcome;
    bool m_noticeSeen = false;
};

// Plain paragraphs numbered in words that no search looks for, with the search words
// placed in a few of them; "abc" only ever in lower case.
QStringList TestSearch::bookParagraphs()
{
    QStringList paragraphs;
    for (int i = 0; i < ParagraphCount; ++i) {
        QString paragraph = QStringLiteral("第%1段。月光照在安静的小路上，风从山谷里吹来，树叶轻轻作响，"
                                           "远处的钟声一下一下地传过来。河水慢慢流过石桥，桥下的小船"
                                           "随着水波摇晃，船上的人早已睡着了。")
                                    .arg(i);
        if (i == EmberParagraph)
            paragraph.prepend(QStringLiteral("炉中还有一点 Ember 的余光。"));
        if (LanternParagraphs.contains(i))
            paragraph.prepend(QStringLiteral("她提着 lantern 走过。"));
        if (i == AbcParagraph)
            paragraph.prepend(QStringLiteral("黑板上写着 abc 三个字母。"));
        if (i == SoloParagraph)
            paragraph.prepend(QStringLiteral("只有这里写着 solo。"));
        paragraphs.append(paragraph);
    }
    return paragraphs;
}

void TestSearch::initTestCase()
{
    m_noticeWatch.setInterval(5);
    connect(&m_noticeWatch, &QTimer::timeout, this, &TestSearch::recordNotice);
}

void TestSearch::init()
{
    startAfresh();
    m_window = std::make_unique<MainWindow>();
    // The bar takes room from the page, so it is shown before the book is cut into pages.
    child<QAbstractButton>(*m_window, "toggleSearchButton")->click();
    auto *loader = m_window->findChild<FileLoader *>();
    QSignalSpy loaded(loader, &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(10000));

    const QString text = bookParagraphs().join(u'\n');
    const QString path = m_dir.filePath(QStringLiteral("搜索练习.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    m_window->onBookSelectedByPath(path);
    QVERIFY(loaded.wait(10000));
    QCOMPARE(bookName(*m_window), QStringLiteral("搜索练习"));

    PageWidget *widget = pageWidget(*m_window);
    m_pages = Paginator(PageFormat{ widget->textFont(), widget->textArea().size() }).paginate(text);
    QCOMPARE(pageLabel(*m_window), label(0));
    // Each word stands on a page of its own, in this order, and none on the first page.
    const QString lantern = QStringLiteral("lantern");
    const QList<int> pages = {
        pageOf(0),
        pageOf(EmberParagraph, QStringLiteral("ember")),
        pageOf(LanternParagraphs[0], lantern),
        pageOf(AbcParagraph, QStringLiteral("abc")),
        pageOf(LanternParagraphs[1], lantern),
        pageOf(WordlessParagraph),
        pageOf(SoloParagraph, QStringLiteral("solo")),
        pageOf(LanternParagraphs[2], lantern),
    };
    QVERIFY2(std::adjacent_find(pages.begin(), pages.end(), std::greater_equal<>()) == pages.end(),
             qPrintable(QDebug::toString(pages)));
    QCOMPARE(pageOf(SoloParagraph), pageOf(SoloParagraph, QStringLiteral("solo")));
    waitForTurns(*m_window);
}

void TestSearch::cleanup()
{
    m_noticeWatch.stop();
    m_window.reset();
}

// The page that holds the text where it stands in the paragraph, or the paragraph's start
// when the paragraph does not hold it: a paragraph may run on over a page break.
int TestSearch::pageOf(int paragraph, const QString &text) const
{
    const QStringList paragraphs = bookParagraphs();
    qsizetype offset = 0;
    for (int i = 0; i < paragraph; ++i)
        offset += paragraphs.at(i).size() + 1;
    const qsizetype inParagraph =
            paragraphs.at(paragraph).indexOf(text.trimmed(), 0, Qt::CaseInsensitive);
    offset += qMax(inParagraph, qsizetype(0));
    return Paginator::pageAtOffset(m_pages, offset);
}

QString TestSearch::label(int page) const
{
    return QStringLiteral("第 %1 页/共 %2 页").arg(page + 1).arg(m_pages.size());
}

void TestSearch::goToPage(int page)
{
    for (int i = 0; i < page; ++i)
        QTest::keyClick(m_window.get(), Qt::Key_Right);
    QCOMPARE(pageLabel(*m_window), label(page));
    waitForTurns(*m_window);
}

TestSearch::Outcome TestSearch::search(const QString &text, Trigger trigger)
{
    auto *edit = child<QLineEdit>(*m_window, "searchEdit");
    edit->setText(text);
    m_outcome = {};
    m_noticeSeen = false;
    m_noticeWatch.start();
    if (trigger == Trigger::Button)
        child<QAbstractButton>(*m_window, "searchButton")->click();
    else
        QTest::keyClick(edit, Qt::Key_Return);
    m_noticeWatch.stop();
    if (!m_noticeSeen)
        m_outcome.turn = runningTurn();
    return m_outcome;
}

// The notice box is modal: the turn asked for before it runs behind it, so it is read here.
void TestSearch::recordNotice()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_noticeWatch.stop();
    m_noticeSeen = true;
    m_outcome.title = box->windowTitle();
    m_outcome.notice = box->text();
    m_outcome.turn = runningTurn();
    box->button(QMessageBox::Ok)->click();
}

// Well into a turn, the outgoing page's shaded strip lies on the side the sheet lifts from:
// the left for a forward turn, the right for a backward one. The strips are sampled in the
// top margin, where no text is drawn.
Turn TestSearch::runningTurn() const
{
    PageWidget *widget = pageWidget(*m_window);
    if (!widget->isTurning())
        return Turn::None;
    const bool underway = QTest::qWaitFor(
            [widget] { return widget->flipProgress() >= 0.2f || !widget->isTurning(); });
    if (!underway || !widget->isTurning() || widget->flipProgress() > 0.8f)
        return Turn::None;
    const QImage frame = widget->grab().toImage();
    const int left = qGray(frame.pixel(10, 10));
    const int right = qGray(frame.pixel(frame.width() - 10, 10));
    if (left == right)
        return Turn::None;
    return left < right ? Turn::Forward : Turn::Backward;
}

void TestSearch::addTriggerRows(const char *name, const std::function<void(QTestData &)> &row)
{
    row(QTest::addRow("%s, button", name) << Trigger::Button);
    row(QTest::addRow("%s, Enter", name) << Trigger::Enter);
}

void TestSearch::searchFromAPage_data()
{
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<int>("fromParagraph");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("toParagraph");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<Turn>("turn");

    const auto rows = [](const char *name, int from, const QString &text, int to,
                         const QString &notice, Turn turn) {
        addTriggerRows(name, [=](QTestData &row) { row << from << text << to << notice << turn; });
    };
    rows("on a later page", 0, QStringLiteral("abc"), AbcParagraph, QString(), Turn::Forward);
    rows("in another case", 0, QStringLiteral("ABC"), AbcParagraph, QString(), Turn::Forward);
    rows("with spaces around", 0, QStringLiteral("  aBc \t"), AbcParagraph, QString(),
         Turn::Forward);
    rows("only on an earlier page", WordlessParagraph, QStringLiteral("ember"), EmberParagraph,
         WrapNotice, Turn::Backward);
    rows("only on the current page", SoloParagraph, QStringLiteral("SOLO"), SoloParagraph,
         WrapNotice, Turn::Backward);
    rows("white space only", WordlessParagraph, QStringLiteral(" \t  "), WordlessParagraph,
         QString(), Turn::None);
    rows("nowhere", WordlessParagraph, QStringLiteral("  ember glow "), WordlessParagraph,
         QStringLiteral("未找到文本: ember glow"), Turn::None);
}

void TestSearch::searchFromAPage()
{
    QFETCH(Trigger, trigger);
    QFETCH(int, fromParagraph);
    QFETCH(QString, text);
    QFETCH(int, toParagraph);
    QFETCH(QString, notice);
    QFETCH(Turn, turn);

    goToPage(pageOf(fromParagraph));
    const Outcome outcome = search(text, trigger);

    QCOMPARE(outcome.notice, notice);
    if (!notice.isEmpty())
        QCOMPARE(outcome.title, QStringLiteral("搜索"));
    QCOMPARE(outcome.turn, turn);
    QCOMPARE(pageLabel(*m_window), label(pageOf(toParagraph, text)));
    waitForTurns(*m_window);
    QCOMPARE(pageWidget(*m_window)->restingPage(), pageOf(toParagraph, text));
}

void TestSearch::repeatedSearchVisitsEveryHitThenWraps_data()
{
    QTest::addColumn<Trigger>("trigger");

    addTriggerRows("lantern", [](QTestData &) {});
}

void TestSearch::repeatedSearchVisitsEveryHitThenWraps()
{
    QFETCH(Trigger, trigger);

    for (int paragraph : LanternParagraphs) {
        const Outcome outcome = search(QStringLiteral("Lantern"), trigger);
        QCOMPARE(outcome.notice, QString());
        QCOMPARE(outcome.turn, Turn::Forward);
        QCOMPARE(pageLabel(*m_window), label(pageOf(paragraph, QStringLiteral("lantern"))));
        waitForTurns(*m_window);
    }

    const Outcome outcome = search(QStringLiteral("Lantern"), trigger);
    QCOMPARE(outcome.notice, WrapNotice);
    QCOMPARE(outcome.turn, Turn::Backward);
    const int firstHit = pageOf(LanternParagraphs.first(), QStringLiteral("lantern"));
    QCOMPARE(pageLabel(*m_window), label(firstHit));
    waitForTurns(*m_window);
    QCOMPARE(pageWidget(*m_window)->restingPage(), firstHit);
}

// The highlight sits on the page the search turned to, behind the word, inside the text area.
void TestSearch::theMatchIsHighlighted()
{
    QVERIFY(pageWidget(*m_window)->highlightRects().isEmpty());
    search(QStringLiteral("ABC"), Trigger::Enter);
    waitForTurns(*m_window);
    PageWidget *widget = pageWidget(*m_window);
    const QList<QRectF> rects = widget->highlightRects();
    QCOMPARE(rects.size(), 1);
    QVERIFY(QRectF(widget->textArea()).contains(rects.first()));
    const QImage page = widget->grab().toImage();
    const QPoint inside = rects.first().toRect().topLeft() + QPoint(1, 1);
    QVERIFY(page.pixelColor(inside) != page.pixelColor(widget->textArea().topRight() + QPoint(5, 0)));

    // A search that finds nothing leaves nothing marked.
    search(QStringLiteral("ember glow"), Trigger::Enter);
    QVERIFY(widget->highlightRects().isEmpty());
}

// F3 goes on from the match on show, also to a later match on the same page; Shift+F3 goes
// back the same way; both wrap at the ends without a dialog.
void TestSearch::keysStepThroughMatchesOnTheSamePageAndWrapQuietly()
{
    const QString word = QStringLiteral("lantern");
    QString text = QStringLiteral("甲 lantern 乙，又一盏 LANTERN 丙。\n");
    for (int p = 0; p < 80; ++p)
        text += QStringLiteral("第%1段。月光照在安静的小路上，风从山谷里吹来，树叶轻轻作响。\n").arg(p);
    text += QStringLiteral("最后一盏 Lantern。\n");
    const QString path = m_dir.filePath(QStringLiteral("灯.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->onBookSelectedByPath(path);
    QVERIFY(loaded.wait(10000));
    waitForTurns(*m_window);

    const qsizetype first = text.indexOf(word, 0, Qt::CaseInsensitive);
    const qsizetype second = text.indexOf(word, first + 1, Qt::CaseInsensitive);
    const qsizetype last = text.lastIndexOf(word, -1, Qt::CaseInsensitive);
    child<QLineEdit>(*m_window, "searchEdit")->setText(word);
    auto *session = m_window->findChild<ReadingSession *>();
    QSignalSpy wrapped(session, &ReadingSession::searchWrapped);
    const auto press = [this](QKeyCombination key) {
        m_noticeSeen = false;
        m_noticeWatch.start();
        QTest::keyClick(m_window.get(), key.key(), key.keyboardModifiers());
        QTest::qWait(20);
        m_noticeWatch.stop();
        QVERIFY(!m_noticeSeen);
    };

    // The first search starts after the page on show, as the search bar's does.
    const QList<std::tuple<QKeyCombination, qsizetype, int>> steps = {
        { Qt::Key_F3, last, 0 },          { Qt::Key_F3, first, 1 },
        { Qt::Key_F3, second, 1 },        { Qt::Key_F3, last, 1 },
        { Qt::SHIFT | Qt::Key_F3, second, 1 }, { Qt::SHIFT | Qt::Key_F3, first, 1 },
        { Qt::SHIFT | Qt::Key_F3, last, 2 },
    };
    for (const auto &[key, match, wraps] : steps) {
        press(key);
        QCOMPARE(session->matchStart(), match);
        QCOMPARE(wrapped.count(), wraps);
        QCOMPARE(session->pages()[session->page()].contains(QStringView(text).sliced(match, word.size())), true);
        waitForTurns(*m_window);
    }
}

void TestSearch::allResultsListEveryMatchAndOpenOne()
{
    child<QLineEdit>(*m_window, "searchEdit")->setText(QStringLiteral("LANTERN"));
    auto *list = m_window->findChild<SearchResultsList *>();
    QSignalSpy finished(list, &SearchResultsList::searchFinished);
    child<QAbstractButton>(*m_window, "allResultsButton")->click();
    QVERIFY(finished.wait(10000));
    QCOMPARE(child<QStackedWidget>(*m_window, "stackedWidget")->currentWidget(), list);

    const std::vector<SearchResult> &results = list->results();
    QCOMPARE(int(results.size()), LanternParagraphs.size());
    QCOMPARE(list->status(), QStringLiteral("“LANTERN”共找到 3 处"));
    for (int i = 0; i < LanternParagraphs.size(); ++i) {
        QCOMPARE(results[i].page, pageOf(LanternParagraphs[i], QStringLiteral("lantern")));
        QCOMPARE(results[i].snippet.mid(results[i].snippetMatch, 7), QStringLiteral("lantern"));
    }

    auto *view = list->findChild<QListView *>();
    const QModelIndex second = view->model()->index(1, 0);
    QVERIFY(view->model()->data(second).toString().startsWith(QStringLiteral("第 %1 页").arg(results[1].page + 1)));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(second).center());
    QCOMPARE(child<QStackedWidget>(*m_window, "stackedWidget")->currentIndex(), 0);
    auto *session = m_window->findChild<ReadingSession *>();
    QCOMPARE(session->page(), results[1].page);
    QCOMPARE(session->matchStart(), results[1].offset);
    QCOMPARE(pageWidget(*m_window)->highlightRects().size(), 1);
}

void TestSearch::resultsOfABookStillBeingCutSaySo()
{
    SearchResultsList list;
    QSignalSpy finished(&list, &SearchResultsList::searchFinished);
    list.search(m_pages, {}, QStringLiteral("lantern"), false);
    QVERIFY(finished.wait(10000));
    QCOMPARE(int(list.results().size()), LanternParagraphs.size());
    QCOMPARE(list.status(), QStringLiteral("“lantern”共找到 3 处\n书还在分页，只查找了已分好的 %1 页。").arg(m_pages.size()));
}

void TestSearch::shiftEnterInTheBarFindsThePreviousMatch()
{
    goToPage(pageOf(WordlessParagraph));
    auto *edit = child<QLineEdit>(*m_window, "searchEdit");
    edit->setText(QStringLiteral("lantern"));
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(pageLabel(*m_window), label(pageOf(LanternParagraphs[1], QStringLiteral("lantern"))));
    waitForTurns(*m_window);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(pageLabel(*m_window), label(pageOf(LanternParagraphs[0], QStringLiteral("lantern"))));
}

LEXORIN_TEST_MAIN(TestSearch)
#include "tst_search.moc"
