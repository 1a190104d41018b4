#include "pagedtext.h"
#include "textfinder.h"
#include "testmain.h"

class TestTextFinder : public QObject
{
    Q_OBJECT

private slots:
    void lettersMatchInEitherCase_data();
    void lettersMatchInEitherCase();
    void nextAndPrevious_data();
    void nextAndPrevious();
    void findsAMatchOverAPageBreak();
    void goesRoundTheText_data();
    void goesRoundTheText();
    void findsEveryMatchOnce();
    void stopsWhenNoLongerWanted();
};

void TestTextFinder::lettersMatchInEitherCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("query");
    QTest::addColumn<qsizetype>("found");

    QTest::newRow("Latin, lower finds upper") << "港口的LANTERN灭了" << "lantern" << qsizetype(3);
    QTest::newRow("Latin, upper finds mixed") << "风吹着 Lantern" << "LANTERN" << qsizetype(4);
    QTest::newRow("Latin with accents") << "au CAFÉ du port" << "café" << qsizetype(3);
    QTest::newRow("Greek") << "η ΘΆΛΑΣΣΑ ήταν ήρεμη" << "θάλασσα" << qsizetype(2);
    QTest::newRow("Greek final sigma") << "ΟΔΟΣ" << "οδος" << qsizetype(0);
    QTest::newRow("Cyrillic") << "Старый МАЯК у моря" << "маяк" << qsizetype(7);
    QTest::newRow("Chinese as it is") << "灯塔下面没有船" << "没有" << qsizetype(4);
    QTest::newRow("traditional is another character") << "燈塔" << "灯塔" << qsizetype(-1);
    QTest::newRow("digits") << "第12章 第123章" << "123" << qsizetype(6);
    QTest::newRow("full-width is another character") << "ＡＢＣ" << "abc" << qsizetype(-1);
}

void TestTextFinder::lettersMatchInEitherCase()
{
    QFETCH(QString, text);
    QFETCH(QString, query);
    QFETCH(qsizetype, found);
    const TextFinder finder(query);
    QCOMPARE(finder.next(text, 0), found);
    QCOMPARE(finder.previous(text, text.size()), found);
    QCOMPARE(finder.all(text).size(), size_t(found >= 0 ? 1 : 0));
}

void TestTextFinder::nextAndPrevious_data()
{
    QTest::addColumn<qsizetype>("from");
    QTest::addColumn<qsizetype>("next");
    QTest::addColumn<qsizetype>("previous");

    // "ab" stands at 0, 3 and 8 of "ab ab x ab".
    QTest::newRow("at a match") << qsizetype(3) << qsizetype(3) << qsizetype(0);
    QTest::newRow("just after a match's start") << qsizetype(4) << qsizetype(8) << qsizetype(3);
    QTest::newRow("start") << qsizetype(0) << qsizetype(0) << qsizetype(-1);
    QTest::newRow("end") << qsizetype(10) << qsizetype(-1) << qsizetype(8);
    QTest::newRow("on the last match") << qsizetype(8) << qsizetype(8) << qsizetype(3);
    QTest::newRow("beyond the end") << qsizetype(50) << qsizetype(-1) << qsizetype(8);
    QTest::newRow("before the start") << qsizetype(-4) << qsizetype(0) << qsizetype(-1);
}

void TestTextFinder::nextAndPrevious()
{
    QFETCH(qsizetype, from);
    QFETCH(qsizetype, next);
    QFETCH(qsizetype, previous);
    const QString text = QStringLiteral("ab ab x ab");
    const TextFinder finder(QStringLiteral("AB"));
    QCOMPARE(finder.next(text, from), next);
    QCOMPARE(finder.previous(text, from), previous);
}

void TestTextFinder::findsAMatchOverAPageBreak()
{
    // "灯塔" starts on the last character of the first page and ends on the second.
    const PagedText pages(QStringLiteral("远处的灯\n塔亮了\n塔下无人"), { 4, 4, 4 });
    const TextFinder byLine(QStringLiteral("灯\n塔"));
    QCOMPARE(byLine.next(pages.text(), 0), 3);
    QCOMPARE(byLine.previous(pages.text(), pages.length()), 3);
    QCOMPARE(pages.pageAt(3), 0);
    QCOMPARE(pages.pageAt(3 + byLine.length() - 1), 1);
    // Over the next break, and only in the text the pages cover.
    const TextFinder across(QStringLiteral("了\n塔"));
    QCOMPARE(across.next(pages.text(), 0), 7);
    const PagedText twoPages(pages.wholeText(), { 4, 4 });
    QCOMPARE(across.next(twoPages.text(), 0), -1);
}

void TestTextFinder::goesRoundTheText_data()
{
    QTest::addColumn<bool>("forward");
    QTest::addColumn<qsizetype>("from");
    QTest::addColumn<qsizetype>("found");
    QTest::addColumn<bool>("wrapped");

    // "雨" stands at 1 and 5 of "小雨 大风 雨停".
    QTest::newRow("forward, ahead") << true << qsizetype(2) << qsizetype(6) << false;
    QTest::newRow("forward, round to the start") << true << qsizetype(7) << qsizetype(1) << true;
    QTest::newRow("forward, round to itself") << true << qsizetype(2) << qsizetype(6) << false;
    QTest::newRow("backward, behind") << false << qsizetype(6) << qsizetype(1) << false;
    QTest::newRow("backward, round to the end") << false << qsizetype(1) << qsizetype(6) << true;
}

void TestTextFinder::goesRoundTheText()
{
    QFETCH(bool, forward);
    QFETCH(qsizetype, from);
    QFETCH(qsizetype, found);
    QFETCH(bool, wrapped);
    const QString text = QStringLiteral("小雨 大风 雨停");
    const TextFinder finder(QStringLiteral("雨"));
    const TextFinder::Match match = forward ? finder.nextWrapping(text, from) : finder.previousWrapping(text, from);
    QCOMPARE(match.offset, found);
    QCOMPARE(match.wrapped, wrapped);
    QVERIFY(!TextFinder(QStringLiteral("雪")).nextWrapping(text, 3).isValid());
    QVERIFY(!TextFinder(QStringLiteral("雪")).previousWrapping(text, 3).isValid());
}

void TestTextFinder::findsEveryMatchOnce()
{
    // Longer than the stretch searched at once, with a match on a stretch's edge.
    QString text(3 << 20, u'水');
    for (qsizetype at : { qsizetype(0), qsizetype((1 << 20) - 1), qsizetype(2 << 20), text.size() - 2 })
        text.replace(at, 2, QStringLiteral("Fo"));
    QCOMPARE(TextFinder(QStringLiteral("fO")).all(text),
             (std::vector<qsizetype>{ 0, (1 << 20) - 1, 2 << 20, text.size() - 2 }));
    QCOMPARE(TextFinder(QStringLiteral("fO")).previous(text, (2 << 20) - 1), (1 << 20) - 1);
    QCOMPARE(TextFinder(QStringLiteral("水水")).all(QStringLiteral("水水水水水")).size(), size_t(2));
    QVERIFY(TextFinder(QString()).all(text).empty());
    QCOMPARE(TextFinder(QString()).next(text, 0), -1);
}

void TestTextFinder::stopsWhenNoLongerWanted()
{
    const QString text = QString(4 << 20, u'山') + QStringLiteral("海");
    const TextFinder finder(QStringLiteral("海"));
    int asked = 0;
    const auto afterTwoStretches = [&asked] { return ++asked > 2; };
    QCOMPARE(finder.next(text, 0, afterTwoStretches), -1);
    QCOMPARE(asked, 3);
    QVERIFY(finder.all(text, [] { return true; }).empty());
    QCOMPARE(finder.previous(text, 1, [] { return true; }), -1);
    QCOMPARE(finder.next(text, 0), text.size() - 1);
}

LEXORIN_TEST_MAIN(TestTextFinder)
#include "tst_textfinder.moc"
