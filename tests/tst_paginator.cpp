#include "bookdecoder.h"
#include "paginator.h"
#include "testmain.h"

#include <QFile>
#include <QFontMetrics>
#include <QRandomGenerator>

class TestPaginator : public QObject
{
    Q_OBJECT

private slots:
    void pagesHoldTheWholeTextAndFitTheirArea_data();
    void pagesHoldTheWholeTextAndFitTheirArea();
    void lineEndsDoNotChangeThePages();
    void paragraphTallerThanAPageStandsAlone();
    void textEndingInALineBreakEndsWithAnEmptyParagraph();
    void offsetsFindTheReadersPlaceAfterARecut();
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
    // drawText treats the page's final "\n" as the start of one more, invisible line.
    const QRect area(QPoint(0, 0), format.textArea);
    return QFontMetrics(format.font).boundingRect(area, Qt::TextWordWrap, page.chopped(1)).height();
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

    const std::vector<QString> pages = Paginator(format).paginate(text);

    QString joined;
    for (const QString &page : pages)
        joined += page;
    QCOMPARE(joined, normalizedLineEnds(text) + u'\n');

    const Paginator paginator(format);
    for (size_t i = 0; i < pages.size(); ++i) {
        const QString &page = pages[i];
        QVERIFY2(page.endsWith(u'\n'), qPrintable(QString::number(i)));
        const bool loneOversizedParagraph = page.count(u'\n') == 1
                && paginator.paragraphHeight(QStringView(page).chopped(1)) > format.textArea.height();
        if (loneOversizedParagraph)
            continue;
        QVERIFY2(drawnHeight(format, page) <= format.textArea.height(),
                 qPrintable(QStringLiteral("page %1 is %2 px tall")
                                    .arg(i)
                                    .arg(drawnHeight(format, page))));
    }
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

void TestPaginator::paragraphTallerThanAPageStandsAlone()
{
    const QString huge = QStringLiteral("很长的段落。").repeated(2000);
    const QString text = QStringLiteral("前言\n") + huge + QStringLiteral("\n后记");
    const std::vector<QString> pages = Paginator(ReadingFormat).paginate(text);

    QCOMPARE(pages.size(), size_t(3));
    QCOMPARE(pages[0], QStringLiteral("前言\n"));
    QCOMPARE(pages[1], huge + u'\n');
    QCOMPARE(pages[2], QStringLiteral("后记\n"));
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
    const std::vector<QString> recut = Paginator(larger).paginate(Paginator::paragraphsOf(pages));
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

LEXORIN_TEST_MAIN(TestPaginator)
#include "tst_paginator.moc"
