#include "bookdecoder.h"
#include "chapterdetector.h"
#include "measuringfonts.h"
#include "pagerenderer.h"
#include "paginator.h"
#include "testmain.h"

#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QThreadPool>

class TestPaginator : public QObject
{
    Q_OBJECT

private slots:
    void pagesHoldTheWholeTextAndFitTheirArea_data();
    void pagesHoldTheWholeTextAndFitTheirArea();
    void lineEndsDoNotChangeThePages();
    void paragraphTallerThanAPageGoesOnOverPages_data();
    void paragraphTallerThanAPageGoesOnOverPages();
    void textEndingInALineBreakEndsWithAnEmptyParagraph();
    void offsetsFindTheReadersPlaceAfterARecut();
    void simpleLineBreakingAgreesWithTheTextLayout_data();
    void simpleLineBreakingAgreesWithTheTextLayout();
    void paragraphsSplitAtEveryKindOfLineEnd_data();
    void paragraphsSplitAtEveryKindOfLineEnd();
    void headingsStartPagesThatFitWhenDrawn_data();
    void headingsStartPagesThatFitWhenDrawn();
    void withoutChapterBreaksPagesAreCutAsWithoutHeadings();
    void headingIsDrawnInTheHeadingFont();
    void passagesStartNoPages();
    void pagesShowTextFromTheirTopAndNoneIsBlank_data();
    void pagesShowTextFromTheirTopAndNoneIsBlank();
    void threadsMeasureWithCopiesOfTheFont_data();
    void threadsMeasureWithCopiesOfTheFont();
};

namespace {

const PageFormat ReadingFormat{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(480, 530) };

QString sampleBook(const QString &name)
{
    QFile file(QStringLiteral(":/book/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return BookDecoder::decode(file.readAll()).text;
}

// Paragraphs of every length, from empty lines to ones that fill several pages, mixing
// Chinese, English words and long unbreakable runs.
QString generatedBook()
{
    QRandomGenerator random(20261210);
    const QString chinese = QStringLiteral("春风吹过山谷，溪水唱着歌，小鹿在林间奔跑。");
    const QString english = QStringLiteral("the quick brown fox jumps over a lazy dog ");
    QString text;
    for (int i = 0; i < 400; ++i) {
        const int kind = random.bounded(5);
        if (kind == 0)
            text += QString();
        else if (kind == 1)
            text += english.repeated(random.bounded(1, 30));
        else if (kind == 2)
            text += QStringLiteral("　　") + chinese.repeated(random.bounded(1, 12));
        else if (kind == 3)
            text += chinese.repeated(random.bounded(40, 80));
        else
            text += QStringLiteral("https://example.org/") + QString(random.bounded(60, 200), u'x');
        text += QStringLiteral("\r\n");
    }
    return text;
}

QString normalizedLineEnds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

int drawnHeight(const PageFormat &format, const QString &page)
{
    // Blank lines at the page's top are not drawn, nor are those after its text, which only
    // a page before a heading or the book's last one ends with.
    QString visible = page.sliced(PageRenderer::blankLinesAtTop(page));
    while (!visible.isEmpty() && visible.back().isSpace())
        visible.chop(1);
    QImage canvas(1, 1, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    painter.setFont(format.font);
    const QRectF area(QPointF(0, 0), format.textArea);
    return qCeil(painter.boundingRect(area, visible, Paginator::textOption()).height());
}

void verifyPages(const std::vector<QString> &pages, const QString &text, const PageFormat &format)
{
    QString joined;
    for (const QString &page : pages)
        joined += page;
    QCOMPARE(joined, normalizedLineEnds(text) + u'\n');
    for (size_t i = 0; i < pages.size(); ++i) {
        QVERIFY2(drawnHeight(format, pages[i]) <= format.textArea.height(),
                 qPrintable(QStringLiteral("page %1 is %2 px tall")
                                    .arg(i)
                                    .arg(drawnHeight(format, pages[i]))));
    }
}

// A novel of short chapters, so that headings fall anywhere on what would be a page, with
// volumes, blank lines around headings and a heading after a paragraph taller than a page.
QString bookWithChapters(const QString &title)
{
    QRandomGenerator random(1210);
    const QString sentence = QStringLiteral("雨停了，街上的人又多了起来。");
    QString text = QStringLiteral("楔子\r\n　　") + sentence + QStringLiteral("\r\n");
    for (int chapter = 1; chapter <= 40; ++chapter) {
        if (chapter % 15 == 1)
            text += QStringLiteral("第%1卷 远行\r\n\r\n").arg(chapter / 15 + 1);
        text += QStringLiteral("第%1章 %2\r\n").arg(chapter).arg(title);
        if (chapter % 3 == 0)
            text += QStringLiteral("\r\n");
        const int paragraphs = chapter == 20 ? 1 : random.bounded(0, 12);
        for (int p = 0; p < paragraphs; ++p) {
            const int length = chapter == 20 ? 400 : random.bounded(1, 9);
            text += QStringLiteral("　　") + sentence.repeated(length) + QStringLiteral("\r\n");
        }
    }
    return text + QStringLiteral("尾声\r\n　　完。");
}

// Where a page's ink begins when PageRenderer draws it, in pixels from the area's top.
int inkTop(const PageFormat &format, const QString &page, bool startsWithHeading)
{
    QImage canvas(format.textArea, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setPen(Qt::black);
    PageRenderer::draw(painter, canvas.rect(), page, format.font, startsWithHeading);
    painter.end();
    for (int y = 0; y < canvas.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        if (std::any_of(row, row + canvas.width(), [](QRgb pixel) { return pixel != qRgb(255, 255, 255); }))
            return y;
    }
    return canvas.height();
}

// How far down a page's ink reaches when PageRenderer draws it, in pixels from the area's top.
// Text that overflows its area is clipped, so it is drawn in an area taller than the page's:
// laid out from the top, it is placed the same.
int inkDepth(const PageFormat &format, const QString &page, bool startsWithHeading)
{
    QImage canvas(format.textArea + QSize(0, 400), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setPen(Qt::black);
    PageRenderer::draw(painter, canvas.rect(), page, format.font, startsWithHeading);
    painter.end();
    for (int y = canvas.height() - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        if (std::any_of(row, row + canvas.width(), [](QRgb pixel) { return pixel != qRgb(255, 255, 255); }))
            return y + 1;
    }
    return 0;
}

}

void TestPaginator::pagesHoldTheWholeTextAndFitTheirArea_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<PageFormat>("format");

    const PageFormat small{ QFont(QStringLiteral("Microsoft YaHei"), 20), QSize(300, 260) };
    QTest::newRow("chinese sample") << sampleBook(QStringLiteral("星灯童话集.txt")) << ReadingFormat;
    QTest::newRow("english sample") << sampleBook(QStringLiteral("A Pocketful of Weather.txt"))
                                    << ReadingFormat;
    QTest::newRow("generated, reading format") << generatedBook() << ReadingFormat;
    QTest::newRow("generated, large font, small area") << generatedBook() << small;
}

void TestPaginator::pagesHoldTheWholeTextAndFitTheirArea()
{
    QFETCH(QString, text);
    QFETCH(PageFormat, format);
    QVERIFY(!text.isEmpty());

    verifyPages(Paginator(format).paginate(text), text, format);
}

void TestPaginator::lineEndsDoNotChangeThePages()
{
    const QString crlf = generatedBook();
    QString lf = crlf;
    lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QString cr = crlf;
    cr.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));

    const Paginator paginator(ReadingFormat);
    const std::vector<QString> expected = paginator.paginate(crlf);
    QCOMPARE(paginator.paginate(lf), expected);
    QCOMPARE(paginator.paginate(cr), expected);
}

void TestPaginator::paragraphTallerThanAPageGoesOnOverPages_data()
{
    QTest::addColumn<QString>("paragraph");

    QTest::newRow("chinese") << QStringLiteral("很长的段落，").repeated(3000);
    QTest::newRow("english words") << QStringLiteral("a rather long paragraph ").repeated(2000);
    QTest::newRow("one unbreakable word") << QString(60000, u'w');
    QTest::newRow("nul characters") << QString(60000, QChar(0));
    QTest::newRow("surrogate pairs") << QStringLiteral("𠀀𠀁𠀂").repeated(10000);
}

// No line of a paragraph is cut off: one taller than a page goes on over the next pages,
// each starting at a wrapped line, and a paragraph on one line of a huge file is laid out
// piece by piece.
void TestPaginator::paragraphTallerThanAPageGoesOnOverPages()
{
    QFETCH(QString, paragraph);
    const QString text = QStringLiteral("前言\n") + paragraph + QStringLiteral("\n后记");
    const std::vector<QString> pages = Paginator(ReadingFormat).paginate(text);

    QVERIFY(pages.size() > 3);
    QCOMPARE(pages.front(), QStringLiteral("前言\n"));
    QVERIFY(pages.back().endsWith(QStringLiteral("\n后记\n")));
    verifyPages(pages, text, ReadingFormat);
    for (const QString &page : pages)
        QVERIFY(!page.isEmpty() && !page.front().isLowSurrogate());
}

void TestPaginator::textEndingInALineBreakEndsWithAnEmptyParagraph()
{
    const std::vector<QString> pages = Paginator(ReadingFormat).paginate(u"一\n\n二\n");
    QCOMPARE(pages, std::vector<QString>{ QStringLiteral("一\n\n二\n\n") });
}

void TestPaginator::offsetsFindTheReadersPlaceAfterARecut()
{
    const QString text = generatedBook();
    const std::vector<QString> pages = Paginator(ReadingFormat).paginate(text);
    const PageFormat larger{ QFont(QStringLiteral("Microsoft YaHei"), 24), ReadingFormat.textArea };
    const QString textOfPages = Paginator::textOf(pages);
    const std::vector<QString> recut = Paginator(larger).paginate(Paginator::paragraphsOfPages(textOfPages));
    QVERIFY(recut.size() > pages.size());

    const QString joined = normalizedLineEnds(text) + u'\n';
    for (int page : { 0, 1, int(pages.size()) / 2, int(pages.size()) - 1 }) {
        const qsizetype offset = Paginator::offsetOfPage(pages, page);
        QVERIFY(joined.sliced(offset).startsWith(pages[page]));
        const int found = Paginator::pageAtOffset(recut, offset);
        const qsizetype start = Paginator::offsetOfPage(recut, found);
        QVERIFY(start <= offset);
        QVERIFY(offset < start + recut[found].size());
    }
}

void TestPaginator::simpleLineBreakingAgreesWithTheTextLayout_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::addColumn<int>("width");

    QTest::newRow("reading size") << 14 << 518;
    QTest::newRow("large, narrow") << 24 << 301;
    QTest::newRow("small, wide") << 9 << 1220;
    QTest::newRow("odd width") << 15 << 137;
    QTest::newRow("exactly six ideographs") << 15 << 120;
    QTest::newRow("smallest size") << 8 << 100;
    QTest::newRow("largest size") << 30 << 518;
}

// Lines worked out from glyph advances must break exactly where Qt's layout breaks them,
// or pages would overflow: every paragraph of the Chinese sample and of a generated novel.
void TestPaginator::simpleLineBreakingAgreesWithTheTextLayout()
{
    QFETCH(int, pointSize);
    QFETCH(int, width);
    const PageFormat format{ QFont(QStringLiteral("Microsoft YaHei"), pointSize), QSize(width, 600) };
    const Paginator paginator(format);
    const MeasuringFonts fonts(format.font);
    QString text = sampleBook(QStringLiteral("星灯童话集.txt")) + generatedBook();
    for (int chapter = 0; chapter < 20; ++chapter)
        text += QStringLiteral("　　“你好！”她说：“今天——我们去海边吧……好吗？”（他点点头。）《星灯》第%1章。\n")
                        .arg(chapter)
                        .repeated(chapter + 1);

    int compared = 0;
    for (QStringView paragraph : Paginator::paragraphsOf(text)) {
        const auto simple = paginator.linesOf(fonts, paragraph);
        const auto laidOut = Paginator::laidOutLinesOf(paragraph, format.font, width);
        QCOMPARE(simple.size(), laidOut.size());
        for (size_t i = 0; i < simple.size(); ++i) {
            QCOMPARE(simple[i].start, laidOut[i].start);
            QCOMPARE(simple[i].height, laidOut[i].height);
        }
        ++compared;
    }
    QVERIFY(compared > 2000);
}

void TestPaginator::paragraphsSplitAtEveryKindOfLineEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("paragraphs");

    QTest::newRow("empty") << QString() << QStringList{ QString() };
    QTest::newRow("no line end") << QStringLiteral("一") << QStringList{ QStringLiteral("一") };
    QTest::newRow("lf") << QStringLiteral("一\n二\n") << QStringList{ QStringLiteral("一"), QStringLiteral("二"), QString() };
    QTest::newRow("crlf") << QStringLiteral("一\r\n\r\n二") << QStringList{ QStringLiteral("一"), QString(), QStringLiteral("二") };
    QTest::newRow("cr") << QStringLiteral("一\r二\r") << QStringList{ QStringLiteral("一"), QStringLiteral("二"), QString() };
    QTest::newRow("cr, cr lf") << QStringLiteral("一\r\r\n二") << QStringList{ QStringLiteral("一"), QString(), QStringLiteral("二") };
    QTest::newRow("lf, cr") << QStringLiteral("一\n\r二") << QStringList{ QStringLiteral("一"), QString(), QStringLiteral("二") };
    QTest::newRow("cr, cr at the end") << QStringLiteral("一\r\r") << QStringList{ QStringLiteral("一"), QString(), QString() };
    QTest::newRow("only line ends") << QStringLiteral("\n\r\n\r") << QStringList{ QString(), QString(), QString(), QString() };
}

void TestPaginator::paragraphsSplitAtEveryKindOfLineEnd()
{
    QFETCH(QString, text);
    QFETCH(QStringList, paragraphs);

    QStringList found;
    for (QStringView paragraph : Paginator::paragraphsOf(text))
        found << paragraph.toString();
    QCOMPARE(found, paragraphs);

    // Made "\n" throughout, the text splits into the same paragraphs; a copy sharing it
    // keeps its own line ends.
    const QString kept = text;
    QString unified = text;
    Paginator::unifyLineEnds(unified);
    QVERIFY(!unified.contains(u'\r'));
    QCOMPARE(unified.split(u'\n'), paragraphs);
    QCOMPARE(kept, text);
}

void TestPaginator::headingsStartPagesThatFitWhenDrawn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<PageFormat>("format");

    const QString title = QStringLiteral("夜雨");
    const QString longTitle = QStringLiteral("在那遥远的地方有一座很高很高的山山上有一座庙");
    QTest::newRow("reading format") << bookWithChapters(title) << ReadingFormat;
    QTest::newRow("large font, small area")
            << bookWithChapters(title) << PageFormat{ QFont(QStringLiteral("Microsoft YaHei"), 20), QSize(300, 260) };
    QTest::newRow("headings wrapping in bold")
            << bookWithChapters(longTitle) << PageFormat{ QFont(QStringLiteral("Microsoft YaHei"), 24), QSize(310, 400) };
    QTest::newRow("headings taller than a page")
            << bookWithChapters(longTitle) << PageFormat{ QFont(QStringLiteral("Microsoft YaHei"), 30), QSize(200, 60) };
    QTest::newRow("chinese sample") << sampleBook(QStringLiteral("星灯童话集.txt")) << ReadingFormat;
    QString english = QStringLiteral("Prologue\n");
    for (int chapter = 1; chapter <= 12; ++chapter) {
        english += QStringLiteral("Chapter %1: The Long Road Over the Hills\n").arg(chapter);
        for (int paragraph = 0; paragraph < chapter * 4; ++paragraph)
            english += QStringLiteral("the lazy dog sleeps %1\n").arg(paragraph);
    }
    QTest::newRow("english, large font") << english << PageFormat{ QFont(QStringLiteral("Microsoft YaHei"), 22), QSize(330, 420) };
    // Lines exactly as wide as a heading in the regular font: in the bold face it takes two.
    const QFont font(QStringLiteral("DejaVu Sans"), 16);
    const int width = qCeil(QFontMetricsF(font).horizontalAdvance(QStringLiteral("Chapter 10: The Long Road Over the Hills"))) + 1;
    const int lineHeight = qRound(Paginator::laidOutLinesOf(u"x", font, width).front().height);
    QTest::newRow("english, heading as wide as a line") << english << PageFormat{ font, QSize(width, 10 * lineHeight) };
}

// Every heading begins a page, every page is drawn inside its area with its heading in bold,
// and the pages still join to the text, so offsets, search and the held place are unchanged.
void TestPaginator::headingsStartPagesThatFitWhenDrawn()
{
    QFETCH(QString, text);
    QFETCH(PageFormat, format);
    const std::vector<Chapter> headings = ChapterDetector::detect(text);
    QVERIFY(headings.size() > 3);

    const std::vector<QString> pages = Paginator(format).paginate(text, headings);
    QCOMPARE(Paginator::textOf(pages), normalizedLineEnds(text) + u'\n');
    for (const Chapter &heading : headings) {
        const int page = Paginator::pageAtOffset(pages, heading.offset);
        QCOMPARE(Paginator::offsetOfPage(pages, page), heading.offset);
        QVERIFY(Paginator::startsWithHeading(pages, page, headings));
    }
    for (int page = 0; page < int(pages.size()); ++page) {
        const int depth = inkDepth(format, pages[size_t(page)], Paginator::startsWithHeading(pages, page, headings));
        QVERIFY2(depth <= format.textArea.height(),
                 qPrintable(QStringLiteral("page %1 reaches %2 px: %3").arg(page).arg(depth).arg(pages[size_t(page)])));
    }
}

void TestPaginator::withoutChapterBreaksPagesAreCutAsWithoutHeadings()
{
    const QString text = bookWithChapters(QStringLiteral("夜雨"));
    const std::vector<Chapter> headings = ChapterDetector::detect(text);
    PageFormat format = ReadingFormat;
    const std::vector<QString> plain = Paginator(format).paginate(text);
    QVERIFY(Paginator(format).paginate(text, headings).size() > plain.size());

    format.chaptersStartPages = false;
    QCOMPARE(Paginator(format).paginate(text, headings), plain);
}

// The passages that stand in for the chapters of a book without headings start at a line of
// its text, which is neither a heading nor the start of a page.
void TestPaginator::passagesStartNoPages()
{
    QString text;
    while (text.size() < 3 * ChapterDetector::PassageLength)
        text += QStringLiteral("　　灯塔上的灯亮了一夜，船都平安地回了港。\n");
    const std::vector<QStringView> lines = Paginator::paragraphsOf(text);
    const std::vector<Chapter> passages = ChapterDetector::contents(lines);
    QCOMPARE(passages.size(), size_t(3));
    const std::vector<TextRun> pieces = Paginator::piecesOf(lines, passages);
    QVERIFY(std::none_of(pieces.begin(), pieces.end(), [](const TextRun &piece) { return piece.isHeading; }));
    QCOMPARE(Paginator(ReadingFormat).paginate(text, passages), Paginator(ReadingFormat).paginate(text));
}

void TestPaginator::headingIsDrawnInTheHeadingFont()
{
    const QString page = QStringLiteral("第一章 出山\n　　他下了山。\n");
    const auto drawn = [&](bool startsWithHeading) {
        QImage canvas(ReadingFormat.textArea, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        PageRenderer::draw(painter, canvas.rect(), page, ReadingFormat.font, startsWithHeading);
        return canvas;
    };
    const auto darkPixels = [](const QImage &image, int fromRow, int toRow) {
        int dark = 0;
        for (int y = fromRow; y < toRow; ++y) {
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
        return dark;
    };
    const int lineHeight = QFontMetrics(ReadingFormat.font).height();
    const QImage regular = drawn(false);
    const QImage heading = drawn(true);
    QVERIFY(darkPixels(heading, 0, lineHeight) > darkPixels(regular, 0, lineHeight) * 5 / 4);
    const int headingHeight = QFontMetrics(MeasuringFonts::headingFont(ReadingFormat.font)).height();
    QCOMPARE(darkPixels(heading, headingHeight, heading.height()), darkPixels(regular, lineHeight, regular.height()));
}

// Blank lines a page would begin with take no room and are not drawn, so every page's text
// starts at its top line; and no page is left with nothing to show.
void TestPaginator::pagesShowTextFromTheirTopAndNoneIsBlank_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("chaptersStartPages");

    QString spaced;
    for (int p = 0; p < 300; ++p)
        spaced += QStringLiteral("The lamp was lit at dusk and the boats came in one by one, %1.\n\n\n\n").arg(p);
    QString chapters;
    for (int c = 1; c <= 30; ++c) {
        chapters += QStringLiteral("CHAPTER %1.\nThe Harbour\n\n").arg(c);
        for (int p = 0; p < 6 + c % 5; ++p)
            chapters += QStringLiteral("The keeper counted the steps, one by one, up to the light.\n\n");
        chapters += QStringLiteral("\n").repeated(c % 7);
    }
    QTest::newRow("blank lines between paragraphs") << spaced << false;
    QTest::newRow("a book ending in many blank lines")
            << QStringLiteral("The last words of the book.\n").repeated(60) + QStringLiteral("\n").repeated(400) << false;
    QTest::newRow("blank lines before headings, chapters start pages") << chapters << true;
    QTest::newRow("blank lines before headings, chapters run on") << chapters << false;
}

void TestPaginator::pagesShowTextFromTheirTopAndNoneIsBlank()
{
    QFETCH(QString, text);
    QFETCH(bool, chaptersStartPages);
    PageFormat format = ReadingFormat;
    format.chaptersStartPages = chaptersStartPages;
    const std::vector<Chapter> headings = chaptersStartPages ? ChapterDetector::detect(text) : std::vector<Chapter>{};
    const std::vector<QString> pages = Paginator(format).paginate(text, headings);
    verifyPages(pages, text, format);
    QVERIFY(pages.size() > 1);
    const int lineHeight = qCeil(QFontMetricsF(MeasuringFonts::headingFont(format.font)).lineSpacing());
    for (size_t i = 0; i < pages.size(); ++i) {
        QVERIFY2(!PageRenderer::isBlank(pages[i]), qPrintable(QStringLiteral("page %1 is blank").arg(i)));
        const bool heading = Paginator::startsWithHeading(pages, int(i), headings);
        QVERIFY2(inkTop(format, pages[i], heading) < lineHeight,
                 qPrintable(QStringLiteral("page %1 begins %2 px down").arg(i).arg(inkTop(format, pages[i], heading))));
    }
}

void TestPaginator::threadsMeasureWithCopiesOfTheFont_data()
{
    QTest::addColumn<QFont>("font");

    QFont pixelSized(QStringLiteral("Microsoft YaHei"));
    pixelSized.setPixelSize(23);
    QFont fractional(QStringLiteral("DejaVu Sans"));
    fractional.setPointSizeF(13.5);
    fractional.setItalic(true);
    QFont styled(QStringLiteral("DejaVu Serif"), 15, QFont::Bold, true);
    styled.setHintingPreference(QFont::PreferNoHinting);
    styled.setStyleStrategy(QFont::NoAntialias);
    QTest::newRow("reading font") << ReadingFormat.font;
    QTest::newRow("pixel size") << pixelSized;
    QTest::newRow("fractional size, italic") << fractional;
    QTest::newRow("bold italic, unhinted") << styled;
}

// Each measuring thread builds its own copy of the reading font; a copy that lost any of its
// properties would cut pages that no longer fit what the page widget draws.
void TestPaginator::threadsMeasureWithCopiesOfTheFont()
{
    QFETCH(QFont, font);
    const QFont copy = MeasuringFonts::detachedCopy(font);
    QCOMPARE(copy, font);
    QCOMPARE(copy.hintingPreference(), font.hintingPreference());
    QCOMPARE(copy.resolveMask(), font.resolveMask());

    const PageFormat format{ font, QSize(420, 500) };
    const QString text = generatedBook();
    QThreadPool pool;
    pool.setMaxThreadCount(3);
    const std::vector<QString> pages = Paginator(format, &pool).paginate(text);
    QCOMPARE(pages, Paginator(format).paginate(text));
    verifyPages(pages, text, format);
}

LEXORIN_TEST_MAIN(TestPaginator)
#include "tst_paginator.moc"
