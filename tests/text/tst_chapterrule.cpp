#include "chapterrule.h"
#include "paginator.h"
#include "testmain.h"

// A book's own chapter rule: each named kind finds its own headings and nothing else, a
// pattern of the reader's finds what it matches, and the rule survives being kept as a key.
class TestChapterRule : public QObject
{
    Q_OBJECT

private slots:
    void findsTheHeadingsOfItsKind_data();
    void findsTheHeadingsOfItsKind();
    void keepsAsAKey_data();
    void keepsAsAKey();
    void aBrokenPatternFindsNothing();
    void aBookWithoutMatchesGetsPassages();
};

namespace {

// One book holding every kind of heading line, with prose that starts like some of them.
const QString MixedBook = QStringLiteral(
        "第一章 渡口\n"
        "　　老船夫撑船三十年。\n"
        "第二回　涨水\n"
        "　　第三章里说过的事，今天又来了一遍，他在岸边站了很久，一直看着河水一点一点涨上来。\n"
        "Chapter 4 The Flood\n"
        "chapter IX\n"
        "The chapter 5 of his life was long.\n"
        "一、水退以后\n"
        "一，二，三，他数着。\n"
        "12\n"
        "１３\n"
        "12 boats came home.\n"
        "第十二章　一个比最长的标题还要长得多的句子，它其实是正文的一部分，而且一直说下去也不停下来\n");

}

void TestChapterRule::findsTheHeadingsOfItsKind_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("numbered chapters") << QStringLiteral("preset:numbered-chapters")
                                       << QStringList{ "第一章 渡口", "第二回　涨水" };
    QTest::newRow("english chapters") << QStringLiteral("preset:english-chapters")
                                      << QStringList{ "Chapter 4 The Flood", "chapter IX" };
    QTest::newRow("numbered with a comma") << QStringLiteral("preset:numbered-with-comma")
                                           << QStringList{ "一、水退以后" };
    QTest::newRow("lone numbers") << QStringLiteral("preset:lone-numbers") << QStringList{ "12", "１３" };
    QTest::newRow("own pattern") << QStringLiteral("pattern:^第.+[回]") << QStringList{ "第二回　涨水" };
    QTest::newRow("own pattern matching inside a line") << QStringLiteral("pattern:Flood|IX$")
                                                        << QStringList{ "Chapter 4 The Flood", "chapter IX" };
}

void TestChapterRule::findsTheHeadingsOfItsKind()
{
    QFETCH(QString, key);
    QFETCH(QStringList, titles);

    const std::vector<QStringView> lines = Paginator::paragraphsOf(MixedBook);
    const std::vector<Chapter> headings = ChapterRule::fromKey(key).headingsIn(lines);
    QStringList found;
    for (const Chapter &heading : headings) {
        found << heading.title;
        // Offsets are those of the heading lines in the text.
        QCOMPARE(MixedBook.mid(heading.offset, heading.length).trimmed(), heading.title);
        QVERIFY(heading.offset == 0 || MixedBook[heading.offset - 1] == u'\n');
    }
    QCOMPARE(found, titles);
}

void TestChapterRule::keepsAsAKey_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("pattern");
    for (ChapterRule::Kind kind : ChapterRule::kinds())
        QTest::addRow("kind %d", int(kind)) << int(kind) << QStringLiteral("^第.+卷:\\s*$");
}

void TestChapterRule::keepsAsAKey()
{
    QFETCH(int, kind);
    QFETCH(QString, pattern);
    const ChapterRule rule(ChapterRule::Kind(kind), pattern);
    QVERIFY(rule.isValid());
    const ChapterRule kept = ChapterRule::fromKey(rule.key());
    QCOMPARE(int(kept.kind()), kind);
    QCOMPARE(kept.pattern(), rule.pattern());
    QVERIFY(!ChapterRule::nameOf(rule.kind()).isEmpty());
}

void TestChapterRule::aBrokenPatternFindsNothing()
{
    const ChapterRule rule(ChapterRule::Kind::Pattern, QStringLiteral("^第(.+章"));
    QVERIFY(!rule.isValid());
    QVERIFY(!rule.error().isEmpty());
    QVERIFY(rule.headingsIn(Paginator::paragraphsOf(MixedBook)).empty());
    QVERIFY(!ChapterRule(ChapterRule::Kind::Pattern).isValid());
    QCOMPARE(int(ChapterRule::fromKey(QStringLiteral("preset:unknown")).kind()), int(ChapterRule::Kind::Automatic));
}

void TestChapterRule::aBookWithoutMatchesGetsPassages()
{
    const QString text = QStringLiteral("　　河水慢慢退了，渡口又热闹起来。\n").repeated(2000);
    const std::vector<QStringView> lines = Paginator::paragraphsOf(text);
    const std::vector<Chapter> contents = ChapterRule::fromKey(QStringLiteral("preset:lone-numbers")).contentsOf(lines);
    QVERIFY(contents.size() > 1);
    for (const Chapter &passage : contents)
        QCOMPARE(passage.level, int(Chapter::Passage));
}

LEXORIN_TEST_MAIN(TestChapterRule)
#include "tst_chapterrule.moc"
