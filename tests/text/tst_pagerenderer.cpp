#include "pagerenderer.h"
#include "testmain.h"

#include <QImage>
#include <QPainter>

// The rectangles given for a stretch of a page cover exactly where draw puts it: drawing the
// page again with other characters of the same width in that stretch changes pixels only
// inside them.
class TestPageRenderer : public QObject
{
    Q_OBJECT

private slots:
    void rectsCoverWhatIsDrawn_data();
    void rectsCoverWhatIsDrawn();
};

namespace {

const QRectF Area(30, 30, 420, 600);
const QString Heading = QStringLiteral("第七章 灯塔");
const QString Body = QStringLiteral("　　风从海上来，灯在塔上亮，夜里的船一只只回到港口。守夜人数着船，一只，两只，三只。\n"
                                    "　　天快亮的时候，雾从海面升起来，港口的灯一盏盏灭了。\n");

QImage drawn(const QString &page, bool startsWithHeading)
{
    QImage image(480, 660, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    PageRenderer::draw(painter, Area, page, QFont(QStringLiteral("Microsoft YaHei"), 14), startsWithHeading);
    return image;
}

}

void TestPageRenderer::rectsCoverWhatIsDrawn_data()
{
    QTest::addColumn<bool>("withHeading");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("lines");

    const int second = int(Body.indexOf(u'\n')) + 1;
    QTest::newRow("first line") << false << 2 << 3 << 1;
    QTest::newRow("across a wrap") << false << 20 << 16 << 2;
    QTest::newRow("second paragraph") << false << second + 4 << 4 << 1;
    QTest::newRow("in the heading") << true << 4 << 2 << 1;
    QTest::newRow("below the heading") << true << int(Heading.size()) + 1 + second + 2 << 5 << 1;
}

void TestPageRenderer::rectsCoverWhatIsDrawn()
{
    QFETCH(bool, withHeading);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, lines);

    const QString page = withHeading ? Heading + u'\n' + Body : Body;
    QString changed = page;
    changed.replace(start, length, QString(length, QChar(0x53E3)));
    const QFont font(QStringLiteral("Microsoft YaHei"), 14);
    const QList<QRectF> rects = PageRenderer::rectsOf(Area, page, font, withHeading, start, length);
    QCOMPARE(rects.size(), lines);

    const QImage before = drawn(page, withHeading);
    const QImage after = drawn(changed, withHeading);
    int differing = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y))
                continue;
            ++differing;
            const bool covered = std::any_of(rects.begin(), rects.end(), [x, y](const QRectF &rect) {
                return rect.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5));
            });
            QVERIFY2(covered, qPrintable(QStringLiteral("pixel %1,%2 changed outside the rectangles").arg(x).arg(y)));
        }
    }
    QVERIFY(differing > 0);
    // Nor much larger than the characters: at most a line high and the stretch's width.
    const qreal charWidth = QFontMetricsF(font).horizontalAdvance(QChar(0x53E3)) * (withHeading ? 1.5 : 1.0);
    qreal width = 0;
    for (const QRectF &rect : rects) {
        QVERIFY(rect.height() < 2.5 * QFontMetricsF(font).height());
        width += rect.width();
    }
    QVERIFY(width <= charWidth * length + 1);
}

LEXORIN_TEST_MAIN(TestPageRenderer)
#include "tst_pagerenderer.moc"
