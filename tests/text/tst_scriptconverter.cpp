#include "scriptconverter.h"
#include "testmain.h"

using Conversion = ScriptConverter::Conversion;

class TestScriptConverter : public QObject
{
    Q_OBJECT

private slots:
    void convertsPhrasesInEachDirection_data();
    void convertsPhrasesInEachDirection();
    void keepsEveryLineItsLength_data();
    void keepsEveryLineItsLength();
    void roundTripsThroughTheReverse();
    void namesEveryConversionInTheStore();
};

void TestScriptConverter::convertsPhrasesInEachDirection_data()
{
    QTest::addColumn<Conversion>("conversion");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none leaves the text") << Conversion::None
                                          << QStringLiteral("头发很长") << QStringLiteral("头发很长");
    QTest::newRow("phrase picks the right form") << Conversion::SimplifiedToTraditional
                                                 << QStringLiteral("他的头发很长，后来才剪。")
                                                 << QStringLiteral("他的頭髮很長，後來才剪。");
    QTest::newRow("Taiwan forms") << Conversion::SimplifiedToTaiwan
                                  << QStringLiteral("屋里") << QStringLiteral("屋裡");
    QTest::newRow("Hong Kong forms") << Conversion::SimplifiedToHongKong
                                     << QStringLiteral("屋里") << QStringLiteral("屋裏");
    QTest::newRow("traditional to simplified") << Conversion::TraditionalToSimplified
                                               << QStringLiteral("頭髮很長，後來")
                                               << QStringLiteral("头发很长，后来");
    QTest::newRow("Latin, digits and line ends pass") << Conversion::SimplifiedToTraditional
                                                      << QStringLiteral("Chapter 1\r\n第1章 发现\n")
                                                      << QStringLiteral("Chapter 1\r\n第1章 發現\n");
}

void TestScriptConverter::convertsPhrasesInEachDirection()
{
    QFETCH(Conversion, conversion);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    const ScriptConverter converter(conversion);
    QCOMPARE(converter.isActive(), conversion != Conversion::None);
    QCOMPARE(converter.convert(text), expected);
}

// 㓆 becomes a character outside the Basic Multilingual Plane, two UTF-16 units for one: left
// as it is, so the rest of its line and every line after keep their offsets.
void TestScriptConverter::keepsEveryLineItsLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a character that would grow")
            << QStringLiteral("他说㓆字少见，头发也是。\n后来")
            << QStringLiteral("他說㓆字少見，頭髮也是。\n後來");
    QTest::newRow("the character alone on its line")
            << QStringLiteral("说\n㓆\n说") << QStringLiteral("說\n㓆\n說");
    QTest::newRow("characters beyond the plane kept whole")
            << QStringLiteral("𬌗发现𠀀") << QStringLiteral("𬌗發現𠀀");
}

void TestScriptConverter::keepsEveryLineItsLength()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    const QString converted = ScriptConverter(Conversion::SimplifiedToTraditional).convert(text);
    QCOMPARE(converted, expected);
    const QStringList lines = text.split(u'\n');
    const QStringList convertedLines = converted.split(u'\n');
    QCOMPARE(convertedLines.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(convertedLines.at(i).size(), lines.at(i).size());
}

void TestScriptConverter::roundTripsThroughTheReverse()
{
    const QString text = QStringLiteral("她把头发扎起来，后来我们在里面见面了。");
    for (const Conversion conversion : { Conversion::SimplifiedToTraditional, Conversion::SimplifiedToTaiwan,
                                         Conversion::SimplifiedToHongKong }) {
        const QString converted = ScriptConverter(conversion).convert(text);
        QVERIFY(converted != text);
        QCOMPARE(ScriptConverter(ScriptConverter::reverse(conversion)).convert(converted), text);
    }
}

void TestScriptConverter::namesEveryConversionInTheStore()
{
    for (const char *key : { "none", "s2t", "s2tw", "s2hk", "t2s", "tw2s", "hk2s" }) {
        const Conversion conversion = ScriptConverter::fromKey(QString::fromLatin1(key));
        QCOMPARE(ScriptConverter::key(conversion), QLatin1String(key));
        QCOMPARE(ScriptConverter::reverse(ScriptConverter::reverse(conversion)), conversion);
    }
    QCOMPARE(ScriptConverter::fromKey(u"klingon"), Conversion::None);
}

LEXORIN_TEST_MAIN(TestScriptConverter)
#include "tst_scriptconverter.moc"
