#include "coverpainter.h"
#include "testmain.h"

#include <QFontMetrics>
#include <QImage>
#include <QStringList>
#include <QtTest>

namespace {

constexpr int Tolerance = 3;

const QColor SkyBlue(135, 206, 235);
const QColor Gold(255, 215, 0);

QColor mix(const QColor &from, const QColor &to, qreal t)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * t,
                            from.greenF() + (to.greenF() - from.greenF()) * t,
                            from.blueF() + (to.blueF() - from.blueF()) * t,
                            from.alphaF() + (to.alphaF() - from.alphaF()) * t);
}

// Gradients are sampled at pixel centres.
QColor boardColor(const QColor &base, int x)
{
    return mix(base.lighter(110), base.lighter(130), (x + 0.5 - 10) / 119);
}

bool isClose(const QColor &actual, const QColor &expected)
{
    return qAbs(actual.red() - expected.red()) <= Tolerance
        && qAbs(actual.green() - expected.green()) <= Tolerance
        && qAbs(actual.blue() - expected.blue()) <= Tolerance
        && qAbs(actual.alpha() - expected.alpha()) <= Tolerance;
}

QImage coverImage(const QString &title, const QColor &color)
{
    return CoverPainter::generateCover(title, color)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

QFont titleFont()
{
    QFont font;
    font.setPointSize(CoverPainter::TitlePointSize);
    font.setWeight(QFont::Bold);
    return font;
}

bool fitsTitleArea(const QString &text, int pointSize)
{
    QFont font = titleFont();
    font.setPointSize(pointSize);
    const QRect area = CoverPainter::TitleArea;
    return QFontMetrics(font).boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, text).height()
        <= area.height();
}

QStringList repeated(const QString &word, int times)
{
    QStringList words;
    for (int i = 0; i < times; ++i)
        words.append(word);
    return words;
}

}

class TestCoverPainter : public QObject
{
    Q_OBJECT

private slots:
    void paletteCyclesByPosition_data();
    void paletteCyclesByPosition();
    void marginsStayTransparent_data();
    void marginsStayTransparent();
    void shading_data();
    void shading();
    void titleAreaShowsTextOnlyForAVisibleTitle_data();
    void titleAreaShowsTextOnlyForAVisibleTitle();
    void breakTitleFillsLinesGreedily_data();
    void breakTitleFillsLinesGreedily();
    void breakTitleKeepsAnOverWideWordWhole();
    void breakTitleKeepsOnlyTheLinesThatFit_data();
    void breakTitleKeepsOnlyTheLinesThatFit();
    void titleShrinksNoFurtherThanSixPoints_data();
    void titleShrinksNoFurtherThanSixPoints();
};

void TestCoverPainter::paletteCyclesByPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("first") << 0 << SkyBlue;
    QTest::newRow("second") << 1 << QColor(255, 182, 193);
    QTest::newRow("fourth") << 3 << Gold;
    QTest::newRow("last") << 9 << QColor(240, 230, 140);
    QTest::newRow("eleventh wraps round") << 10 << SkyBlue;
    QTest::newRow("twenty-fourth") << 23 << Gold;
    QTest::newRow("negative counts back from the end") << -1 << QColor(240, 230, 140);
}

void TestCoverPainter::paletteCyclesByPosition()
{
    QFETCH(int, position);
    QFETCH(QColor, expected);

    QCOMPARE(CoverPainter::coverColor(position), expected);
}

void TestCoverPainter::marginsStayTransparent_data()
{
    QTest::addColumn<QString>("title");

    QTest::newRow("empty") << QString();
    QTest::newRow("short") << QStringLiteral("Poems");
    QTest::newRow("several words") << QStringLiteral("a b c d e f g h");
    QTest::newRow("one over-wide word") << QStringLiteral("WWWWWWWWWWWW...");
    QTest::newRow("Chinese") << QStringLiteral("星灯童话集第一卷夜航船与灯塔守");
}

void TestCoverPainter::marginsStayTransparent()
{
    QFETCH(QString, title);

    const QImage cover = coverImage(title, SkyBlue);
    QCOMPARE(cover.size(), QSize(CoverPainter::CoverWidth, CoverPainter::CoverHeight));
    for (int y = 0; y < cover.height(); ++y) {
        for (int x = 0; x < cover.width(); ++x) {
            const bool inMargin = x < 4 || y < 9 || x > 135 || y > 191;
            if (inMargin && qAlpha(cover.pixel(x, y)) != 0)
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is painted").arg(x).arg(y)));
        }
    }
}

void TestCoverPainter::shading_data()
{
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("expected");

    const QColor shadowTop(0, 0, 0, 30);
    const QColor shadowBottom(0, 0, 0, 10);
    for (const QColor &base : {SkyBlue, Gold}) {
        const QByteArray name = base.name().toLatin1();
        QTest::newRow(name + " board by the spine")
            << base << QPoint(16, 175) << boardColor(base, 16);
        QTest::newRow(name + " board middle") << base << QPoint(70, 175) << boardColor(base, 70);
        QTest::newRow(name + " board right") << base << QPoint(128, 175) << boardColor(base, 128);
        QTest::newRow(name + " spine outer edge")
            << base << QPoint(6, 100) << mix(base.darker(200), base.darker(220), 0.65);
        QTest::newRow(name + " spine over the board")
            << base << QPoint(13, 100) << base.darker(220);
        // A one-pixel rule on a whole-pixel height covers half of the rows above and below it.
        for (const int y : {20, 35, 50, 65}) {
            QTest::newRow(name + " rule at " + QByteArray::number(y))
                << base << QPoint(70, y - 1) << mix(boardColor(base, 70), base.darker(200), 0.5);
        }
        QTest::newRow(name + " shadow top")
            << base << QPoint(132, 10) << mix(shadowTop, shadowBottom, 0.5 / 179);
        QTest::newRow(name + " shadow bottom")
            << base << QPoint(132, 188) << mix(shadowTop, shadowBottom, 178.5 / 179);
    }
}

void TestCoverPainter::shading()
{
    QFETCH(QColor, base);
    QFETCH(QPoint, point);
    QFETCH(QColor, expected);

    const QColor actual = coverImage(QStringLiteral("Poems"), base).pixelColor(point);
    QVERIFY2(isClose(actual, expected),
             qPrintable(QStringLiteral("%1 instead of %2")
                            .arg(actual.name(QColor::HexArgb), expected.name(QColor::HexArgb))));
}

void TestCoverPainter::titleAreaShowsTextOnlyForAVisibleTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("expectText");

    QTest::newRow("empty") << QString() << false;
    QTest::newRow("a space") << QStringLiteral(" ") << false;
    QTest::newRow("short") << QStringLiteral("Poems") << true;
    QTest::newRow("a full stop") << QStringLiteral(".") << true;
}

void TestCoverPainter::titleAreaShowsTextOnlyForAVisibleTitle()
{
    QFETCH(QString, title);
    QFETCH(bool, expectText);

    const QImage cover = coverImage(title, SkyBlue);
    const QRect area = CoverPainter::TitleArea;
    const auto onRule = [](int y) {
        return qAbs(y - 50) <= 1 || qAbs(y - 65) <= 1;
    };
    int textPixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (onRule(y))
            continue;
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!isClose(cover.pixelColor(x, y), boardColor(SkyBlue, x)))
                ++textPixels;
        }
    }
    QCOMPARE(textPixels > 0, expectText);
}

void TestCoverPainter::breakTitleFillsLinesGreedily_data()
{
    QTest::addColumn<QString>("title");

    QTest::newRow("empty") << QString();
    QTest::newRow("fits on one line") << QStringLiteral("Poems");
    QTest::newRow("two lines") << QStringLiteral("Tales of the Harbour");
    QTest::newRow("many short words")
        << QStringLiteral("one two three four five six seven eight nine");
    QTest::newRow("long and short words")
        << QStringLiteral("Lighthouses at the northernmost capes");
}

// Nothing is lost or reordered, no line is too wide, and no line could have taken the next
// line's first word as well.
void TestCoverPainter::breakTitleFillsLinesGreedily()
{
    QFETCH(QString, title);

    const QFontMetrics metrics(titleFont());
    const QString text = CoverPainter::breakTitle(title, titleFont());
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));

    QCOMPARE(lines.join(QLatin1Char(' ')), title);
    for (int i = 0; i < lines.size(); ++i) {
        QVERIFY2(metrics.horizontalAdvance(lines.at(i)) <= CoverPainter::TitleArea.width(),
                 qPrintable(lines.at(i)));
        if (i + 1 < lines.size()) {
            const QString longer
                = lines.at(i) + QLatin1Char(' ') + lines.at(i + 1).section(QLatin1Char(' '), 0, 0);
            QVERIFY2(metrics.horizontalAdvance(longer) > CoverPainter::TitleArea.width(),
                     qPrintable(longer));
        }
    }
}

void TestCoverPainter::breakTitleKeepsAnOverWideWordWhole()
{
    const QString word = QStringLiteral("Incomprehensibilities");
    QVERIFY(QFontMetrics(titleFont()).horizontalAdvance(word) > CoverPainter::TitleArea.width());

    const QString text = CoverPainter::breakTitle(
        QStringLiteral("Tales of ") + word + QStringLiteral(" too"), titleFont());

    QCOMPARE(text.split(QLatin1Char('\n')),
             QStringList({QStringLiteral("Tales of"), word, QStringLiteral("too")}));
}

void TestCoverPainter::breakTitleKeepsOnlyTheLinesThatFit_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("expectElided");

    // Two of these never share a line, so every word makes a line of its own.
    QTest::newRow("words that fit are dropped without a mark")
        << QStringLiteral("Lighthouses") << false;
    QTest::newRow("an over-wide last line is elided")
        << QStringLiteral("Incomprehensibilities") << true;
}

void TestCoverPainter::breakTitleKeepsOnlyTheLinesThatFit()
{
    QFETCH(QString, word);
    QFETCH(bool, expectElided);

    const QFontMetrics metrics(titleFont());
    QVERIFY(metrics.horizontalAdvance(word + QLatin1Char(' ') + word)
            > CoverPainter::TitleArea.width());
    const int lineLimit = CoverPainter::TitleArea.height() / metrics.height();

    const QStringList lines = CoverPainter::breakTitle(
                                  repeated(word, lineLimit + 3).join(QLatin1Char(' ')), titleFont())
                                  .split(QLatin1Char('\n'));

    QCOMPARE(lines.size(), lineLimit);
    QCOMPARE(lines.mid(0, lineLimit - 1), repeated(word, lineLimit - 1));
    if (expectElided) {
        QVERIFY(lines.last().endsWith(QChar(0x2026)));
        QVERIFY(metrics.horizontalAdvance(lines.last()) <= CoverPainter::TitleArea.width());
    } else {
        QCOMPARE(lines.last(), word);
    }
}

void TestCoverPainter::titleShrinksNoFurtherThanSixPoints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("smallestExpected");
    QTest::addColumn<int>("largestExpected");

    QTest::newRow("one line keeps ten points") << QStringLiteral("Poems") << 10 << 10;
    for (const int lines : {8, 9, 10}) {
        QTest::addRow("%d lines shrink", lines)
            << repeated(QStringLiteral("line"), lines).join(QLatin1Char('\n')) << 6 << 9;
    }
    QTest::newRow("forty lines stop at six")
        << repeated(QStringLiteral("line"), 40).join(QLatin1Char('\n')) << 6 << 6;
}

// The chosen size is the largest that fits, or six points when nothing does.
void TestCoverPainter::titleShrinksNoFurtherThanSixPoints()
{
    QFETCH(QString, text);
    QFETCH(int, smallestExpected);
    QFETCH(int, largestExpected);

    const QFont font = CoverPainter::fittedTitleFont(text);
    const int size = font.pointSize();

    QVERIFY(font.bold());
    QVERIFY2(size >= smallestExpected && size <= largestExpected,
             qPrintable(QString::number(size)));
    if (size > CoverPainter::SmallestTitlePointSize)
        QVERIFY(fitsTitleArea(text, size));
    if (size < CoverPainter::TitlePointSize)
        QVERIFY(!fitsTitleArea(text, size + 1));
}

LEXORIN_TEST_MAIN(TestCoverPainter)
#include "tst_coverpainter.moc"
