#include "booklayout.h"
#include "chapterdetector.h"
#include "linecleaner.h"
#include "pagerenderer.h"
#include "paginator.h"
#include "paragraphfinder.h"
#include "testmain.h"

#include <QImage>
#include <QSet>
#include <QPainter>

#include <cmath>
#include <set>

// Pages cut in the book layout, checked on the lines each page draws: every character of the
// book's text is drawn once, on a page that holds it, and pages are filled the way a printed
// book fills them.
class TestBookLayout : public QObject
{
    Q_OBJECT

private slots:
    void pagesCoverTheText_data();
    void pagesCoverTheText();
    void pageEndsInsideParagraph();
    void headingNeverEndsPage_data();
    void headingNeverEndsPage();
    void volumeHeadingStandsAlone();
    void facingPagesEndOnOneRow_data();
    void facingPagesEndOnOneRow();
    void drawnLinesReachTheRightEdge();
    void highlightCoversWhatIsDrawn_data();
    void highlightCoversWhatIsDrawn();
    void settingsChangeThePage();
    void wrappedLinesAreJoined_data();
    void wrappedLinesAreJoined();
    void cleanupRulesLeaveTextOut_data();
    void cleanupRulesLeaveTextOut();
    void aReplacementIsDrawnInPlaceOfItsSpan_data();
    void aReplacementIsDrawnInPlaceOfItsSpan();

private:
    static QString book();
    static PageFormat format(int height, bool chaptersStartPages, TypesetStyle style = bookStyle());
    static TypesetStyle bookStyle();
};

namespace {

// Made once the application has set up its font substitutions, as the page widget's is.
QFont font()
{
    return QFont(QStringLiteral("Microsoft YaHei"), 14);
}

struct Cut
{
    std::vector<QString> pages;
    std::vector<Chapter> headings;
};

Cut cut(const QString &text, const PageFormat &format)
{
    const std::vector<Chapter> headings = ChapterDetector::detect(text);
    return { Paginator(format).paginate(text, headings), headings };
}

const QPoint Origin(30, 30);

QImage drawn(const QString &page, const PageFormat &format, const std::vector<PlacedLine> &lines)
{
    QImage image(format.textArea + QSize(60, 60), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    const BookLayout layout(format.font, QSizeF(format.textArea), format.style, format.chaptersStartPages);
    PageRenderer::draw(painter, QRectF(QRect(Origin, format.textArea)), page, layout, lines);
    return image;
}

// The rightmost column holding ink between two rows, or -1.
int rightmostInk(const QImage &image, int top, int bottom)
{
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = qMax(top, 0); y < qMin(bottom, image.height()); ++y) {
            if (qGray(image.pixel(x, y)) < 160)
                return x;
        }
    }
    return -1;
}

// The offsets in the whole text of the characters drawn on its pages.
QSet<qsizetype> drawnOffsets(const Cut &cut, const PageFormat &format)
{
    const BookLayout layout(format.font, QSizeF(format.textArea), format.style, format.chaptersStartPages,
                            format.cleanupRules.value_or(LineCleaner::builtInRules()));
    QSet<qsizetype> drawn;
    qsizetype pageStart = 0;
    for (int page = 0; page < int(cut.pages.size()); ++page) {
        for (const PlacedLine &line : layout.linesOfPage(cut.pages, page, cut.headings)) {
            for (qsizetype i = line.start; i < line.end; ++i) {
                if (line.x[size_t(i - line.start)] >= 0.0)
                    drawn.insert(pageStart + i);
            }
        }
        pageStart += cut.pages[size_t(page)].size();
    }
    return drawn;
}

std::vector<PlacedLine> linesOf(const Cut &cut, const PageFormat &format, int page)
{
    const BookLayout layout(format.font, QSizeF(format.textArea), format.style, format.chaptersStartPages);
    return layout.linesOfPage(cut.pages, page, cut.headings);
}

}

TypesetStyle TestBookLayout::bookStyle()
{
    TypesetStyle style;
    style.book = true;
    return style;
}

PageFormat TestBookLayout::format(int height, bool chaptersStartPages, TypesetStyle style)
{
    return { font(), QSize(320, height), chaptersStartPages, style };
}

// Chapters with paragraphs short and long, indented with ideographic spaces or not, blank
// lines between some, a watermark line, spaces at line ends.
QString TestBookLayout::book()
{
    const QStringList sentences = {
        QStringLiteral("雨下了整整一夜，到天亮才停。"), QStringLiteral("院子里的石榴树落了一地的花，红得像胭脂。"),
        QStringLiteral("她推开窗，说：「今年的花开得早——也谢得早……」"), QStringLiteral("没有人回答她。"),
        QStringLiteral("远处传来几声鸡叫，接着是挑水人的扁担吱呀吱呀地响过巷口。"),
        QStringLiteral("他用Qt 6写了一个阅读器，能读GB18030的书。"), QStringLiteral("《山居笔记》放在桌上。")
    };
    QString text = QStringLiteral("第一卷 春\n\n");
    int n = 0;
    for (int chapter = 1; chapter <= 12; ++chapter) {
        text += QStringLiteral("第%1章 花开\n").arg(chapter);
        for (int paragraph = 0; paragraph < 2 + chapter % 4; ++paragraph) {
            text += paragraph % 2 ? QStringLiteral("　　") : QStringLiteral("  ");
            const int count = 1 + (chapter * 7 + paragraph * 3) % (chapter == 5 && paragraph == 1 ? 60 : 9);
            for (int s = 0; s < count; ++s)
                text += sentences[n++ % sentences.size()];
            text += paragraph == 1 ? QStringLiteral("  \n\n\n") : QStringLiteral("\n");
        }
        if (chapter == 3)
            text += QStringLiteral("www.example.net\n");
        if (chapter == 6)
            text += QStringLiteral("第二卷 夏\n");
    }
    text += QStringLiteral("全书完");
    return text;
}

void TestBookLayout::pagesCoverTheText_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("chaptersStartPages");
    for (int height : { 180, 257, 400, 611 }) {
        QTest::addRow("%d px, chapters start pages", height) << height << true;
        QTest::addRow("%d px, chapters run on", height) << height << false;
    }
}

// The pages join back to the text, and the characters their lines draw are those of the
// text's paragraphs, each once, and nothing else: not the spaces around a paragraph, not
// blank or watermark lines. Every line lies inside the text area, and every page starts
// with a line at its top.
void TestBookLayout::pagesCoverTheText()
{
    QFETCH(int, height);
    QFETCH(bool, chaptersStartPages);
    const QString text = book();
    const PageFormat pageFormat = format(height, chaptersStartPages);
    const Cut pages = cut(text, pageFormat);
    QVERIFY(pages.pages.size() > 3);
    QCOMPARE(Paginator::textOf(pages.pages), text + u'\n');

    std::set<qsizetype> expected;
    const LineCleaner cleaner;
    qsizetype lineStart = 0;
    for (QStringView line : Paginator::paragraphsOf(text)) {
        qsizetype first = 0;
        qsizetype end = line.size();
        while (first < end && BookLayout::isSpace(line[first]))
            ++first;
        while (end > first && BookLayout::isSpace(line[end - 1]))
            --end;
        if (cleaner.droppingRule(line) < 0) {
            for (qsizetype i = first; i < end; ++i)
                expected.insert(lineStart + i);
        }
        lineStart += line.size() + 1;
    }
    std::set<qsizetype> drawn;
    for (int page = 0; page < int(pages.pages.size()); ++page) {
        const qsizetype pageStart = Paginator::offsetOfPage(pages.pages, page);
        const std::vector<PlacedLine> lines = linesOf(pages, pageFormat, page);
        QVERIFY2(!lines.empty(), qPrintable(pages.pages[size_t(page)]));
        QVERIFY(lines.front().top == 0.0 || lines.front().heading);
        for (const PlacedLine &line : lines) {
            QVERIFY2(line.top + line.height <= height + 1e-6,
                     qPrintable(QStringLiteral("%1 %2 %3").arg(line.top).arg(line.height).arg(pages.pages[size_t(page)])));
            for (qsizetype i = line.start; i < line.end; ++i) {
                if (line.x[size_t(i - line.start)] >= 0.0)
                    QVERIFY2(drawn.insert(pageStart + i).second, qPrintable(text.mid(pageStart + i, 10)));
            }
        }
    }
    std::vector<qsizetype> missing;
    std::set_difference(expected.begin(), expected.end(), drawn.begin(), drawn.end(), std::back_inserter(missing));
    std::vector<qsizetype> extra;
    std::set_difference(drawn.begin(), drawn.end(), expected.begin(), expected.end(), std::back_inserter(extra));
    QVERIFY2(missing.empty(), qPrintable(missing.empty() ? QString() : text.mid(missing.front(), 20)));
    QVERIFY2(extra.empty(), qPrintable(extra.empty() ? QString() : text.mid(extra.front(), 20)));
}

void TestBookLayout::pageEndsInsideParagraph()
{
    const PageFormat pageFormat = format(257, false);
    const Cut pages = cut(book(), pageFormat);
    int inside = 0;
    for (size_t page = 0; page + 1 < pages.pages.size(); ++page) {
        if (pages.pages[page].endsWith(u'\n'))
            continue;
        ++inside;
        // The last line before the break is stretched to the edge like any line but a
        // paragraph's last, and the next page goes on without an indent.
        const std::vector<PlacedLine> before = linesOf(pages, pageFormat, int(page));
        const std::vector<PlacedLine> after = linesOf(pages, pageFormat, int(page) + 1);
        const BookLayout layout(font(), QSizeF(pageFormat.textArea), pageFormat.style, false);
        const PlacedLine &last = before.back();
        QVERIFY(qAbs(last.right - pageFormat.textArea.width()) < 0.5);
        QCOMPARE(after.front().start, 0);
        QCOMPARE(after.front().x.front(), 0.0);
        const qreal spare = pageFormat.textArea.height() - (last.top + last.height);
        QVERIFY(spare < layout.lineHeight());
    }
    QVERIFY(inside > 0);
}

void TestBookLayout::headingNeverEndsPage_data()
{
    QTest::addColumn<int>("height");
    for (int height = 300; height < 640; height += 7)
        QTest::addRow("%d px", height) << height;
}

// With chapters running on, a heading that would be last on its page moves on to the next
// page with the first lines of its text.
void TestBookLayout::headingNeverEndsPage()
{
    QFETCH(int, height);
    const PageFormat pageFormat = format(height, false);
    const Cut pages = cut(book(), pageFormat);
    for (int page = 0; page < int(pages.pages.size()); ++page) {
        const std::vector<PlacedLine> lines = linesOf(pages, pageFormat, page);
        size_t lastHeading = lines.size();
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].heading)
                lastHeading = i;
        }
        if (lastHeading == lines.size() || page + 1 == int(pages.pages.size()))
            continue;
        QVERIFY2(lines.size() - lastHeading > 2, qPrintable(pages.pages[size_t(page)]));
    }
}

void TestBookLayout::facingPagesEndOnOneRow_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("chaptersStartPages");
    QTest::addColumn<int>("paragraphSpacing");
    for (int height : { 257, 400, 611 }) {
        for (int spacing : { 30, 0, 100 }) {
            QTest::addRow("%d px, spacing %d, chapters start pages", height, spacing) << height << true << spacing;
            QTest::addRow("%d px, spacing %d, chapters run on", height, spacing) << height << false << spacing;
        }
    }
}

// Every page the text runs on past ends on the same row, the last one a page of body lines
// alone fills, so the last lines of facing pages line up; each page keeps its characters,
// its top and its line pitch inside paragraphs. A page before a chapter ends where it ends.
void TestBookLayout::facingPagesEndOnOneRow()
{
    QFETCH(int, height);
    QFETCH(bool, chaptersStartPages);
    QFETCH(int, paragraphSpacing);
    TypesetStyle style = bookStyle();
    style.paragraphSpacing = paragraphSpacing;
    const PageFormat pageFormat = format(height, chaptersStartPages, style);
    const Cut pages = cut(book(), pageFormat);
    const BookLayout single(font(), QSizeF(pageFormat.textArea), style, chaptersStartPages);
    BookLayout facing(font(), QSizeF(pageFormat.textArea), style, chaptersStartPages);
    facing.setFacingPages(true);
    const qreal pitch = facing.lineHeight();
    const qreal lastRow = std::floor(height / pitch) * pitch;
    int runningOn = 0;
    int withGaps = 0;
    int unevenBefore = 0;
    for (int page = 0; page + 1 < int(pages.pages.size()); ++page) {
        const qsizetype next = Paginator::offsetOfPage(pages.pages, page + 1);
        if (std::any_of(pages.headings.begin(), pages.headings.end(),
                        [next](const Chapter &heading) { return heading.offset == next; }))
            continue;
        ++runningOn;
        const std::vector<PlacedLine> set = single.linesOfPage(pages.pages, page, pages.headings);
        const std::vector<PlacedLine> lines = facing.linesOfPage(pages.pages, page, pages.headings);
        QCOMPARE(lines.size(), set.size());
        const QString context = pages.pages[size_t(page)].left(12);
        bool hasGaps = false;
        QCOMPARE(lines.front().top, set.front().top);
        for (size_t k = 0; k < lines.size(); ++k) {
            QCOMPARE(lines[k].start, set[k].start);
            QCOMPARE(lines[k].end, set[k].end);
            if (k == 0)
                continue;
            const qreal gap = lines[k].top - (lines[k - 1].top + lines[k - 1].height);
            QVERIFY2(gap > -1e-6, qPrintable(context));
            if (set[k].top - (set[k - 1].top + set[k - 1].height) < 1e-9)
                QVERIFY2(qAbs(gap) < 1e-6, qPrintable(context));
            else
                hasGaps = true;
        }
        // A page of one paragraph has no gap to even out: it keeps its pitch.
        if (!hasGaps)
            continue;
        ++withGaps;
        QVERIFY2(qAbs(lines.back().top + lines.back().height - lastRow) < 1e-6, qPrintable(context));
        if (qAbs(set.back().top + set.back().height - lastRow) > 0.5)
            ++unevenBefore;
    }
    QVERIFY(runningOn > 0);
    QVERIFY(withGaps > 0);
    if (paragraphSpacing > 0)
        QVERIFY(unevenBefore > 0);
}

void TestBookLayout::volumeHeadingStandsAlone()
{
    const PageFormat pageFormat = format(400, true);
    const Cut pages = cut(book(), pageFormat);
    int volumes = 0;
    for (int page = 0; page < int(pages.pages.size()); ++page) {
        if (!pages.pages[size_t(page)].contains(QStringLiteral("卷 ")))
            continue;
        ++volumes;
        const std::vector<PlacedLine> lines = linesOf(pages, pageFormat, page);
        QCOMPARE(lines.size(), size_t(1));
        QVERIFY(lines.front().heading);
        QVERIFY(lines.front().top > 100);
    }
    QCOMPARE(volumes, 2);

    // Where chapters run on, a volume heading is set like a chapter's, with text after it.
    const PageFormat runOn = format(400, false);
    const Cut runOnPages = cut(book(), runOn);
    QVERIFY(linesOf(runOnPages, runOn, 0).size() > 3);
}

// On the drawn page, every line but a paragraph's last ends at the text area's right edge:
// its last character's ink lies within an em of it, and none lies beyond.
void TestBookLayout::drawnLinesReachTheRightEdge()
{
    const PageFormat pageFormat = format(400, false);
    const Cut pages = cut(book(), pageFormat);
    const BookLayout layout(pageFormat.font, QSizeF(pageFormat.textArea), pageFormat.style, false);
    const int em = QFontMetrics(pageFormat.font).horizontalAdvance(QChar(0x4E2D));
    const int right = Origin.x() + pageFormat.textArea.width();
    int stretched = 0;
    for (int page = 0; page < 6; ++page) {
        const std::vector<PlacedLine> lines = linesOf(pages, pageFormat, page);
        const QImage image = drawn(pages.pages[size_t(page)], pageFormat, lines);
        for (size_t i = 0; i < lines.size(); ++i) {
            const PlacedLine &line = lines[i];
            const int top = Origin.y() + qCeil(line.top);
            const int ink = rightmostInk(image, top, top + qFloor(line.height));
            QVERIFY(ink <= right);
            const QString &text = pages.pages[size_t(page)];
            const qsizetype lineEnd = text.indexOf(u'\n', line.end);
            const bool endsParagraph = lineEnd >= 0 && text.mid(line.end, lineEnd - line.end).trimmed().isEmpty();
            if (line.heading || endsParagraph)
                continue;
            ++stretched;
            QVERIFY2(ink > right - em, qPrintable(text.mid(line.start, line.end - line.start)));
        }
    }
    QVERIFY(stretched > 20);
}

void TestBookLayout::highlightCoversWhatIsDrawn_data()
{
    QTest::addColumn<bool>("inHeading");
    QTest::addColumn<int>("lines");
    QTest::newRow("in a line") << false << 1;
    QTest::newRow("across lines") << false << 3;
    QTest::newRow("in a heading") << true << 1;
}

// Drawing the page again with other characters of the same width in the stretch changes
// pixels only inside the rectangles given for it.
void TestBookLayout::highlightCoversWhatIsDrawn()
{
    QFETCH(bool, inHeading);
    QFETCH(int, lines);
    const PageFormat pageFormat = format(400, false);
    const Cut pages = cut(book(), pageFormat);
    int page = 0;
    std::vector<PlacedLine> placed;
    size_t first = 0;
    for (;; ++page) {
        QVERIFY(page < int(pages.pages.size()));
        placed = linesOf(pages, pageFormat, page);
        const auto heading = std::find_if(placed.begin(), placed.end(),
                                          [](const PlacedLine &line) { return line.heading; });
        first = size_t(heading - placed.begin()) + 1;
        if (inHeading && heading != placed.end() && page > 0) {
            first = size_t(heading - placed.begin());
            break;
        }
        if (!inHeading && heading != placed.end() && first + size_t(lines) < placed.size())
            break;
    }
    const qsizetype start = placed[first].start + 1;
    const qsizetype length = lines == 1 ? 3 : placed[first + size_t(lines) - 1].start + 2 - start;
    const QString text = pages.pages[size_t(page)];
    QString changed = text;
    for (int i = start; i < start + length; ++i) {
        if (changed[i].unicode() >= 0x4E00 && changed[i].unicode() < 0xA000)
            changed[i] = QChar(0x53E3);
    }
    QVERIFY(changed != text);
    const QImage before = drawn(text, pageFormat, placed);
    const QImage after = drawn(changed, pageFormat, placed);
    const BookLayout layout(pageFormat.font, QSizeF(pageFormat.textArea), pageFormat.style, false);
    const QList<QRectF> rects = PageRenderer::rectsOf(QRectF(QRect(Origin, pageFormat.textArea)), text,
                                                      layout, placed, start, length);
    QCOMPARE(rects.size(), lines);
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y))
                continue;
            const bool inside = std::any_of(rects.begin(), rects.end(), [x, y](const QRectF &rect) {
                return rect.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5));
            });
            QVERIFY2(inside, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
}

void TestBookLayout::cleanupRulesLeaveTextOut_data()
{
    QTest::addColumn<CleanupRule>("rule");
    QTest::addColumn<bool>("builtInsOn");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("shown");

    const CleanupRule endMark{ QStringLiteral("end"), CleanupRule::Kind::RegularExpression, QStringLiteral("本章完.*"),
                               CleanupRule::Scope::WholeLine, QString(), true };
    const CleanupRule plea{ QStringLiteral("plea"), CleanupRule::Kind::PlainText, QStringLiteral("（求收藏）"),
                            CleanupRule::Scope::Span, QString(), true };
    CleanupRule turnedOff = endMark;
    turnedOff.enabled = false;
    QTest::newRow("line dropped") << endMark << true << QStringLiteral("本章完（二）") << false;
    QTest::newRow("span left out") << plea << true << QStringLiteral("（求收藏）") << false;
    QTest::newRow("rule turned off") << turnedOff << true << QStringLiteral("本章完（二）") << true;
    QTest::newRow("watermark, built-ins on") << plea << true << QStringLiteral("www.example.net") << false;
    QTest::newRow("watermark, built-ins off") << plea << false << QStringLiteral("www.example.net") << true;
}

// What a rule leaves out is not drawn, and the pages still join to the text, so every
// place stays where it was.
void TestBookLayout::cleanupRulesLeaveTextOut()
{
    QFETCH(CleanupRule, rule);
    QFETCH(bool, builtInsOn);
    QFETCH(QString, target);
    QFETCH(bool, shown);
    std::vector<CleanupRule> rules = LineCleaner::builtInRules();
    for (CleanupRule &builtIn : rules)
        builtIn.enabled = builtInsOn;
    rules.push_back(rule);
    PageFormat pageFormat = format(300, false);
    pageFormat.cleanupRules = rules;
    QString text = book();
    text.replace(QStringLiteral("没有人回答她。"), QStringLiteral("没有人回答她（求收藏）。\n本章完（二）"));
    const Cut pages = cut(text, pageFormat);
    QCOMPARE(Paginator::textOf(pages.pages), text + u'\n');
    const QSet<qsizetype> drawn = drawnOffsets(pages, pageFormat);
    int found = 0;
    for (qsizetype at = text.indexOf(target); at >= 0; at = text.indexOf(target, at + 1), ++found) {
        for (qsizetype i = at; i < at + target.size(); ++i)
            QCOMPARE(drawn.contains(i), shown);
        // The text around it is drawn whatever the rule.
        if (text[at - 1] != u'\n')
            QVERIFY(drawn.contains(at - 1));
    }
    QVERIFY(found > 0);
}

void TestBookLayout::aReplacementIsDrawnInPlaceOfItsSpan_data()
{
    QTest::addColumn<CleanupRule>("rule");
    QTest::addColumn<QString>("drawn");

    QTest::newRow("plain text") << CleanupRule{ QStringLiteral("plea"), CleanupRule::Kind::PlainText, QStringLiteral("（求收藏）"),
                                                CleanupRule::Scope::Span, QStringLiteral("！"), true }
                                << QStringLiteral("她说！好。");
    QTest::newRow("expression with a group")
            << CleanupRule{ QStringLiteral("brackets"), CleanupRule::Kind::RegularExpression, QStringLiteral("（求(收藏)）"),
                            CleanupRule::Scope::Span, QStringLiteral("\\1"), true }
            << QStringLiteral("她说收藏好。");
    QTest::newRow("longer replacement, cut to the span")
            << CleanupRule{ QStringLiteral("long"), CleanupRule::Kind::PlainText, QStringLiteral("求收藏"),
                            CleanupRule::Scope::Span, QStringLiteral("一二三四五"), true }
            << QStringLiteral("她说（一二三）好。");
}

// The page's text stays the file's; what replaces a span is drawn in its first characters'
// places, the rest of it not at all.
void TestBookLayout::aReplacementIsDrawnInPlaceOfItsSpan()
{
    QFETCH(CleanupRule, rule);
    QFETCH(QString, drawn);
    const QString page = QStringLiteral("她说（求收藏）好。\n");
    const PageFormat pageFormat = format(300, false);
    const BookLayout layout(pageFormat.font, QSizeF(pageFormat.textArea), pageFormat.style, false, { rule });
    const std::vector<PlacedLine> lines = layout.linesOfPage(std::vector<QString>{ page }, 0, {});
    QCOMPARE(lines.size(), size_t(1));
    const PlacedLine &line = lines.front();
    QString shown;
    for (qsizetype i = line.start; i < line.end; ++i) {
        const qsizetype k = i - line.start;
        if (line.x[size_t(k)] >= 0.0)
            shown += k < line.shown.size() && !line.shown[k].isNull() ? line.shown[k] : page[i];
    }
    QCOMPARE(shown, drawn);
}

// Wider spacing takes more pages; narrower takes fewer.
void TestBookLayout::settingsChangeThePage()
{
    TypesetStyle loose = bookStyle();
    loose.lineSpacing = 200;
    loose.paragraphSpacing = 100;
    TypesetStyle tight = bookStyle();
    tight.lineSpacing = 100;
    tight.paragraphSpacing = 0;
    tight.indent = 0;
    const size_t normal = cut(book(), format(400, false)).pages.size();
    QVERIFY(cut(book(), format(400, false, loose)).pages.size() > normal);
    QVERIFY(cut(book(), format(400, false, tight)).pages.size() < normal);
}

namespace {

// A book as an old editor saved it: each paragraph's lines as given, and where each paragraph
// starts once its leading spaces are passed.
struct WrappedBook
{
    QString text;
    std::vector<qsizetype> paragraphStarts;

    void add(const QStringList &lines, const QString &indent = {})
    {
        if (!text.isEmpty())
            text += u'\n';
        text += indent;
        paragraphStarts.push_back(text.size());
        text += lines.join(u'\n');
    }
    void addBlankLine() { text += u'\n'; }
};

QStringList wrappedAt(const QString &paragraph, int width, bool byWords)
{
    QStringList lines;
    if (!byWords) {
        for (qsizetype i = 0; i < paragraph.size(); i += width)
            lines << paragraph.mid(i, width);
        return lines;
    }
    QString line;
    for (const QString &word : paragraph.split(u' ')) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            // Some editors leave the space the line broke at.
            lines << line + (lines.size() % 3 == 1 ? QStringLiteral(" ") : QString());
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return lines << line;
}

const QString ChineseStory = QStringLiteral(
        "渡口的老船夫每天天不亮就起来，先把船里的积水舀干净，再把缆绳从柳树上解下来，"
        "等着第一个过河的人。他撑了三十多年的船，河里哪一块石头在什么地方，他闭着眼睛也知道，"
        "可是今年春天的水涨得特别快，连他也不敢大意。");
const QString EnglishStory = QStringLiteral(
        "The ferryman rose before dawn every day, bailed the night's rain out of his boat, untied "
        "the rope from the willow and waited for the first traveller of the morning. He had poled "
        "across that river for thirty years and knew every stone in it, yet this spring the water "
        "rose so fast that even he went carefully.");

WrappedBook hardWrappedBook(bool english)
{
    WrappedBook book;
    const QString story = english ? EnglishStory : ChineseStory;
    for (int chapter = 1; chapter <= 4; ++chapter) {
        book.add({ english ? QStringLiteral("Chapter %1").arg(chapter) : QStringLiteral("第%1章 渡口").arg(chapter) });
        for (int paragraph = 0; paragraph < 3; ++paragraph) {
            const QString text = story.left(story.size() * (paragraph + 2) / 4);
            const QStringList lines = wrappedAt(text, english ? 68 : 30, english);
            const QString indent = english ? QString() : QStringLiteral("　　");
            if (chapter == 3 && paragraph == 2) {
                // A site's watermark amid a paragraph's lines.
                book.add(lines.mid(0, 1), indent);
                book.add({ QStringLiteral("www.example.net") });
                book.add(lines.mid(1));
            } else {
                book.add(lines, indent);
            }
            if (paragraph == 1) {
                book.addBlankLine();
                book.addBlankLine();
            }
        }
        if (english && chapter == 2) {
            book.add({ QStringLiteral("1. Bail the boat before dawn.") });
            book.add({ QStringLiteral("2. Untie the rope from the willow.") });
        }
    }
    return book;
}

WrappedBook verseBook()
{
    WrappedBook book;
    for (int stanza = 0; stanza < 6; ++stanza) {
        book.add({ QStringLiteral("河水涨了，柳树绿了，") });
        book.add({ QStringLiteral("老船夫的船还在渡口。") });
    }
    return book;
}

}

void TestBookLayout::wrappedLinesAreJoined_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::vector<qsizetype>>("paragraphStarts");
    QTest::addColumn<bool>("joined");

    const WrappedBook chinese = hardWrappedBook(false);
    QTest::newRow("chinese, hard-wrapped") << chinese.text << chinese.paragraphStarts << true;
    const WrappedBook english = hardWrappedBook(true);
    QTest::newRow("english, hard-wrapped, with a list") << english.text << english.paragraphStarts << true;
    const WrappedBook verse = verseBook();
    QTest::newRow("verse") << verse.text << verse.paragraphStarts << false;
    // Written a paragraph a line, each line its own paragraph whatever its length.
    WrappedBook unwrapped;
    for (int paragraph = 0; paragraph < 12; ++paragraph)
        unwrapped.add({ ChineseStory.left(30 + paragraph * 7) + QStringLiteral("。") }, QStringLiteral("　　"));
    QTest::newRow("a paragraph a line") << unwrapped.text << unwrapped.paragraphStarts << false;
}

// A hard-wrapped book is set with its wrapped lines joined: every line on the page but a
// paragraph's last reaches the right edge, where the file's short lines would leave it
// ragged, while each paragraph of the file still starts a line. Verse and books written a
// paragraph a line keep every line of the file. The pages still join back to the text.
void TestBookLayout::wrappedLinesAreJoined()
{
    QFETCH(QString, text);
    QFETCH(std::vector<qsizetype>, paragraphStarts);
    QFETCH(bool, joined);

    const std::vector<QStringView> lines = Paginator::paragraphsOf(text);
    const std::vector<qsizetype> joins = ParagraphFinder(text, lines).joinedLineEnds();
    QCOMPARE(!joins.empty(), joined);
    const PageFormat pageFormat = format(300, true);
    const std::vector<Chapter> headings = ChapterDetector::detect(lines);
    const std::vector<QString> pages = Paginator(pageFormat).paginate(
            ParagraphFinder::joinedLines(text, lines, joins), headings);
    QCOMPARE(Paginator::textOf(pages), text + u'\n');

    const BookLayout layout(pageFormat.font, QSizeF(pageFormat.textArea), pageFormat.style, true);
    const auto endsParagraph = [&](qsizetype end) {
        while (end < text.size() && BookLayout::isSpace(text[end]))
            ++end;
        return end == text.size() || (text[end] == u'\n' && !std::binary_search(joins.begin(), joins.end(), end));
    };
    std::set<qsizetype> lineStarts;
    int fullLines = 0;
    for (int page = 0; page < int(pages.size()); ++page) {
        const qsizetype pageStart = Paginator::offsetOfPage(pages, page);
        for (const PlacedLine &line : layout.linesOfPage(pages, page, headings, joins)) {
            lineStarts.insert(pageStart + line.start);
            if (line.heading || endsParagraph(pageStart + line.end))
                continue;
            ++fullLines;
            QVERIFY2(qAbs(line.right - pageFormat.textArea.width()) < 0.5,
                     qPrintable(text.mid(pageStart + line.start, line.end - line.start)));
        }
    }
    QVERIFY(fullLines > 0 || !joined);
    const LineCleaner cleaner;
    for (qsizetype start : paragraphStarts) {
        const QStringView line = QStringView(text).sliced(start).split(u'\n').front();
        // A watermark line is neither joined nor drawn.
        QVERIFY2(lineStarts.count(start) == (cleaner.droppingRule(line) < 0), qPrintable(text.mid(start, 20)));
    }
}

LEXORIN_TEST_MAIN(TestBookLayout)
#include "tst_booklayout.moc"
