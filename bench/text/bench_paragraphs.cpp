#include "bookdecoder.h"
#include "bookgenerator.h"
#include "linecleaner.h"
#include "paginator.h"
#include "paragraphfinder.h"
#include "testmain.h"

// What finding the paragraphs and applying the built-in clean-up rules would add to the load
// of a 40 MB GB18030 novel, a paragraph a line, and of the same novel hard-wrapped at 30
// characters.
class BenchParagraphs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findParagraphs_data();
    void findParagraphs();
    void applyBuiltInRules();
    void countRuleHits();
    void joinLinesForTheBookLayout();

private:
    QString m_text;
    QString m_wrapped;
};

void BenchParagraphs::initTestCase()
{
    const QByteArray bytes = BookGenerator::encoded(BookGenerator::chineseNovel(40 << 20, 4040, 100), "GB18030");
    m_text = BookDecoder::decode(bytes).text;
    m_wrapped.reserve(m_text.size() + m_text.size() / 15);
    for (QStringView line : Paginator::paragraphsOf(m_text)) {
        for (qsizetype i = 0; i < line.size(); i += 30)
            m_wrapped += line.mid(i, 30).toString() + QStringLiteral("\r\n");
        if (line.isEmpty())
            m_wrapped += QStringLiteral("\r\n");
    }
}

void BenchParagraphs::findParagraphs_data()
{
    QTest::addColumn<bool>("wrapped");
    QTest::newRow("a paragraph a line") << false;
    QTest::newRow("hard-wrapped") << true;
}

void BenchParagraphs::findParagraphs()
{
    QFETCH(bool, wrapped);
    const QString &text = wrapped ? m_wrapped : m_text;
    const std::vector<QStringView> lines = Paginator::paragraphsOf(text);
    size_t paragraphs = 0;
    bool hardWrapped = false;
    // On the lines the loader splits the book into anyway.
    QBENCHMARK {
        const ParagraphFinder finder(text, lines);
        paragraphs = finder.paragraphs().size();
        hardWrapped = finder.isHardWrapped();
    }
    qInfo("%lld characters, %zu paragraphs, hard-wrapped: %d", qint64(text.size()), paragraphs, hardWrapped);
    QCOMPARE(hardWrapped, wrapped);
}

// What the loader adds to a hard-wrapped book's load in the book layout: its line ends made
// "\n", the lines joined into paragraphs and the joined line ends listed.
void BenchParagraphs::joinLinesForTheBookLayout()
{
    size_t joins = 0;
    size_t paragraphs = 0;
    QBENCHMARK {
        QString text = m_wrapped;
        Paginator::unifyLineEnds(text);
        const std::vector<QStringView> lines = Paginator::paragraphsOf(text);
        const std::vector<qsizetype> joined = ParagraphFinder(text, lines).joinedLineEnds();
        joins = joined.size();
        paragraphs = ParagraphFinder::joinedLines(text, lines, joined).size();
    }
    qInfo("%zu line ends joined, %zu paragraphs", joins, paragraphs);
    QVERIFY(joins > 0);
}

void BenchParagraphs::applyBuiltInRules()
{
    const std::vector<QStringView> lines = Paginator::paragraphsOf(m_text);
    const LineCleaner cleaner;
    qsizetype dropped = 0;
    QBENCHMARK {
        dropped = 0;
        for (QStringView line : lines)
            dropped += cleaner.droppingRule(line) >= 0 ? 1 : 0;
    }
    QCOMPARE(dropped, 0);
}

// What the clean-up rules dialog counts on its worker thread: the lines each rule drops or
// changes, with a line rule and a span rule of the reader's beside the built-in ones.
void BenchParagraphs::countRuleHits()
{
    const std::vector<QStringView> lines = Paginator::paragraphsOf(m_text);
    std::vector<CleanupRule> rules = LineCleaner::builtInRules();
    rules.push_back({ QStringLiteral("notice"), CleanupRule::Kind::RegularExpression, QStringLiteral("^本书(首发|来自).*$"),
                      CleanupRule::Scope::WholeLine, QString(), true });
    rules.push_back({ QStringLiteral("plea"), CleanupRule::Kind::PlainText, QStringLiteral("求收藏"),
                      CleanupRule::Scope::Span, QString(), true });
    const LineCleaner cleaner(rules);
    std::vector<int> hits;
    QBENCHMARK {
        hits = cleaner.hits(lines);
    }
    qInfo("%zu lines counted", lines.size());
    QCOMPARE(hits.size(), rules.size());
}

LEXORIN_TEST_MAIN(BenchParagraphs)
#include "bench_paragraphs.moc"
