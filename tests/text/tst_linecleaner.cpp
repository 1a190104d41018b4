#include "linecleaner.h"
#include "testmain.h"

class TestLineCleaner : public QObject
{
    Q_OBJECT

private slots:
    void builtInRulesDropWatermarksOnly_data();
    void builtInRulesDropWatermarksOnly();
    void rulesTurnedOffDropNothing();
    void rulesWrittenByHand_data();
    void rulesWrittenByHand();
    void countsTheLinesEachRuleHits();
    void spansOfTheSpanRules();
    void tellsAnInvalidRule_data();
    void tellsAnInvalidRule();
};

void TestLineCleaner::builtInRulesDropWatermarksOnly_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("rule");

    const int address = 0;
    const int spelled = 1;
    const int kept = -1;
    QTest::newRow("bare address") << QStringLiteral("www.example-books.net") << address;
    QTest::newRow("full-width letters among half-width") << QStringLiteral("wＷw．xiＡoshＵotxt.neｔ") << address;
    QTest::newRow("address with a path") << QStringLiteral("http://m.example.com/book/123.html") << address;
    QTest::newRow("in brackets, all full-width") << QStringLiteral("【ｗｗｗ．ｅｘａｍｐｌｅ．ｃｃ】") << address;
    QTest::newRow("indented, no www") << QStringLiteral("　　example.org　") << address;
    QTest::newRow("name spelt with dashes") << QStringLiteral("小-说-t-xt-天.堂") << spelled;
    QTest::newRow("name spelt with spaces") << QStringLiteral("书 包 网 txt小说上传分享") << spelled;
    QTest::newRow("name spelt with stars") << QStringLiteral("t*x*t*小*说*下*载") << spelled;

    QTest::newRow("words around an address") << QStringLiteral("更多好书请访问 www.example.com 谢谢") << kept;
    QTest::newRow("address in a sentence") << QStringLiteral("Visit www.example.com for more.") << kept;
    QTest::newRow("address in chinese prose") << QStringLiteral("他打开了www.example.com，看了一眼。") << kept;
    QTest::newRow("name with a full stop") << QStringLiteral("Mr.Smith") << kept;
    QTest::newRow("file name") << QStringLiteral("notes.txt") << kept;
    QTest::newRow("abbreviation") << QStringLiteral("U.S.A.") << kept;
    QTest::newRow("city") << QStringLiteral("St.Louis") << kept;
    QTest::newRow("number") << QStringLiteral("3.14") << kept;
    QTest::newRow("spaced for emphasis") << QStringLiteral("我 爱 你") << kept;
    QTest::newRow("dashes in prose") << QStringLiteral("I - am - here") << kept;
    QTest::newRow("the word novel") << QStringLiteral("小说") << kept;
    QTest::newRow("heading about novels") << QStringLiteral("第一章 小说家") << kept;
    QTest::newRow("end mark") << QStringLiteral("— 完 —") << kept;
    QTest::newRow("scene break") << QStringLiteral("* * *") << kept;
    QTest::newRow("numbers spaced") << QStringLiteral("一 二 三") << kept;
    QTest::newRow("spaced sentence naming a site") << QStringLiteral("t x t，小 说，下 载。") << kept;
    QTest::newRow("empty") << QString() << kept;
}

// Zero false removals matter more than catching every watermark: a dropped line of the
// book is lost to the reader.
void TestLineCleaner::builtInRulesDropWatermarksOnly()
{
    QFETCH(QString, line);
    QFETCH(int, rule);
    QCOMPARE(LineCleaner().droppingRule(line), rule);
    QCOMPARE(LineCleaner().replaced(line), line);
}

void TestLineCleaner::rulesTurnedOffDropNothing()
{
    std::vector<CleanupRule> rules = LineCleaner::builtInRules();
    for (CleanupRule &rule : rules)
        rule.enabled = false;
    const LineCleaner cleaner(rules);
    QCOMPARE(cleaner.droppingRule(u"www.example.com"), -1);
    QCOMPARE(cleaner.droppingRule(u"小-说-t-xt-天.堂"), -1);
}

void TestLineCleaner::rulesWrittenByHand_data()
{
    QTest::addColumn<CleanupRule>("rule");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("replaced");

    using Kind = CleanupRule::Kind;
    using Scope = CleanupRule::Scope;
    const CleanupRule wholeText{ {}, Kind::PlainText, QStringLiteral("本章完"), Scope::WholeLine, {}, true };
    QTest::newRow("text, whole line") << wholeText << QStringLiteral("　　本章完　") << true << QStringLiteral("　　本章完　");
    QTest::newRow("text, only part of the line")
            << wholeText << QStringLiteral("他说本章完了。") << false << QStringLiteral("他说本章完了。");
    const CleanupRule wholePattern{ {}, Kind::RegularExpression, QStringLiteral("求(票|收藏).*"), Scope::WholeLine, {}, true };
    QTest::newRow("pattern, whole line") << wholePattern << QStringLiteral("求票求收藏！") << true << QStringLiteral("求票求收藏！");
    QTest::newRow("pattern, inside a line")
            << wholePattern << QStringLiteral("他在求票。") << false << QStringLiteral("他在求票。");
    const CleanupRule spanText{ {}, Kind::PlainText, QStringLiteral("(本站首发)"), Scope::Span, QStringLiteral("\\1"), true };
    QTest::newRow("text, span with symbols")
            << spanText << QStringLiteral("他走了(本站首发)。") << false << QStringLiteral("他走了\\1。");
    const CleanupRule spanPattern{ {}, Kind::RegularExpression, QStringLiteral("(\\d+)号"), Scope::Span, QStringLiteral("第\\1号"), true };
    QTest::newRow("pattern, span with a capture")
            << spanPattern << QStringLiteral("住在3号和5号") << false << QStringLiteral("住在第3号和第5号");
    CleanupRule off = spanPattern;
    off.enabled = false;
    QTest::newRow("turned off") << off << QStringLiteral("住在3号") << false << QStringLiteral("住在3号");
}

void TestLineCleaner::rulesWrittenByHand()
{
    QFETCH(CleanupRule, rule);
    QFETCH(QString, line);
    QFETCH(bool, dropped);
    QFETCH(QString, replaced);

    const LineCleaner cleaner({ rule });
    QCOMPARE(cleaner.droppingRule(line) == 0, dropped);
    QCOMPARE(cleaner.replaced(line), replaced);
}

// A line two rules would drop counts for the first only, as only the first drops it.
void TestLineCleaner::countsTheLinesEachRuleHits()
{
    std::vector<CleanupRule> rules = LineCleaner::builtInRules();
    rules.push_back({ {}, CleanupRule::Kind::PlainText, QStringLiteral("www.example.com"), CleanupRule::Scope::WholeLine, {}, true });
    rules.push_back({ {}, CleanupRule::Kind::PlainText, QStringLiteral("首发"), CleanupRule::Scope::Span, {}, true });
    const QStringList book{ QStringLiteral("www.example.com"), QStringLiteral("　　他走了。"), QStringLiteral("小-说-t-xt-天.堂"),
                            QStringLiteral("首发于此。"), QStringLiteral("首发首发"), QStringLiteral("ｗｗｗ．ｅｘａｍｐｌｅ．ｃｏｍ") };
    std::vector<QStringView> lines(book.begin(), book.end());
    QCOMPARE(LineCleaner(rules).hits(lines), (std::vector<int>{ 2, 1, 0, 2 }));
}

void TestLineCleaner::tellsAnInvalidRule_data()
{
    QTest::addColumn<CleanupRule>("rule");
    QTest::addColumn<bool>("valid");

    QTest::newRow("pattern") << CleanupRule{ {}, CleanupRule::Kind::RegularExpression, QStringLiteral("a+"), {}, {}, true } << true;
    QTest::newRow("broken pattern") << CleanupRule{ {}, CleanupRule::Kind::RegularExpression, QStringLiteral("(a"), {}, {}, true } << false;
    QTest::newRow("empty text") << CleanupRule{ {}, CleanupRule::Kind::PlainText, {}, {}, {}, true } << false;
    QTest::newRow("built in") << LineCleaner::builtInRules().front() << true;
}

void TestLineCleaner::tellsAnInvalidRule()
{
    QFETCH(CleanupRule, rule);
    QFETCH(bool, valid);
    QCOMPARE(LineCleaner::isValid(rule), valid);
    // A broken rule drops and changes nothing.
    QCOMPARE(LineCleaner({ rule }).replaced(u"aaa(a"), QStringLiteral("aaa(a"));
}

// Overlapping matches of two rules are one span; a rule turned off or dropping lines has none.
void TestLineCleaner::spansOfTheSpanRules()
{
    const LineCleaner cleaner({
            { QStringLiteral("brackets"), CleanupRule::Kind::RegularExpression, QStringLiteral("【[^】]*】"),
              CleanupRule::Scope::Span, QString(), true },
            { QStringLiteral("plea"), CleanupRule::Kind::PlainText, QStringLiteral("求收藏"),
              CleanupRule::Scope::Span, QString(), true },
            { QStringLiteral("off"), CleanupRule::Kind::PlainText, QStringLiteral("她"),
              CleanupRule::Scope::Span, QString(), false },
            { QStringLiteral("line"), CleanupRule::Kind::PlainText, QStringLiteral("他"),
              CleanupRule::Scope::WholeLine, QString(), true },
    });
    const std::vector<LineCleaner::Span> spans = cleaner.spans(u"他说【求收藏】她走了求收藏");
    QCOMPARE(spans.size(), size_t(2));
    QCOMPARE(spans[0].start, 2);
    QCOMPARE(spans[0].end, 7);
    QCOMPARE(spans[1].start, 10);
    QCOMPARE(spans[1].end, 13);
    QVERIFY(LineCleaner().spans(u"www.example.com").empty());
}

LEXORIN_TEST_MAIN(TestLineCleaner)
#include "tst_linecleaner.moc"
