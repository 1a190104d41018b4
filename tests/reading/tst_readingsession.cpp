#include "fileloader.h"
#include "readingsession.h"
#include "testmain.h"

#include <QSignalSpy>

// The session is driven through orders of events as a window would send them. Whatever the
// order, once the loader is done the pages on show were cut for the current format and hold
// the reader's place.
class TestReadingSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aBookReopenedAtAKeptPlaceGetsExactPageNumbers_data();
    void aBookReopenedAtAKeptPlaceGetsExactPageNumbers();
    void pageNumbersAreEstimatedUntilTheCutFromTheStartReachesThePlace();
    void turningBackFromAReopenedPlaceShowsTheTextBeforeItAtOnce_data();
    void turningBackFromAReopenedPlaceShowsTheTextBeforeItAtOnce();
    void aPageAskedForByItsEstimatedNumberIsThatPageOfTheWholeCut_data();
    void aPageAskedForByItsEstimatedNumberIsThatPageOfTheWholeCut();
    void aMoveDuringACutLandsWhereAsked_data();
    void aMoveDuringACutLandsWhereAsked();
    void aPageNumberOfferedBeforeARecutEndsMeansThePageItNamed();
    void settlesOnPagesOfTheCurrentFormat_data();
    void settlesOnPagesOfTheCurrentFormat();
    void stepsDuringARecutAreKept();
    void twoPagesShownTurnAndStandInTogether();
    void searchGoesOnIntoPagesStillBeingCut();
    void aMatchOverAPageBreakShowsThePageItStartsOn_data();
    void aMatchOverAPageBreakShowsThePageItStartsOn();
    void closeLeavesNothingOnShow();
    void chaptersAreFoundWithTheFirstPages();
    void stepsThroughChaptersByPage_data();
    void stepsThroughChaptersByPage();
    void aPageIsNamedByItsFirstHeading();
    void chaptersSurviveARecut();
    void chapterAskedForDuringARecutIsKept();
    void aMoveBeyondThePagesCutIsKept_data();
    void aMoveBeyondThePagesCutIsKept();
    void placesAndPagesAskedForDuringARecutKeepTheirMeaning();
    void theTextLengthIsTheWholeBooksWhileItIsCut();
    void aFailureIsToldAfterTheLoadersHandlerReturns();
    void opensAtThePageHoldingAPlace_data();
    void opensAtThePageHoldingAPlace();
    void opensInAChosenEncoding();
    void layoutChangesKeepTheReadersPlace_data();
    void layoutChangesKeepTheReadersPlace();
    void switchingToTheBookLayoutJoinsLinesInPlace();
    void aChapterRuleChosenForTheBookKeepsThePlace();

private:
    // A place deep in the big book, a page's start of its whole cut, with the line start the
    // library would keep beside it.
    struct KeptPlace
    {
        PagedText whole;
        int page;
        qsizetype place;
        TextAnchor anchor;
    };
    KeptPlace keptPlace(double share);
    void openAt(ReadingSession &session, const KeptPlace &kept);

    void run(ReadingSession &session, const QStringList &events);
    void settle(ReadingSession &session);
    void verifyConsistent(const ReadingSession &session);

    QTemporaryDir m_dir;
    QString m_small;
    QString m_other;
    QString m_big;
    QString m_empty;
    QString m_chaptered;
    QString m_bigChaptered;
};

namespace {

const QFont Font14(QStringLiteral("Microsoft YaHei"), 14);
const QFont Font20(QStringLiteral("Microsoft YaHei"), 20);
const PageFormat Narrow{ Font14, QSize(480, 530) };
const PageFormat Zoomed{ Font20, QSize(480, 530) };
const PageFormat Wide{ Font14, QSize(900, 700) };
const QString LastLine = QStringLiteral("这是全书最后一行，独一无二。");

QString novel(int paragraphs, const QString &word)
{
    QString text;
    for (int p = 0; p < paragraphs; ++p)
        text += QStringLiteral("　　%1第%2段，风从海上来，灯在塔上亮，夜里的船一只只回到港口。\n")
                        .arg(word)
                        .arg(p);
    return text;
}

QString write(const QTemporaryDir &dir, const QString &name, const QString &text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text.toUtf8());
    return path;
}

const PageFormat RunningOn{ Font14, QSize(480, 530), false };
const PageFormat ZoomedOut{ QFont(QStringLiteral("Microsoft YaHei"), 12), QSize(480, 530) };
const PageFormat ZoomedOutTwice{ QFont(QStringLiteral("Microsoft YaHei"), 10), QSize(480, 530) };
const PageFormat SearchBarShown{ Font14, QSize(480, 490) };
constexpr int ChapterCount = 24;

// Two volumes of chapters; every third chapter is short enough to share a page with the next
// heading when chapters run on.
QString chapteredNovel()
{
    QString text = QStringLiteral("海边的书\n\n");
    for (int c = 1; c <= ChapterCount; ++c) {
        if (c == 1 || c == ChapterCount / 2 + 1)
            text += QStringLiteral("第%1卷 潮汐\n").arg(c == 1 ? 1 : 2);
        text += QStringLiteral("第%1章 灯塔%1\n").arg(c);
        text += novel(c % 3 == 0 ? 2 : 25, QStringLiteral("章%1").arg(c));
    }
    return text;
}

bool sameFormat(const PageFormat &a, const PageFormat &b)
{
    return a.font == b.font && a.textArea == b.textArea && a.chaptersStartPages == b.chaptersStartPages;
}

}

void TestReadingSession::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_small = write(m_dir, QStringLiteral("small.txt"), novel(600, QStringLiteral("灯塔")));
    m_other = write(m_dir, QStringLiteral("other.txt"), novel(300, QStringLiteral("渔船")));
    // Long enough to be cut in several waves.
    m_big = write(m_dir, QStringLiteral("big.txt"), novel(120000, QStringLiteral("长夜")) + LastLine);
    m_empty = write(m_dir, QStringLiteral("empty.txt"), QString());
    m_chaptered = write(m_dir, QStringLiteral("chaptered.txt"), chapteredNovel());
    // Chapters far longer than the first pages cut.
    QString longChapters;
    for (int c = 1; c <= 6; ++c)
        longChapters += QStringLiteral("第%1章 长夜%1\n").arg(c) + novel(4000, QStringLiteral("章%1").arg(c));
    m_bigChaptered = write(m_dir, QStringLiteral("bigChaptered.txt"), longChapters + LastLine);
}

// Reopened at a kept place, a large book shows the page there before its page number is
// known; once the pages from the start reach it, the number is exact, and the pages are the
// whole book's. A move asked for meanwhile that needs the page numbers waits for them.
void TestReadingSession::aBookReopenedAtAKeptPlaceGetsExactPageNumbers_data()
{
    QTest::addColumn<QString>("move");
    QTest::newRow("none") << QString();
    QTest::newRow("first page") << "first";
    QTest::newRow("a page before the place") << "previous";
    QTest::newRow("a place before the page") << "place";
}

void TestReadingSession::aBookReopenedAtAKeptPlaceGetsExactPageNumbers()
{
    QFETCH(QString, move);
    PagedText whole;
    std::vector<TextAnchor> anchors;
    {
        ReadingSession first;
        first.setFormat(Narrow);
        QSignalSpy anchorsFound(first.loader(), &FileLoader::anchorsFound);
        first.open(m_big);
        settle(first);
        whole = first.pages();
        QVERIFY(!anchorsFound.isEmpty());
        anchors = anchorsFound.first().at(1).value<std::vector<TextAnchor>>();
    }
    const int page = int(whole.size() * 3 / 4);
    const qsizetype place = Paginator::offsetOfPage(whole, page);
    TextAnchor anchor;
    for (const TextAnchor &candidate : anchors) {
        if (candidate.place <= place)
            anchor = candidate;
    }

    ReadingSession session;
    session.setFormat(Narrow);
    QSignalSpy shown(&session, &ReadingSession::bookShown);
    session.open(m_big, place, {}, anchor, BookFingerprint::ofFile(m_big));
    QVERIFY(shown.wait(20000));
    QVERIFY(!session.isPageNumberKnown());
    QCOMPARE(session.place(), place);
    QCOMPARE(session.pages()[size_t(session.page())], whole[size_t(page)]);

    int expected = page;
    if (move == QLatin1String("first")) {
        session.first();
        expected = 0;
    } else if (move == QLatin1String("previous")) {
        session.previous();
        expected = page - 1;
    } else if (move == QLatin1String("place")) {
        session.goToPlace(10);
        expected = 0;
    }
    QTRY_VERIFY_WITH_TIMEOUT(session.isPageNumberKnown(), 20000);
    settle(session);
    verifyConsistent(session);
    QCOMPARE(session.pages(), whole);
    QCOMPARE(session.page(), expected);
    QCOMPARE(session.pageNumber(), expected + 1);
}

TestReadingSession::KeptPlace TestReadingSession::keptPlace(double share)
{
    KeptPlace kept;
    ReadingSession first;
    first.setFormat(Narrow);
    QSignalSpy anchorsFound(first.loader(), &FileLoader::anchorsFound);
    first.open(m_big);
    settle(first);
    kept.whole = first.pages();
    kept.page = int(kept.whole.size() * share);
    kept.place = kept.whole.startOf(kept.page);
    if (anchorsFound.isEmpty())
        return kept;
    for (const TextAnchor &candidate : anchorsFound.first().at(1).value<std::vector<TextAnchor>>()) {
        if (candidate.place <= kept.place)
            kept.anchor = candidate;
    }
    return kept;
}

void TestReadingSession::openAt(ReadingSession &session, const KeptPlace &kept)
{
    session.setFormat(Narrow);
    QSignalSpy shown(&session, &ReadingSession::bookShown);
    session.open(m_big, kept.place, {}, kept.anchor, BookFingerprint::ofFile(m_big));
    QVERIFY(shown.wait(20000));
    QVERIFY(!session.isPageNumberKnown());
    QCOMPARE(session.place(), kept.place);
}

// While only the pages around the place are cut, the label's number and count are estimates,
// told as such; once the cut from the start reaches the place the number is exact, and it is
// the whole cut's.
void TestReadingSession::pageNumbersAreEstimatedUntilTheCutFromTheStartReachesThePlace()
{
    const KeptPlace kept = keptPlace(0.75);
    QVERIFY(kept.anchor.isValid());
    ReadingSession session;
    openAt(session, kept);
    QVERIFY(session.pageNumbers().estimated);
    const int exact = kept.page + 1;
    QVERIFY2(qAbs(session.pageNumber() - exact) <= exact / 10,
             qPrintable(QStringLiteral("%1 for %2").arg(session.pageNumber()).arg(exact)));
    QVERIFY(session.pageCount() > session.pageNumber());
    // The progress is reckoned against the whole text's length, estimated until it is decoded.
    QVERIFY(qAbs(session.textLength() - kept.whole.length()) < kept.whole.length() / 20);
    QVERIFY(qAbs(session.pageCount() - kept.whole.size()) <= kept.whole.size() / 10);

    QTRY_VERIFY_WITH_TIMEOUT(session.isPageNumberKnown(), 20000);
    QVERIFY(!session.pageNumbers().estimated);
    QCOMPARE(session.pageNumber(), exact);
    settle(session);
    QCOMPARE(session.pages(), kept.whole);
    QCOMPARE(session.pageNumber(), exact);
    QCOMPARE(session.pageCount(), kept.whole.size());
}

// Turning back from a place deep in a book does not wait for the cut from the start: pages cut
// back from the place hold the text just before it. Once the whole cut reaches them the reader
// is on its page holding that text, and the pages are the whole book's.
void TestReadingSession::turningBackFromAReopenedPlaceShowsTheTextBeforeItAtOnce_data()
{
    QTest::addColumn<int>("turns");
    QTest::newRow("one page") << 1;
    QTest::newRow("two pages") << 2;
    QTest::newRow("past the pages cut back") << 6;
}

void TestReadingSession::turningBackFromAReopenedPlaceShowsTheTextBeforeItAtOnce()
{
    QFETCH(int, turns);
    const KeptPlace kept = keptPlace(0.75);
    QVERIFY(kept.anchor.isValid());
    ReadingSession session;
    openAt(session, kept);
    const QStringView whole = kept.whole.text();

    session.previous();
    QVERIFY(!session.isPageNumberKnown());
    QVERIFY(session.place() < kept.place);
    const QStringView shown = session.pages().page(session.page());
    QCOMPARE(session.place() + shown.size(), kept.place);
    QCOMPARE(shown, whole.sliced(session.place(), shown.size()));
    for (int turn = 1; turn < turns; ++turn)
        session.previous();

    settle(session);
    verifyConsistent(session);
    QCOMPARE(session.pages(), kept.whole);
    QCOMPARE(session.page(), kept.page - turns);
    QCOMPARE(session.place(), kept.whole.startOf(kept.page - turns));
}

// A page number chosen while the numbers are estimates is the page of the whole book's cut
// with that number, also one not cut yet when the numbers become exact.
void TestReadingSession::aPageAskedForByItsEstimatedNumberIsThatPageOfTheWholeCut_data()
{
    QTest::addColumn<int>("pagesFromPlace");
    QTest::newRow("before the place") << -40;
    QTest::newRow("well after the place") << 400;
}

void TestReadingSession::aPageAskedForByItsEstimatedNumberIsThatPageOfTheWholeCut()
{
    QFETCH(int, pagesFromPlace);
    const KeptPlace kept = keptPlace(0.5);
    ReadingSession session;
    openAt(session, kept);
    const ReadingSession::PageNumbers numbers = session.pageNumbers();
    QVERIFY(numbers.estimated);
    session.goTo(numbers, kept.page + pagesFromPlace);
    settle(session);
    verifyConsistent(session);
    QCOMPARE(session.page(), kept.page + pagesFromPlace);
}

// Asked for while the book is still cut from its start, or cut anew for another format while
// it is, a move goes where it was meant to once the pages are there: the real last page, not
// the last one cut so far; a page or a chapter not cut yet; a bookmark.
void TestReadingSession::aMoveDuringACutLandsWhereAsked_data()
{
    QTest::addColumn<QString>("move");
    QTest::addColumn<bool>("recut");
    QTest::newRow("last page") << "last" << false;
    QTest::newRow("page not cut yet") << "page" << false;
    QTest::newRow("next page past the pages cut") << "next" << false;
    QTest::newRow("last page, re-cut") << "last" << true;
    QTest::newRow("chapter, re-cut") << "chapter" << true;
    QTest::newRow("next chapter, re-cut") << "nextChapter" << true;
    QTest::newRow("bookmark, re-cut") << "place" << true;
}

void TestReadingSession::aMoveDuringACutLandsWhereAsked()
{
    QFETCH(QString, move);
    QFETCH(bool, recut);
    ReadingSession session;
    session.setFormat(Narrow);
    session.open(m_bigChaptered);
    QSignalSpy cut(session.loader(), &FileLoader::pagesCut);
    QVERIFY(cut.wait(20000));
    QTRY_VERIFY_WITH_TIMEOUT(!session.chapters().empty(), 20000);
    QVERIFY(!session.isComplete());
    const std::vector<Chapter> chapters = session.chapters();
    const int cutSoFar = session.pages().size();
    QVERIFY(cutSoFar < 300);
    if (recut) {
        session.setFormat(Wide);
        QCOMPARE(session.state(), ReadingSession::State::Recutting);
    }

    if (move == QLatin1String("last")) {
        session.last();
    } else if (move == QLatin1String("page")) {
        session.goTo(300);
    } else if (move == QLatin1String("next")) {
        session.goTo(cutSoFar - 1);
        session.next();
    } else if (move == QLatin1String("chapter")) {
        session.goToChapter(4);
    } else if (move == QLatin1String("nextChapter")) {
        session.nextChapter();
    } else {
        session.goToPlace(chapters[4].offset + 10);
    }
    settle(session);
    verifyConsistent(session);
    const auto pageOf = [&session](qsizetype offset) { return session.pages().pageAt(offset); };
    if (move == QLatin1String("last"))
        QCOMPARE(session.page(), session.pages().size() - 1);
    else if (move == QLatin1String("page"))
        QCOMPARE(session.page(), 300);
    else if (move == QLatin1String("next"))
        QCOMPARE(session.page(), cutSoFar);
    else if (move == QLatin1String("nextChapter"))
        QCOMPARE(session.page(), pageOf(chapters[1].offset));
    else
        QCOMPARE(session.page(), pageOf(chapters[4].offset));
}

// A jump dialog offers the numbers the label shows. Chosen after the pages were cut anew for
// another format meanwhile, the number still means the page it named then, not the page of
// the new cut with that number.
void TestReadingSession::aPageNumberOfferedBeforeARecutEndsMeansThePageItNamed()
{
    ReadingSession session;
    run(session, { "format:narrow", "open:chaptered", "settle" });
    const PagedText narrow = session.pages();
    run(session, { "format:wide" });
    QCOMPARE(session.state(), ReadingSession::State::Recutting);
    const ReadingSession::PageNumbers offered = session.pageNumbers();
    QCOMPARE(offered.count, narrow.size());
    settle(session);

    session.goTo(offered, 29);
    verifyConsistent(session);
    QCOMPARE(session.place(), narrow.startOf(29));
    QVERIFY(session.page() != 29);
}

// Events: "open:<small|other|big|empty>", "format:<narrow|zoomed|wide>", "next", "close",
// "settle" (wait until the loader is done), "cut" (wait for the next pages of a cut).
void TestReadingSession::run(ReadingSession &session, const QStringList &events)
{
    const QHash<QString, QString> books{ { "small", m_small }, { "other", m_other },
                                         { "big", m_big }, { "empty", m_empty },
                                         { "chaptered", m_chaptered } };
    const QHash<QString, PageFormat> formats{ { "narrow", Narrow }, { "zoomed", Zoomed },
                                              { "wide", Wide },
                                              { "runningOn", RunningOn },
                                              { "zoomedOut", ZoomedOut },
                                              { "zoomedOutTwice", ZoomedOutTwice },
                                              { "searchBar", SearchBarShown } };
    for (const QString &event : events) {
        const QString name = event.section(QLatin1Char(':'), 0, 0);
        const QString argument = event.section(QLatin1Char(':'), 1);
        if (name == QLatin1String("open")) {
            session.open(books.value(argument));
        } else if (name == QLatin1String("format")) {
            session.setFormat(formats.value(argument));
        } else if (name == QLatin1String("next")) {
            session.next();
        } else if (name == QLatin1String("close")) {
            session.close();
        } else if (name == QLatin1String("settle")) {
            settle(session);
        } else if (name == QLatin1String("cut")) {
            QSignalSpy cut(session.loader(), &FileLoader::pagesCut);
            QVERIFY(cut.wait(20000));
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown event ") + event));
        }
    }
}

void TestReadingSession::settle(ReadingSession &session)
{
    QTRY_VERIFY_WITH_TIMEOUT(session.openingBook().isEmpty()
                                     && session.state() != ReadingSession::State::Recutting
                                     && session.isComplete(),
                             30000);
    // Anything the loader still had in flight has arrived by now or never will.
    QTest::qWait(50);
}

void TestReadingSession::verifyConsistent(const ReadingSession &session)
{
    QVERIFY(sameFormat(session.pagesFormat(), session.format()));
    const PagedText &pages = session.pages();
    QVERIFY(!pages.empty());
    QVERIFY(session.page() >= 0 && session.page() < int(pages.size()));
    QCOMPARE(Paginator::pageAtOffset(pages, session.place()), session.page());
}

void TestReadingSession::settlesOnPagesOfTheCurrentFormat_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QString>("book");

    QTest::newRow("open") << QStringList{ "open:small", "settle" } << "small";
    QTest::newRow("zoom while the book opens")
            << QStringList{ "open:small", "format:zoomed", "settle" } << "small";
    QTest::newRow("zoom, then a failing open during the re-cut")
            << QStringList{ "open:small", "settle", "next", "next", "format:zoomed", "open:empty", "settle" }
            << "small";
    QTest::newRow("a failing open, then zoom before it fails")
            << QStringList{ "open:small", "settle", "open:empty", "format:zoomed", "settle" } << "small";
    QTest::newRow("zoom, then another book during the re-cut")
            << QStringList{ "open:small", "settle", "format:zoomed", "open:other", "settle" } << "other";
    QTest::newRow("another book, then zoom before its pages come")
            << QStringList{ "open:small", "settle", "open:other", "format:zoomed", "settle" } << "other";
    QTest::newRow("zoom twice in a row")
            << QStringList{ "open:small", "settle", "format:zoomed", "format:wide", "settle" } << "small";
    QTest::newRow("zoom and back")
            << QStringList{ "open:small", "settle", "format:zoomed", "format:narrow", "settle" } << "small";
    QTest::newRow("zoom while a big book is still cut")
            << QStringList{ "open:big", "cut", "next", "format:zoomed", "settle" } << "big";
    QTest::newRow("failing open while a big book is still cut")
            << QStringList{ "open:big", "cut", "format:zoomed", "open:empty", "settle" } << "big";
    QTest::newRow("failing open stops the cut of a big book")
            << QStringList{ "open:big", "cut", "open:empty", "settle" } << "big";
    QTest::newRow("reset, then open again")
            << QStringList{ "open:small", "settle", "format:zoomed", "close", "open:other", "settle" } << "other";
    QTest::newRow("two opens in a row")
            << QStringList{ "open:small", "open:other", "settle" } << "other";
}

void TestReadingSession::settlesOnPagesOfTheCurrentFormat()
{
    QFETCH(QStringList, events);
    QFETCH(QString, book);

    ReadingSession session;
    session.setFormat(Narrow);
    run(session, events);
    QCOMPARE(QFileInfo(session.book()).baseName(), book);
    verifyConsistent(session);
}

// Two steps asked for while the book is cut anew take the reader two pages on from their
// place once the new pages are there.
void TestReadingSession::stepsDuringARecutAreKept()
{
    ReadingSession session;
    session.setFormat(Narrow);
    run(session, { "open:small", "settle", "next", "next", "next" });
    run(session, { "format:zoomed", "next", "next" });
    QCOMPARE(session.state(), ReadingSession::State::Recutting);
    const qsizetype held = session.place();
    settle(session);
    verifyConsistent(session);
    QCOMPARE(session.page(), Paginator::pageAtOffset(session.pages(), held) + 2);
}

// Pages shown side by side: a turn moves by both, a turn forward from the last pair goes
// nowhere, and while the book is cut anew two pages from the reader's place stand in, one
// running on from the other.
void TestReadingSession::twoPagesShownTurnAndStandInTogether()
{
    ReadingSession session;
    session.setFormat(Narrow);
    session.setPagesPerTurn(2);
    run(session, { "open:small", "settle", "next" });
    QCOMPARE(session.page(), 2);
    session.previous();
    QCOMPARE(session.page(), 0);

    const int last = int(session.pages().size()) - 1;
    QVERIFY(last > 4);
    session.goTo(last - 1);
    session.next();
    QCOMPARE(session.page(), last - 1);
    session.previous();
    QCOMPARE(session.page(), last - 3);

    const qsizetype place = session.place();
    run(session, { "format:zoomed" });
    QCOMPARE(session.state(), ReadingSession::State::Recutting);
    const std::vector<QString> standIns = session.pages().pageTexts();
    QCOMPARE(standIns.size(), size_t(2));
    QVERIFY(!standIns[1].isEmpty());
    settle(session);
    verifyConsistent(session);
    QVERIFY(session.pages().text().mid(place).startsWith(standIns[0] + standIns[1]));
}

void TestReadingSession::searchGoesOnIntoPagesStillBeingCut()
{
    ReadingSession session;
    session.setFormat(Narrow);
    QSignalSpy notFound(&session, &ReadingSession::textNotFound);
    run(session, { "open:big", "cut" });
    QVERIFY(!session.isComplete());
    session.find(LastLine);
    settle(session);
    QCOMPARE(notFound.count(), 0);
    QVERIFY(session.pages()[session.page()].contains(LastLine));
}

// The query is the text either side of a page break, in other letter case: the session turns
// to the page the match starts on, from before it, from after it and from the match itself
// (going round the book).
void TestReadingSession::aMatchOverAPageBreakShowsThePageItStartsOn_data()
{
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("fromPage");
    QTest::addColumn<bool>("wraps");

    QTest::newRow("forward from the first page") << true << 0 << false;
    QTest::newRow("backward from the last page") << false << -1 << false;
    QTest::newRow("forward from the match itself") << true << 1 << true;
    QTest::newRow("backward from the match itself") << false << 0 << true;
}

void TestReadingSession::aMatchOverAPageBreakShowsThePageItStartsOn()
{
    QFETCH(bool, forward);
    QFETCH(int, fromPage);
    QFETCH(bool, wraps);
    QString text;
    for (int line = 0; line < 300; ++line)
        text += QStringLiteral("Line %1，第%1句话说到这里。\n").arg(line);
    ReadingSession session;
    session.setFormat(Narrow);
    session.open(write(m_dir, QStringLiteral("lines.txt"), text));
    settle(session);
    const PagedText &pages = session.pages();
    QVERIFY(pages.size() > 4);
    // The first page break from the middle on whose text either side stands nowhere else.
    int page = pages.size() / 2;
    qsizetype start = 0;
    QString query;
    for (; page + 2 < pages.size(); ++page) {
        start = pages.startOf(page + 1) - 4;
        query = pages.text().sliced(start, 14).toString().toLower();
        if (pages.text().indexOf(query, 0, Qt::CaseInsensitive) == start)
            break;
    }
    QVERIFY(page + 2 < pages.size());
    QSignalSpy wrapped(&session, &ReadingSession::searchWrapped);

    session.goTo(fromPage < 0 ? pages.size() - 1 : fromPage);
    if (wraps)
        session.goToMatch(start, query.size());
    if (forward)
        session.find(query);
    else
        session.findPrevious(query);
    QCOMPARE(session.page(), page);
    QCOMPARE(session.matchStart(), start);
    QCOMPARE(session.matchLength(), query.size());
    QCOMPARE(session.place(), start);
    QTRY_COMPARE(wrapped.count(), wraps ? 1 : 0);
}

void TestReadingSession::closeLeavesNothingOnShow()
{
    ReadingSession session;
    session.setFormat(Narrow);
    QSignalSpy closed(&session, &ReadingSession::closed);
    run(session, { "open:small", "settle", "format:zoomed", "close" });
    QCOMPARE(closed.count(), 1);
    QCOMPARE(session.state(), ReadingSession::State::Empty);
    QVERIFY(session.pages().empty());
    QCOMPARE(session.pageNumber(), 0);
    QCOMPARE(session.pageCount(), 0);
    // A re-cut that was under way reports nothing more.
    QTest::qWait(500);
    QVERIFY(session.pages().empty());
}

void TestReadingSession::chaptersAreFoundWithTheFirstPages()
{
    ReadingSession session;
    session.setFormat(Narrow);
    QSignalSpy changed(&session, &ReadingSession::chaptersChanged);
    run(session, { "open:chaptered", "settle" });
    QCOMPARE(changed.count(), 1);
    QCOMPARE(int(session.chapters().size()), ChapterCount + 2);
    QCOMPARE(session.chapters().front().title, QStringLiteral("第1卷 潮汐"));
    QCOMPARE(session.pageHeadings().size(), session.chapters().size());
    // Chapters start pages: each heading opens the page it is on.
    for (const Chapter &chapter : session.chapters())
        QCOMPARE(Paginator::offsetOfPage(session.pages(), Paginator::pageAtOffset(session.pages(), chapter.offset)),
                 chapter.offset);
    QCOMPARE(session.currentChapter(), -1);

    run(session, { "open:small", "settle" });
    QVERIFY(session.chapters().empty());
    QCOMPARE(session.currentChapter(), -1);
}

// From the middle of a chapter, and from a page several headings share, "next" goes to a later
// page and "previous" to an earlier one; neither sticks on the page it starts from.
void TestReadingSession::stepsThroughChaptersByPage_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("chapters start pages") << "narrow";
    QTest::newRow("chapters run on") << "runningOn";
}

// Short chapters share a page when they run on: the page that opens with one is in that
// chapter, not in the last one starting on it.
void TestReadingSession::aPageIsNamedByItsFirstHeading()
{
    const QString book = write(m_dir, QStringLiteral("shortChapters.txt"),
                               QStringLiteral("第1章 起风\n风从海上来。\n第2章 落潮\n潮水退了。\n"
                                              "第3章 归航\n船回来了。\n"));
    ReadingSession session;
    session.setFormat(RunningOn);
    session.open(book);
    settle(session);
    QCOMPARE(session.pages().size(), size_t(1));
    QCOMPARE(int(session.chapters().size()), 3);
    QCOMPARE(session.currentChapter(), 0);
}

void TestReadingSession::stepsThroughChaptersByPage()
{
    QFETCH(QString, format);
    ReadingSession session;
    run(session, { "format:" + format, "open:chaptered", "settle" });
    const std::vector<Chapter> chapters = session.chapters();
    const auto pageOf = [&session](const Chapter &chapter) {
        return Paginator::pageAtOffset(session.pages(), chapter.offset);
    };

    int visited = 0;
    int lastPage = -1;
    for (;;) {
        const int before = session.page();
        session.nextChapter();
        if (session.page() == before)
            break;
        QVERIFY(session.page() > lastPage);
        QCOMPARE(session.page(), pageOf(chapters[session.currentChapter()]));
        lastPage = session.page();
        ++visited;
    }
    QCOMPARE(session.currentChapter(), int(chapters.size()) - 1);
    QVERIFY(visited > ChapterCount / 2);

    // In the middle of chapter 5 (after the volume heading), "previous" goes to the start of
    // chapter 5, and from there to chapter 4.
    const int fifth = 5;
    QCOMPARE(chapters[fifth].title, QStringLiteral("第5章 灯塔5"));
    session.goTo(pageOf(chapters[fifth]) + 1);
    QCOMPARE(session.currentChapter(), fifth);
    session.previousChapter();
    QCOMPARE(session.page(), pageOf(chapters[fifth]));
    session.previousChapter();
    QCOMPARE(session.page(), pageOf(chapters[fifth - 1]));
    session.nextChapter();
    QCOMPARE(session.page(), pageOf(chapters[fifth]));
}

void TestReadingSession::chaptersSurviveARecut()
{
    ReadingSession session;
    run(session, { "format:narrow", "open:chaptered", "settle" });
    const std::vector<Chapter> chapters = session.chapters();
    session.goToChapter(9);
    run(session, { "format:zoomed", "settle" });
    verifyConsistent(session);
    QCOMPARE(session.chapters().size(), chapters.size());
    QCOMPARE(session.currentChapter(), 9);
    QCOMPARE(session.place(), chapters[9].offset);

    // Running on, the chapter's heading is somewhere on the reader's page.
    run(session, { "format:runningOn", "settle" });
    QVERIFY(session.pageHeadings().empty());
    QCOMPARE(session.chapters().size(), chapters.size());
    QCOMPARE(session.currentChapter(), 9);
}

void TestReadingSession::chapterAskedForDuringARecutIsKept()
{
    ReadingSession session;
    run(session, { "format:narrow", "open:chaptered", "settle", "format:wide" });
    QCOMPARE(session.state(), ReadingSession::State::Recutting);
    QVERIFY(session.pageHeadings().empty());
    session.goToChapter(20);
    settle(session);
    verifyConsistent(session);
    QCOMPARE(session.place(), session.chapters()[20].offset);
    QCOMPARE(session.pageHeadings().size(), session.chapters().size());
}

// Chosen while only the first pages are cut, a chapter, the next chapter or a bookmark's
// place is where the reader ends up once the pages are there.
void TestReadingSession::aMoveBeyondThePagesCutIsKept_data()
{
    QTest::addColumn<QString>("move");
    QTest::newRow("chapter") << "chapter";
    QTest::newRow("next chapter") << "nextChapter";
    QTest::newRow("bookmark") << "place";
}

void TestReadingSession::aMoveBeyondThePagesCutIsKept()
{
    QFETCH(QString, move);
    ReadingSession session;
    session.setFormat(Narrow);
    session.open(m_bigChaptered);
    QSignalSpy cut(session.loader(), &FileLoader::pagesCut);
    QVERIFY(cut.wait(20000));
    // The head of a large book is cut before its headings are found in the whole text.
    QTRY_VERIFY_WITH_TIMEOUT(!session.chapters().empty(), 20000);
    QVERIFY(!session.isComplete());
    const std::vector<Chapter> chapters = session.chapters();
    QCOMPARE(int(chapters.size()), 6);
    const qsizetype cutSoFar = Paginator::offsetOfPage(session.pages(), int(session.pages().size()));
    QVERIFY(chapters[4].offset > cutSoFar);
    QVERIFY(chapters[1].offset > cutSoFar);

    if (move == QLatin1String("chapter"))
        session.goToChapter(4);
    else if (move == QLatin1String("nextChapter"))
        session.nextChapter();
    else
        session.goToPlace(chapters[4].offset + 10);
    settle(session);
    verifyConsistent(session);
    const auto pageOf = [&session](qsizetype offset) { return Paginator::pageAtOffset(session.pages(), offset); };
    if (move == QLatin1String("chapter") || move == QLatin1String("place"))
        QCOMPARE(session.page(), pageOf(chapters[4].offset));
    else
        QCOMPARE(session.page(), pageOf(chapters[1].offset));
}

// A bookmark's place is found in the new pages, not in the page standing in for them; a page
// number is one of the pages the label shows, those cut before.
void TestReadingSession::placesAndPagesAskedForDuringARecutKeepTheirMeaning()
{
    ReadingSession session;
    run(session, { "format:narrow", "open:chaptered", "settle" });
    const qsizetype bookmark = session.chapters()[20].offset;
    run(session, { "format:wide" });
    QCOMPARE(session.state(), ReadingSession::State::Recutting);
    session.goToPlace(bookmark);
    settle(session);
    QCOMPARE(session.place(), bookmark);

    const qsizetype thirtiethWidePage = Paginator::offsetOfPage(session.pages(), 29);
    run(session, { "format:narrow" });
    QCOMPARE(session.state(), ReadingSession::State::Recutting);
    session.goTo(29);
    settle(session);
    verifyConsistent(session);
    QCOMPARE(session.page(), Paginator::pageAtOffset(session.pages(), thirtiethWidePage));
    QVERIFY(session.page() != 29);
}

// The shelf's progress is the place against the whole text: a reader quitting while the
// book is still cut must not see it as nearly read.
void TestReadingSession::theTextLengthIsTheWholeBooksWhileItIsCut()
{
    ReadingSession session;
    session.setFormat(Narrow);
    run(session, { "open:big", "cut" });
    QVERIFY(!session.isComplete());
    const qsizetype whole = novel(120000, QStringLiteral("长夜")).size() + LastLine.size();
    // The head of the book is cut before the whole text is decoded: its length is estimated.
    QVERIFY(qAbs(session.textLength() - whole) < whole / 20);
    QTRY_COMPARE_WITH_TIMEOUT(session.textLength(), whole, 20000);
    settle(session);
    QCOMPARE(session.textLength(), whole);
}

// The window answers a failure with a message box; its event loop must not run inside the
// loader's handler. A handler connected after the session's still finds nothing told yet.
void TestReadingSession::aFailureIsToldAfterTheLoadersHandlerReturns()
{
    ReadingSession session;
    session.setFormat(Narrow);
    QSignalSpy failed(&session, &ReadingSession::openFailed);
    int toldDuringHandler = -1;
    connect(session.loader(), &FileLoader::loadFailed, this,
            [&] { toldDuringHandler = int(failed.count()); });
    session.open(m_dir.filePath(QStringLiteral("missing.txt")));
    QTRY_COMPARE(failed.count(), 1);
    QCOMPARE(toldDuringHandler, 0);
}

// The first page shown already holds the place, also when it lies beyond the first pages
// cut; a place past the end of a book that grew shorter shows its last page.
void TestReadingSession::opensAtThePageHoldingAPlace_data()
{
    QTest::addColumn<QString>("book");
    QTest::addColumn<qsizetype>("place");

    QTest::newRow("start") << "small" << qsizetype(0);
    QTest::newRow("middle") << "small" << qsizetype(12000);
    QTest::newRow("deep in a book still being cut") << "big" << qsizetype(3000000);
    QTest::newRow("past the end") << "small" << qsizetype(10000000);
}

void TestReadingSession::opensAtThePageHoldingAPlace()
{
    QFETCH(QString, book);
    QFETCH(qsizetype, place);

    ReadingSession session;
    session.setFormat(Narrow);
    QSignalSpy shown(&session, &ReadingSession::bookShown);
    session.open(book == QLatin1String("big") ? m_big : m_small, place);
    QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, 30000);
    const PagedText &pages = session.pages();
    const qsizetype length = Paginator::offsetOfPage(pages, int(pages.size()));
    if (place < length) {
        QVERIFY(session.place() <= place);
        QVERIFY(place < session.place() + pages[session.page()].size());
    } else {
        QVERIFY(session.isComplete());
        QCOMPARE(session.page(), int(pages.size()) - 1);
    }
    const qsizetype placeShown = session.place();
    settle(session);
    QCOMPARE(session.place(), placeShown);
    verifyConsistent(session);
}

// The chosen encoding holds for the book's later re-cuts too, which read the file again.
void TestReadingSession::opensInAChosenEncoding()
{
    const QString path = m_dir.filePath(QStringLiteral("latin1.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("Caf\u00e9 cr\u00e8me, na\u00efve fa\u00e7ade.\n").toUtf8());
    file.close();

    ReadingSession session;
    session.setFormat(Narrow);
    session.open(path, 0, "ISO-8859-1");
    settle(session);
    QVERIFY(session.pages().front().startsWith(QStringLiteral("Caf\u00c3\u00a9")));
    QCOMPARE(session.encoding(), QByteArray("ISO-8859-1"));
    session.setFormat(Zoomed);
    settle(session);
    QVERIFY(session.pages().front().startsWith(QStringLiteral("Caf\u00c3\u00a9")));
}

// Whatever re-layouts follow a move of the reader's (zoom steps, full screen, the search bar,
// chapters starting pages or not), the reader's place stays where the move put it, each
// layout shows the page holding it, and back in the first layout that is the first page.
void TestReadingSession::layoutChangesKeepTheReadersPlace_data()
{
    QTest::addColumn<QString>("move");
    QTest::addColumn<QStringList>("layouts");

    const QStringList zoomRoundTrip{ "zoomedOut", "zoomedOutTwice", "zoomedOut", "narrow" };
    const QStringList fullScreen{ "wide", "narrow" };
    const QStringList searchBar{ "searchBar", "narrow" };
    const QStringList everything{ "zoomed", "wide", "searchBar", "runningOn", "zoomedOut", "narrow" };
    for (const QString move : { "page", "match", "chapter" }) {
        QTest::addRow("%s, zoom out twice and in twice", qPrintable(move)) << move << zoomRoundTrip;
        QTest::addRow("%s, full screen and back", qPrintable(move)) << move << fullScreen;
        QTest::addRow("%s, search bar shown and hidden", qPrintable(move)) << move << searchBar;
        QTest::addRow("%s, chapters run on and back", qPrintable(move)) << move << QStringList{ "runningOn", "narrow" };
        QTest::addRow("%s, zoom out twice at once and back", qPrintable(move))
                << move << QStringList{ "zoomedOut", "zoomedOutTwice", "settle", "zoomedOut", "narrow" };
        QTest::addRow("%s, one change after another", qPrintable(move)) << move << everything;
    }
}

void TestReadingSession::layoutChangesKeepTheReadersPlace()
{
    QFETCH(QString, move);
    QFETCH(QStringList, layouts);

    ReadingSession session;
    run(session, { "format:narrow", "open:chaptered", "settle" });
    const std::vector<Chapter> chapters = session.chapters();
    const Chapter &chapter = chapters[chapters.size() * 2 / 3];
    if (move == QLatin1String("page")) {
        session.goTo(int(session.pages().size()) * 2 / 3);
    } else if (move == QLatin1String("chapter")) {
        session.goToChapter(int(&chapter - chapters.data()));
    } else {
        // A word in the last line of the chapter's first page.
        const int page = Paginator::pageAtOffset(session.pages(), chapter.offset);
        const QString lastLine = session.pages()[page].trimmed().section(QLatin1Char('\n'), -1);
        session.find(lastLine.mid(2, 6));
    }
    const qsizetype place = session.place();
    const int page = session.page();
    const qsizetype match = session.matchStart();

    for (const QString &layout : layouts) {
        run(session, { layout == QLatin1String("settle") ? layout : "format:" + layout });
        if (layout == QLatin1String("settle"))
            continue;
        settle(session);
        verifyConsistent(session);
        QCOMPARE(session.place(), place);
        if (match >= 0) {
            QCOMPARE(session.matchStart(), match);
            QCOMPARE(Paginator::pageAtOffset(session.pages(), match), session.page());
        }
    }
    QCOMPARE(session.page(), page);
}

// A hard-wrapped book switched to the book layout and back keeps the reader's place; its
// pages in the book layout come with the line ends they are set across, in the book
// layout only.
void TestReadingSession::switchingToTheBookLayoutJoinsLinesInPlace()
{
    const QString paragraph = QStringLiteral("灯塔的光扫过海面，一圈又一圈，守塔人坐在窗前数着回港的渔船，"
                                             "数到第七只的时候，雾从南边漫了过来，他便起身去敲那口铜钟。");
    QString text;
    for (int p = 0; p < 400; ++p) {
        for (qsizetype at = 0; at < paragraph.size(); at += 30)
            text += paragraph.mid(at, 30) + u'\n';
    }
    const QString path = write(m_dir, QStringLiteral("wrapped.txt"), text);
    PageFormat book = Narrow;
    book.style.book = true;

    ReadingSession session;
    session.setFormat(Narrow);
    session.open(path);
    settle(session);
    QVERIFY(session.pageJoinedLineEnds().empty());
    session.goTo(int(session.pages().size()) * 2 / 3);
    const qsizetype place = session.place();

    for (const PageFormat &format : { book, Narrow, book }) {
        session.setFormat(format);
        settle(session);
        verifyConsistent(session);
        QCOMPARE(session.place(), place);
        const std::vector<qsizetype> joins = session.pageJoinedLineEnds();
        QCOMPARE(joins.empty(), !format.style.book);
        const QStringView pagesText = session.pages().text();
        for (qsizetype join : joins)
            QCOMPARE(pagesText[join], u'\n');
    }
}

// A book cut anew after the reader chose a chapter rule for it has the headings the rule
// finds, and the reader stays where they were.
void TestReadingSession::aChapterRuleChosenForTheBookKeepsThePlace()
{
    ReadingSession session;
    QString ruleKey;
    session.loader()->setChapterRules([&ruleKey](const QString &) { return ChapterRule::fromKey(ruleKey); });
    run(session, { "format:narrow", "open:chaptered", "settle" });
    QCOMPARE(session.chapters().size(), size_t(ChapterCount + 2));
    session.goTo(int(session.pages().size()) / 2);
    const qsizetype place = session.place();

    ruleKey = QStringLiteral("pattern:^第[0-9]+卷");
    QSignalSpy chaptersChanged(&session, &ReadingSession::chaptersChanged);
    session.cutAnew();
    settle(session);
    verifyConsistent(session);
    QCOMPARE(session.place(), place);
    QVERIFY(!chaptersChanged.isEmpty());
    QCOMPARE(session.chapters().size(), size_t(2));
    QCOMPARE(session.chapters().back().title, QStringLiteral("第2卷 潮汐"));
}

LEXORIN_TEST_MAIN(TestReadingSession)
#include "tst_readingsession.moc"
