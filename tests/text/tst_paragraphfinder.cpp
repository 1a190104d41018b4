#include "paragraphfinder.h"
#include "testmain.h"

class TestParagraphFinder : public QObject
{
    Q_OBJECT

private slots:
    void findsParagraphs_data();
    void findsParagraphs();
    void rangesAreOffsetsIntoTheText_data();
    void rangesAreOffsetsIntoTheText();
};

namespace {

const QString EnglishParagraph = QStringLiteral(
        "The lamp in the tower had burned every night for forty years, and the keeper who trimmed "
        "its wick had never once let it fail, not in the great gale of the winter before last nor in "
        "the long fogs of the spring, when the ships came in slowly and the bell rang all day.");
const QString ChineseParagraph = QStringLiteral(
        "灯塔上的灯已经亮了四十年，守塔人每天傍晚都爬上那一百二十级石阶，擦亮玻璃，剪好灯芯，"
        "从来没有让它熄灭过，无论是前年冬天的大风，还是去年春天一连下了半个月的雾，船都是望着这盏灯回家的。");

// Greedy wrapping at the last space that fits, as an old text editor saved it.
QStringList wrappedWords(const QString &paragraph, int width)
{
    QStringList lines;
    QString line;
    for (const QString &word : paragraph.split(u' ')) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return lines << line;
}

QStringList wrappedCharacters(const QString &paragraph, int width)
{
    QStringList lines;
    for (qsizetype i = 0; i < paragraph.size(); i += width)
        lines << paragraph.mid(i, width);
    return lines;
}

QString joined(const QList<QStringList> &paragraphs, const QString &between, const QString &indent = {})
{
    QStringList text;
    for (const QStringList &lines : paragraphs)
        text << indent + lines.join(u'\n');
    return text.join(between) + u'\n';
}

}

void TestParagraphFinder::findsParagraphs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hardWrapped");
    QTest::addColumn<QStringList>("paragraphs");

    const QStringList english = wrappedWords(EnglishParagraph, 64);
    QTest::newRow("english wrapped, blank lines between")
            << joined({ english, english, english }, QStringLiteral("\n\n\n")) << true
            << QStringList{ EnglishParagraph, EnglishParagraph, EnglishParagraph };
    QTest::newRow("english wrapped, heading and list")
            << QStringLiteral("Chapter 1\n") + joined({ english }, {})
                    + QStringLiteral("1. Trim the wick\n2. Wind the clock\n") + joined({ english, english }, QStringLiteral("\n"))
            << true
            << QStringList{ QStringLiteral("Chapter 1"), EnglishParagraph, QStringLiteral("1. Trim the wick"),
                            QStringLiteral("2. Wind the clock"), EnglishParagraph, EnglishParagraph };
    const QStringList chinese = wrappedCharacters(ChineseParagraph, 30);
    QTest::newRow("chinese wrapped, indented first lines")
            << joined({ chinese, chinese, chinese, chinese }, QStringLiteral("\n"), QStringLiteral("　　")) << true
            << QStringList{ ChineseParagraph, ChineseParagraph, ChineseParagraph, ChineseParagraph };
    QTest::newRow("chinese wrapped, nothing between paragraphs")
            << joined({ chinese, chinese, chinese, chinese }, QStringLiteral("\n")) << true
            << QStringList{ ChineseParagraph, ChineseParagraph, ChineseParagraph, ChineseParagraph };

    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << ChineseParagraph.left(i * 7) + QStringLiteral("。");
    QTest::newRow("a paragraph a line") << QStringLiteral("　　") + lines.join(QStringLiteral("\n\t")) + u'\n' << false
                                         << lines;
    QStringList verse;
    for (int i = 0; i < 6; ++i)
        verse << QStringLiteral("山高月小，水落石出，") << QStringLiteral("清风徐来，水波不兴。");
    QTest::newRow("chinese verse") << verse.join(u'\n') << false << verse;
    const QStringList englishVerse{ QStringLiteral("The keeper climbs the winding stair"),
                                    QStringLiteral("And trims the wick with patient care"),
                                    QStringLiteral("The ships come home across the foam"),
                                    QStringLiteral("And every light has led them home") };
    QTest::newRow("english verse") << (englishVerse + englishVerse + englishVerse).join(u'\n') << false
                                   << englishVerse + englishVerse + englishVerse;
    QTest::newRow("too few lines to tell") << english.mid(0, 3).join(u'\n') << false << english.mid(0, 3);
    QTest::newRow("blank lines and spaces only") << QStringLiteral("\n \t\n　\n\n") << false << QStringList{};
}

// Paragraphs are found whole in a hard-wrapped book, and lines are left as they are in any
// other, spaces around them trimmed and blank lines between them only separating them.
void TestParagraphFinder::findsParagraphs()
{
    QFETCH(QString, text);
    QFETCH(bool, hardWrapped);
    QFETCH(QStringList, paragraphs);

    const ParagraphFinder finder(text);
    QCOMPARE(finder.isHardWrapped(), hardWrapped);
    QStringList found;
    for (const TextRange &paragraph : finder.paragraphs())
        found << ParagraphFinder::textOf(text, paragraph);
    QCOMPARE(found, paragraphs);
}

void TestParagraphFinder::rangesAreOffsetsIntoTheText_data()
{
    QTest::addColumn<QString>("lineEnd");
    QTest::newRow("lf") << QStringLiteral("\n");
    QTest::newRow("crlf") << QStringLiteral("\r\n");
    QTest::newRow("cr") << QStringLiteral("\r");
}

// Places and bookmarks are offsets into the decoded text; a paragraph found with any line
// ends must point at its own characters there.
void TestParagraphFinder::rangesAreOffsetsIntoTheText()
{
    QFETCH(QString, lineEnd);
    const QStringList english = wrappedWords(EnglishParagraph, 60);
    QString text = QStringLiteral("  Chapter 1  \n\n") + joined({ english, english, english }, QStringLiteral("\n\n"));
    text.replace(u'\n', lineEnd);

    const ParagraphFinder finder(text);
    QVERIFY(finder.isHardWrapped());
    QCOMPARE(finder.paragraphs().size(), size_t(4));
    QCOMPARE(finder.paragraphs().front(), (TextRange{ 2, 11 }));
    for (const TextRange &paragraph : finder.paragraphs()) {
        QVERIFY(text.mid(paragraph.start, paragraph.end - paragraph.start).startsWith(QStringLiteral("The lamp"))
                || paragraph.start == 2);
        QVERIFY(!text[paragraph.end - 1].isSpace());
    }
    QCOMPARE(finder.paragraphs().back().end, text.size() - lineEnd.size());
}

LEXORIN_TEST_MAIN(TestParagraphFinder)
#include "tst_paragraphfinder.moc"
