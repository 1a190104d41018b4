#include "cleanuprules.h"
#include "linecleaner.h"
#include "testmain.h"

class TestCleanupRules : public QObject
{
    Q_OBJECT

private slots:
    void builtInRulesComeFirstOnce();
    void jsonRoundTrip();
    void malformedJsonIsRejected_data();
    void malformedJsonIsRejected();
    void readRulesAreMergedWithoutDuplicates();
};

namespace {

BookCleanupRule ownRule(const QString &name, CleanupRule::Kind kind, const QString &pattern,
                        CleanupRule::Scope scope, const QString &replacement, bool enabled, bool forAllBooks)
{
    return { { name, kind, pattern, scope, replacement, enabled }, forAllBooks };
}

std::vector<BookCleanupRule> sampleRules()
{
    std::vector<BookCleanupRule> rules = CleanupRules::withBuiltIns({});
    rules[1].rule.enabled = false;
    rules.push_back(ownRule(QStringLiteral("首发声明"), CleanupRule::Kind::RegularExpression,
                            QStringLiteral("^本书(首发|来自).*$"), CleanupRule::Scope::WholeLine, QString(), true, true));
    rules.push_back(ownRule(QStringLiteral("广告"), CleanupRule::Kind::PlainText, QStringLiteral("（求收藏）"),
                            CleanupRule::Scope::Span, QStringLiteral(""), false, false));
    rules.push_back(ownRule(QStringLiteral("\"quoted\" \\ name"), CleanupRule::Kind::PlainText,
                            QStringLiteral("a\tb"), CleanupRule::Scope::Span, QStringLiteral("c"), true, true));
    return rules;
}

}

void TestCleanupRules::builtInRulesComeFirstOnce()
{
    BookCleanupRule spelledOff{ LineCleaner::builtInRules()[1], true };
    spelledOff.rule.enabled = false;
    const BookCleanupRule own = sampleRules()[2];
    const std::vector<BookCleanupRule> rules = CleanupRules::withBuiltIns({ own, spelledOff });
    QCOMPARE(rules.size(), size_t(3));
    QCOMPARE(rules[0].rule.kind, CleanupRule::Kind::WebAddressLine);
    QVERIFY(rules[0].rule.enabled);
    QCOMPARE(rules[1].rule.kind, CleanupRule::Kind::SpelledOutSiteLine);
    QVERIFY(!rules[1].rule.enabled);
    QCOMPARE(rules[2], own);
    QCOMPARE(CleanupRules::enabled(rules).size(), size_t(2));
}

void TestCleanupRules::jsonRoundTrip()
{
    const std::vector<BookCleanupRule> rules = sampleRules();
    QString error;
    const std::optional<std::vector<BookCleanupRule>> read = CleanupRules::fromJson(CleanupRules::toJson(rules), &error);
    QVERIFY2(read, qPrintable(error));
    QCOMPARE(CleanupRules::merged(CleanupRules::withBuiltIns({}), *read), rules);
}

void TestCleanupRules::malformedJsonIsRejected_data()
{
    QTest::addColumn<QByteArray>("json");

    QTest::newRow("not json") << QByteArray("rules: none");
    QTest::newRow("cut short") << CleanupRules::toJson(sampleRules()).chopped(10);
    QTest::newRow("an array") << QByteArray("[]");
    QTest::newRow("another file") << QByteArray(R"({"rules": []})");
    QTest::newRow("rules not a list") << QByteArray(R"({"lexorinCleanupRules": 1, "rules": {}})");
    QTest::newRow("rule not an object") << QByteArray(R"({"lexorinCleanupRules": 1, "rules": [3]})");
    QTest::newRow("unknown kind") << QByteArray(R"({"lexorinCleanupRules": 1, "rules": [{"kind": "magic", "pattern": "x"}]})");
    QTest::newRow("unknown scope")
            << QByteArray(R"({"lexorinCleanupRules": 1, "rules": [{"kind": "plainText", "pattern": "x", "scope": "page"}]})");
    QTest::newRow("empty pattern") << QByteArray(R"({"lexorinCleanupRules": 1, "rules": [{"kind": "plainText", "pattern": ""}]})");
    QTest::newRow("broken expression")
            << QByteArray(R"({"lexorinCleanupRules": 1, "rules": [{"kind": "regularExpression", "pattern": "(a"}]})");
    QTest::newRow("a newer format") << QByteArray(R"({"lexorinCleanupRules": 2, "rules": []})");
}

void TestCleanupRules::malformedJsonIsRejected()
{
    QFETCH(QByteArray, json);
    QString error;
    QVERIFY(!CleanupRules::fromJson(json, &error));
    QVERIFY(!error.isEmpty());
}

void TestCleanupRules::readRulesAreMergedWithoutDuplicates()
{
    const std::vector<BookCleanupRule> rules = sampleRules();
    QCOMPARE(CleanupRules::merged(rules, rules), rules);
    std::vector<BookCleanupRule> builtInsOn = CleanupRules::withBuiltIns({});
    const std::vector<BookCleanupRule> merged = CleanupRules::merged(rules, { builtInsOn[1] });
    QVERIFY(merged[1].rule.enabled);
    QCOMPARE(merged.size(), rules.size());
}

LEXORIN_TEST_MAIN(TestCleanupRules)
#include "tst_cleanuprules.moc"
