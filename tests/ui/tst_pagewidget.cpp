#include "pagecurl.h"
#include "pagewidget.h"
#include "testmain.h"

class TestPageWidget : public QObject
{
    Q_OBJECT

private slots:
    void curlGeometryHalfwayThroughATurn_data();
    void curlGeometryHalfwayThroughATurn();
    void emptyWidgetShowsTheBackdrop();
    void everyPaintCoversTheWholeWidget_data();
    void everyPaintCoversTheWholeWidget();
    void foldShadowShowsOnPaleAndDarkPages_data();
    void foldShadowShowsOnPaleAndDarkPages();
    void pageOutsideTheListStartsNoTurn();
    void requestsDuringATurnEndOnTheLatest();
    void replacingPagesDuringATurnNeverPaintsOutsideThem();
    void onlyPagesStartingWithAHeadingDrawItInBold();
    void aHighlightOverAPageBreakMarksBothPages_data();
    void aHighlightOverAPageBreakMarksBothPages();

private:
    static void waitForTurnsToEnd(PageWidget &widget);
};

void TestPageWidget::curlGeometryHalfwayThroughATurn_data()
{
    QTest::addColumn<bool>("forward");
    QTest::addColumn<float>("angle");
    QTest::addColumn<QPointF>("control");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<QRect>("strip");
    QTest::addColumn<QRectF>("shadow");

    QTest::newRow("forward") << true << 45.0f << QPointF(210, 160) << QPointF(0, 400)
                             << QRect(0, 0, 300, 800) << QRectF(280, -80, 20, 960);
    QTest::newRow("backward") << false << -45.0f << QPointF(390, 160) << QPointF(600, 400)
                              << QRect(300, 0, 300, 800) << QRectF(300, -80, 20, 960);
}

void TestPageWidget::curlGeometryHalfwayThroughATurn()
{
    QFETCH(bool, forward);
    QFETCH(float, angle);
    QFETCH(QPointF, control);
    QFETCH(QPointF, end);
    QFETCH(QRect, strip);
    QFETCH(QRectF, shadow);

    const PageCurl curl(QSize(600, 800), 0.5f, forward);
    QCOMPARE(curl.foldX(), 300.0f);
    QCOMPARE(curl.angle(), angle);
    QCOMPARE(curl.bulge(), 80.0f);
    QCOMPARE(curl.lift(), 160.0f);
    QCOMPARE(curl.curveControl(), control);
    QCOMPARE(curl.curveEnd(), end);
    QCOMPARE(curl.outgoingStrip(), strip);
    QCOMPARE(curl.shadowRect(), shadow);
    QCOMPARE(curl.sheetRect(), QRect(0, -80, 600, 960));
    QCOMPARE(curl.sheetTextRect(), QRect(30, 70, 600, 800));

    // The sheet hinges on the fold line and is lowered by the drop.
    const QPointF hinge = curl.sheetTransform().map(QPointF(300, 0));
    QCOMPARE(hinge, QPointF(300, PageCurl::SheetDrop));
    const QPointF outline = curl.sheetOutline().currentPosition();
    QCOMPARE(outline, QPointF(300, -80));
}

void TestPageWidget::emptyWidgetShowsTheBackdrop()
{
    PageWidget widget;
    widget.resize(200, 300);
    widget.setBackgroundColor(Qt::red);
    const QImage image = widget.grab().toImage();
    QCOMPARE(image.pixelColor(100, 150), QColor(200, 190, 180));
}

// Nothing beneath the page is painted before it, so each of its paints must leave no pixel
// clear, whatever the page's colour.
void TestPageWidget::everyPaintCoversTheWholeWidget_data()
{
    QTest::addColumn<bool>("hasPages");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<float>("progress");

    const QColor paper(250, 245, 235);
    const QColor seeThrough(250, 245, 235, 90);
    QTest::newRow("no book") << false << paper << 0.0f;
    QTest::newRow("page at rest") << true << paper << 0.0f;
    QTest::newRow("mid-turn") << true << paper << 0.3f;
    QTest::newRow("see-through colour at rest") << true << seeThrough << 0.0f;
    QTest::newRow("see-through colour mid-turn") << true << seeThrough << 0.3f;
}

void TestPageWidget::everyPaintCoversTheWholeWidget()
{
    QFETCH(bool, hasPages);
    QFETCH(QColor, background);
    QFETCH(float, progress);

    PageWidget widget;
    widget.resize(200, 300);
    widget.setBackgroundColor(background);
    if (hasPages) {
        widget.setPages({ QStringLiteral("一页书\n"), QStringLiteral("两页书\n") });
        widget.flipToPage(1, true);
        widget.setFlipProgress(progress);
    }
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());

    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(qAlpha(row[x]) == 255, qPrintable(QStringLiteral("clear at %1, %2").arg(x).arg(y)));
    }
}

void TestPageWidget::foldShadowShowsOnPaleAndDarkPages_data()
{
    QTest::addColumn<QColor>("background");

    QTest::newRow("paper") << QColor(250, 245, 235);
    QTest::newRow("sepia") << QColor(0xf4, 0xec, 0xd8);
    QTest::newRow("night") << QColor(0x1e, 0x1f, 0x22);
    QTest::newRow("dark blue") << QColor(0x10, 0x24, 0x3a);
}

// Along a row below the text, the fold's shadow is clearly darker than both the page and
// the sheet it falls on.
void TestPageWidget::foldShadowShowsOnPaleAndDarkPages()
{
    QFETCH(QColor, background);
    PageWidget widget;
    widget.resize(300, 400);
    widget.setBackgroundColor(background);
    widget.setPages({ QStringLiteral("一页书\n"), QStringLiteral("两页书\n") });
    widget.flipToPage(1, true);
    widget.setFlipProgress(0.4f);
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());

    const int y = widget.height() - 60;
    const int fold = int(PageCurl(widget.size(), 0.4f, true).foldX());
    int darkest = 255;
    int lightest = 0;
    for (int x = fold - 30; x <= fold + 5; ++x) {
        const int lightness = image.pixelColor(x, y).lightness();
        darkest = qMin(darkest, lightness);
        lightest = qMax(lightest, lightness);
    }
    const QString seen = QStringLiteral("%1 to %2").arg(darkest).arg(lightest);
    QVERIFY2(darkest <= background.lightness() - 15, qPrintable(seen));
    QVERIFY2(darkest <= lightest - 15, qPrintable(seen));
}

void TestPageWidget::pageOutsideTheListStartsNoTurn()
{
    PageWidget widget;
    widget.setPages({ QStringLiteral("一\n"), QStringLiteral("二\n") });
    for (int index : { -1, 2 }) {
        widget.flipToPage(index, true);
        QVERIFY(!widget.isTurning());
        QCOMPARE(widget.restingPage(), 0);
    }
}

void TestPageWidget::requestsDuringATurnEndOnTheLatest()
{
    PageWidget widget;
    widget.resize(300, 400);
    widget.show();
    widget.setPages({ QStringLiteral("一\n"), QStringLiteral("二\n"), QStringLiteral("三\n"),
                      QStringLiteral("四\n") });
    widget.flipToPage(1, true);
    QVERIFY(widget.isTurning());
    widget.flipToPage(2, true);
    widget.flipToPage(3, true);
    QCOMPARE(widget.restingPage(), 3);

    waitForTurnsToEnd(widget);
    QCOMPARE(widget.restingPage(), 3);
    QCOMPARE(widget.flipProgress(), 1.0f);
}

void TestPageWidget::replacingPagesDuringATurnNeverPaintsOutsideThem()
{
    PageWidget widget;
    widget.resize(300, 400);
    widget.show();
    std::vector<QString> many(10, QStringLiteral("页\n"));
    widget.setPages(many);
    widget.flipToPage(9, true);
    widget.flipToPage(8, false);
    QTest::qWait(100);

    widget.setPages({ QStringLiteral("新书\n") });
    QVERIFY(!widget.isTurning());
    QCOMPARE(widget.restingPage(), 0);
    widget.grab();
    widget.flipToPage(0, true);
    waitForTurnsToEnd(widget);
    QCOMPARE(widget.restingPage(), 0);
}

// The widget is told the headings of its pages, and draws bold only the page whose start is
// a heading: the first page here, not the second, whose first line merely reads like one.
void TestPageWidget::onlyPagesStartingWithAHeadingDrawItInBold()
{
    const std::vector<QString> pages{ QStringLiteral("第一章 出山\n　　他下了山。\n"),
                                      QStringLiteral("第一章 出山\n　　他又下了山。\n") };
    const std::vector<Chapter> headings{ { 0, 6, QStringLiteral("第一章 出山"), Chapter::Section } };
    const auto drawn = [&pages](const std::vector<Chapter> &headings, int page) {
        PageWidget widget;
        widget.resize(300, 400);
        widget.setPages(pages);
        widget.setHeadings(headings);
        widget.showPage(page);
        return widget.grab().toImage();
    };

    QVERIFY(drawn(headings, 0) != drawn({}, 0));
    QCOMPARE(drawn(headings, 1), drawn({}, 1));
}

void TestPageWidget::waitForTurnsToEnd(PageWidget &widget)
{
    QTRY_VERIFY_WITH_TIMEOUT(!widget.isTurning(), 5000);
}

void TestPageWidget::aHighlightOverAPageBreakMarksBothPages_data()
{
    QTest::addColumn<bool>("bookLayout");
    QTest::newRow("plain") << false;
    QTest::newRow("book layout") << true;
}

// A match of six characters from the last three of one page to the first three of the next.
void TestPageWidget::aHighlightOverAPageBreakMarksBothPages()
{
    QFETCH(bool, bookLayout);
    PageWidget widget;
    widget.resize(600, 700);
    TypesetStyle style;
    style.book = bookLayout;
    widget.setTypesetStyle(style);
    widget.setPages(std::vector<QString>{ QStringLiteral("海面上起了雾"), QStringLiteral("灯塔亮了。\n"),
                                          QStringLiteral("船回来了。\n") });
    widget.setHighlight(0, 3, 6);
    QCOMPARE(widget.highlightRects(0).size(), 1);
    QCOMPARE(widget.highlightRects(1).size(), 1);
    QVERIFY(widget.highlightRects(2).isEmpty());
    // The next page's part starts its first line.
    QVERIFY(widget.highlightRects(1).front().left() < widget.highlightRects(0).front().left());
    widget.setHighlight(1, 2, 2);
    QVERIFY(widget.highlightRects(0).isEmpty());
    QVERIFY(widget.highlightRects(2).isEmpty());
}

LEXORIN_TEST_MAIN(TestPageWidget)
#include "tst_pagewidget.moc"
