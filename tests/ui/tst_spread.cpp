#include "fileloader.h"
#include "mainmenu.h"
#include "paginator.h"
#include "readingsession.h"
#include "searchresultslist.h"
#include "spreadcurl.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace WindowDriver;

namespace {

const QString SpreadItem = QStringLiteral("宽窗口双页");
const QSize WideWindow(1400, 800);
const QSize NarrowWindow(700, 800);

}

// Two pages side by side on a wide window, like an open book: which windows show them, what
// they show, how they turn, and that the reader's place holds whichever way the window goes.
class TestSpread : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twoPagesFitOnlyAWideEnoughArea_data();
    void twoPagesFitOnlyAWideEnoughArea();
    void aWideWindowShowsTwoConsecutivePages();
    void pagesTurnByTwo();
    void aTurnSwingsOneSheetAboutTheSpine_data();
    void aTurnSwingsOneSheetAboutTheSpine();
    void aMatchOnEitherPageIsMarked_data();
    void aMatchOnEitherPageIsMarked();
    void thePlaceHoldsThroughTogglingAndResizing();
    void aNarrowWindowFallsBackToOnePage();
    void thePreferencesSwitchIsTheMenuSwitch();

private:
    // A book of numbered paragraphs, each of as many sentences as asked for.
    void openWindow(const QSize &size, int sentences = 1);
    void waitForCut();
    ReadingSession *session() const { return m_window->findChild<ReadingSession *>(); }
    QAction *spreadItem() const;
    bool holdsPlace(qsizetype place) const;
    int inkedColumns(const QRect &area) const;
    static bool sameColumns(const QImage &one, const QImage &other, int from, int to);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestSpread::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestSpread::cleanup()
{
    m_window.reset();
    m_dir.reset();
}

void TestSpread::openWindow(const QSize &size, int sentences)
{
    const QString path = m_dir->filePath(QStringLiteral("远山.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int p = 0; p < 1200; ++p) {
        QString paragraph = QStringLiteral("　　");
        for (int s = 0; s < sentences; ++s)
            paragraph += QStringLiteral("第%1段%2，山路绕过三道弯，雾从谷底慢慢升起，挑夫的歌声时远时近。")
                                 .arg(p, 4, 10, QLatin1Char('0'))
                                 .arg(s == 0 ? QString() : QString::number(s));
        file.write((paragraph + u'\n').toUtf8());
    }
    file.close();
    m_window = std::make_unique<MainWindow>();
    m_window->openAtStart(path);
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(loaded.wait(20000));
    m_window->resize(size);
    waitForCut();
}

// Cut whole for the page area now on show, and at rest.
void TestSpread::waitForCut()
{
    QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading && session()->isComplete()
                                     && session()->pagesFormat().textArea
                                             == pageWidget(*m_window)->textArea().size(),
                             20000);
    waitForTurns(*m_window);
}

QAction *TestSpread::spreadItem() const
{
    for (QAction *action : m_window->findChild<MainMenu *>()->actions()) {
        if (action->text() == SpreadItem)
            return action;
    }
    return nullptr;
}

bool TestSpread::holdsPlace(qsizetype place) const
{
    const ReadingSession *reading = session();
    const qsizetype start = Paginator::offsetOfPage(reading->pages(), reading->page());
    return start <= place && place < start + reading->pages().at(reading->page()).size();
}

// How many pixel columns of an area of the shown page carry text.
int TestSpread::inkedColumns(const QRect &area) const
{
    PageWidget *widget = pageWidget(*m_window);
    const QImage page = widget->grab().toImage();
    const QRgb ground = widget->backgroundColor().rgb();
    int inked = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (qGray(page.pixel(x, y)) < qGray(ground) - 80) {
                ++inked;
                break;
            }
        }
    }
    return inked;
}

// Whether two images agree in every pixel of the columns from one x up to another.
bool TestSpread::sameColumns(const QImage &one, const QImage &other, int from, int to)
{
    const QRect columns(from, 0, to - from, one.height());
    return one.copy(columns) == other.copy(columns);
}

void TestSpread::twoPagesFitOnlyAWideEnoughArea_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<bool>("fits");

    QTest::newRow("first-start window") << QSize(600, 640) << false;
    QTest::newRow("laptop screen, maximised") << QSize(1340, 640) << true;
    QTest::newRow("wide but pages too narrow") << QSize(839, 400) << false;
    QTest::newRow("just wide enough pages") << QSize(840, 400) << true;
    QTest::newRow("tall and wide") << QSize(1000, 800) << false;
    QTest::newRow("at the proportion") << QSize(1040, 800) << true;
}

void TestSpread::twoPagesFitOnlyAWideEnoughArea()
{
    QFETCH(QSize, area);
    QFETCH(bool, fits);
    QCOMPARE(PageWidget::fitsSpread(area), fits);
}

void TestSpread::aWideWindowShowsTwoConsecutivePages()
{
    openWindow(WideWindow);
    PageWidget *widget = pageWidget(*m_window);
    QVERIFY(!widget->showsSpread());
    spreadItem()->trigger();
    QVERIFY(widget->showsSpread());
    waitForCut();
    QCOMPARE(store().value(QStringLiteral("spread")).toBool(), true);

    // Each page is cut for one column of the open book.
    QCOMPARE(widget->textArea().width(), widget->width() / 2 - 2 * PageWidget::TextMargin);
    QCOMPARE(pageLabel(*m_window).left(9), QStringLiteral("第 1–2 页/共"));

    const QRect left = widget->textArea();
    const QRect right = left.translated(widget->width() / 2, 0);
    QVERIFY(inkedColumns(left) > left.width() / 2);
    QVERIFY(inkedColumns(right) > right.width() / 2);
    // Between the columns lies the gutter.
    QCOMPARE(inkedColumns(QRect(left.right() + 1, left.top(), right.left() - left.right() - 1, left.height())),
             0);
}

void TestSpread::pagesTurnByTwo()
{
    openWindow(WideWindow);
    spreadItem()->trigger();
    waitForCut();
    ReadingSession *reading = session();
    QCOMPARE(reading->page(), 0);

    QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    QCOMPARE(reading->page(), 2);
    QCOMPARE(pageWidget(*m_window)->restingPage(), 2);
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    QTest::keyClick(m_window.get(), Qt::Key_Left);
    waitForTurns(*m_window);
    QCOMPARE(reading->page(), 2);

    // The last pair on show: a turn forward has no page to show that is not on show already.
    QTest::keyClick(m_window.get(), Qt::Key_End);
    waitForTurns(*m_window);
    const int last = int(reading->pages().size()) - 1;
    QCOMPARE(reading->page(), last);
    QTest::keyClick(m_window.get(), Qt::Key_Left);
    waitForTurns(*m_window);
    QCOMPARE(reading->page(), last - 2);
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    QCOMPARE(reading->page(), last);
    reading->goTo(last - 1);
    waitForTurns(*m_window);
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    QCOMPARE(reading->page(), last - 1);
}

void TestSpread::aTurnSwingsOneSheetAboutTheSpine_data()
{
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    QTest::newRow("forward") << true << 2 << 4;
    QTest::newRow("back") << false << 4 << 2;
}

// Forward the right page rises and comes down on the left, uncovering the next spread's right
// page; the left page lies still until the sheet reaches it. A turn back mirrors that.
void TestSpread::aTurnSwingsOneSheetAboutTheSpine()
{
    QFETCH(bool, forward);
    QFETCH(int, from);
    QFETCH(int, to);
    openWindow(WideWindow);
    spreadItem()->trigger();
    waitForCut();
    ReadingSession *reading = session();
    reading->goTo(from);
    waitForTurns(*m_window);
    PageWidget *widget = pageWidget(*m_window);
    const QImage before = widget->grab().toImage();
    const int spine = widget->width() / 2;
    const int width = widget->width();

    QTest::keyClick(m_window.get(), forward ? Qt::Key_Right : Qt::Key_Left);
    QVERIFY(widget->isTurning());
    const QList<float> steps{ 0.1f, 0.3f, 0.45f, 0.55f, 0.7f, 0.9f };
    QList<QImage> frames;
    for (float progress : steps) {
        widget->setFlipProgress(progress);
        frames.append(widget->grab().toImage());
    }
    waitForTurns(*m_window);
    QCOMPARE(reading->page(), to);
    QCOMPARE(widget->restingPage(), to);
    const QImage after = widget->grab().toImage();
    QVERIFY(!sameColumns(before, after, 0, spine));
    QVERIFY(!sameColumns(before, after, spine, width));

    for (int i = 0; i < steps.size(); ++i) {
        const SpreadCurl curl(widget->size(), steps[i], forward);
        const QRectF shaded = curl.sheetOutline().boundingRect().united(curl.castShadowOutline().boundingRect());
        const QImage &frame = frames[i];
        // The half the sheet has not reached shows the page that lay there before the turn,
        // the half it has left the page that lies there after it.
        const bool onRight = forward != curl.showsBack();
        const int shadedLeft = int(std::floor(shaded.left()));
        const int shadedRight = int(std::ceil(shaded.right()));
        QVERIFY2(onRight ? shadedLeft >= spine - 1 : shadedRight <= spine + 1, qPrintable(QString::number(i)));
        if (forward) {
            QVERIFY(sameColumns(frame, before, 0, qMin(shadedLeft, spine)));
            if (!curl.showsBack())
                QVERIFY(sameColumns(frame, after, shadedRight, width));
            else
                QVERIFY(sameColumns(frame, after, spine, width));
        } else {
            QVERIFY(sameColumns(frame, before, qMax(shadedRight, spine), width));
            if (!curl.showsBack())
                QVERIFY(sameColumns(frame, after, 0, shadedLeft));
            else
                QVERIFY(sameColumns(frame, after, 0, spine));
        }
        // The sheet shows its face while it rises and its back, the next page, as it comes
        // down: that half differs from both pages at rest.
        QVERIFY(!sameColumns(frame, curl.showsBack() ? after : before, shadedLeft, shadedRight));
    }
}

void TestSpread::aMatchOnEitherPageIsMarked_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("onPage");
    QTest::addColumn<bool>("overTheBreak");

    QTest::newRow("next, right page") << "next" << 2 << 3 << false;
    QTest::newRow("next, left page of a later spread") << "next" << 0 << 2 << false;
    QTest::newRow("next, right page of a later spread") << "next" << 2 << 7 << false;
    QTest::newRow("next, over the break between the pages") << "next" << 0 << 2 << true;
    QTest::newRow("next, over the break to the next spread") << "next" << 2 << 3 << true;
    QTest::newRow("previous, right page") << "previous" << 10 << 7 << false;
    QTest::newRow("previous, left page") << "previous" << 10 << 6 << false;
    QTest::newRow("previous, over the break between the pages") << "previous" << 10 << 6 << true;
    QTest::newRow("previous, over the break to the next spread") << "previous" << 10 << 3 << true;
    QTest::newRow("list, right page on show") << "list" << 2 << 3 << false;
    QTest::newRow("list, right page of a later spread") << "list" << 2 << 9 << false;
    QTest::newRow("list, left page of a later spread") << "list" << 2 << 8 << false;
    QTest::newRow("list, over the break between the pages") << "list" << 2 << 10 << true;
    QTest::newRow("list, over the break to the next spread") << "list" << 2 << 9 << true;
}

// Found by the search bar either way or chosen from the list of all results, a match is
// marked on whichever page of the spread shows it, also when it runs over a page's end. A
// match on show is not turned to, and a turn to one keeps the pages paired as they were.
void TestSpread::aMatchOnEitherPageIsMarked()
{
    QFETCH(QString, how);
    QFETCH(int, from);
    QFETCH(int, onPage);
    QFETCH(bool, overTheBreak);
    store().setValue(QStringLiteral("layout"), QStringLiteral("book"));
    openWindow(WideWindow, 8);
    spreadItem()->trigger();
    // The search bar takes its room from the page area before the pages are looked at.
    child<QAbstractButton>(*m_window, "toggleSearchButton")->click();
    waitForCut();
    ReadingSession *reading = session();
    PageWidget *widget = pageWidget(*m_window);
    reading->goTo(from);
    waitForTurns(*m_window);
    QCOMPARE(reading->page(), from);

    // Forty characters of one paragraph, half of them on each side of the page's end or in
    // the page's middle; long enough to occur once.
    const QString text = reading->pages().text().toString();
    const qsizetype pageStart = Paginator::offsetOfPage(reading->pages(), onPage);
    const qsizetype pageEnd = pageStart + reading->pages().at(onPage).size();
    const qsizetype around = overTheBreak ? pageEnd : (pageStart + pageEnd) / 2;
    qsizetype start = around - 20;
    const auto plain = [&text](qsizetype at) {
        const QString word = text.mid(at, 40);
        return !word.contains(u'\n') && !word.contains(QChar(0x3000));
    };
    while (start < around - 1 && !plain(start))
        ++start;
    const QString word = text.mid(start, 40);
    QVERIFY2(plain(start) && text.indexOf(word) == start && text.lastIndexOf(word) == start, qPrintable(word));

    auto *edit = child<QLineEdit>(*m_window, "searchEdit");
    edit->setText(word);
    if (how == QStringLiteral("list")) {
        auto *list = m_window->findChild<SearchResultsList *>();
        QSignalSpy finished(list, &SearchResultsList::searchFinished);
        child<QAbstractButton>(*m_window, "allResultsButton")->click();
        QVERIFY(finished.wait(10000));
        QCOMPARE(int(list->results().size()), 1);
        auto *view = list->findChild<QListView *>();
        const QModelIndex first = view->model()->index(0, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(first).center());
    } else {
        QTest::keyClick(edit, Qt::Key_Return, how == QStringLiteral("previous") ? Qt::ShiftModifier : Qt::NoModifier);
    }
    waitForTurns(*m_window);
    QCOMPARE(reading->matchStart(), start);
    const int left = reading->page();
    QCOMPARE(left, onPage - qAbs(onPage - from) % 2);
    const QRect leftArea = widget->textArea();
    const QRect rightArea = leftArea.translated(widget->width() / 2, 0);
    const QList<QRectF> onLeft = widget->highlightRects(left);
    const QList<QRectF> onRight = widget->highlightRects(left + 1);
    QCOMPARE(!onLeft.isEmpty(), onPage == left);
    QCOMPARE(!onRight.isEmpty(), onPage == left + 1 || overTheBreak);
    for (const QRectF &rect : onLeft)
        QVERIFY(QRectF(leftArea).contains(rect.center()));
    for (const QRectF &rect : onRight)
        QVERIFY(QRectF(rightArea).contains(rect.center()));
    // The mark is drawn where it is said to be.
    const QImage page = widget->grab().toImage();
    for (const QRectF &rect : onLeft + onRight) {
        const QColor marked = page.pixelColor(rect.toRect().topLeft() + QPoint(1, 1));
        QVERIFY(marked != widget->backgroundColor());
    }
}

void TestSpread::thePlaceHoldsThroughTogglingAndResizing()
{
    openWindow(WideWindow);
    for (int turn = 0; turn < 9; ++turn)
        QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    const qsizetype place = session()->place();
    QVERIFY(place > 0);

    spreadItem()->trigger();
    waitForCut();
    QVERIFY(holdsPlace(place));

    m_window->resize(WideWindow + QSize(260, -120));
    waitForCut();
    QVERIFY(pageWidget(*m_window)->showsSpread());
    QVERIFY(holdsPlace(place));

    spreadItem()->trigger();
    waitForCut();
    QVERIFY(!pageWidget(*m_window)->showsSpread());
    QVERIFY(holdsPlace(place));
    QCOMPARE(session()->place(), place);
}

void TestSpread::aNarrowWindowFallsBackToOnePage()
{
    openWindow(WideWindow);
    spreadItem()->trigger();
    waitForCut();
    PageWidget *widget = pageWidget(*m_window);
    QVERIFY(widget->showsSpread());

    m_window->resize(NarrowWindow);
    waitForCut();
    QVERIFY(!widget->showsSpread());
    QCOMPARE(widget->textArea(), widget->rect().adjusted(30, 30, -30, -30));
    QVERIFY(!pageLabel(*m_window).contains(QChar(u'–')));
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    waitForTurns(*m_window);
    QCOMPARE(session()->page(), 1);
    // The switch stays on: widened again, the window shows two pages.
    QVERIFY(spreadItem()->isChecked());

    m_window->resize(WideWindow);
    waitForCut();
    QVERIFY(widget->showsSpread());
}

void TestSpread::thePreferencesSwitchIsTheMenuSwitch()
{
    openWindow(WideWindow);
    bool checked = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        QVERIFY(dialog);
        auto *box = dialog->findChild<QCheckBox *>(QStringLiteral("spreadBox"));
        QVERIFY(box);
        QVERIFY(!box->isChecked());
        box->setChecked(true);
        QVERIFY(pageWidget(*m_window)->showsSpread());
        QVERIFY(spreadItem()->isChecked());
        checked = true;
        dialog->reject();
    });
    for (QAction *action : m_window->findChild<MainMenu *>()->actions()) {
        if (action->text() == QStringLiteral("偏好设置…"))
            action->trigger();
    }
    QVERIFY(checked);
    QCOMPARE(store().value(QStringLiteral("spread")).toBool(), true);
}

LEXORIN_TEST_MAIN(TestSpread)
#include "tst_spread.moc"
