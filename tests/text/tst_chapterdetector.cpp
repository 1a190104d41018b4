#include "chapterdetector.h"
#include "paginator.h"
#include "testmain.h"

class TestChapterDetector : public QObject
{
    Q_OBJECT

private slots:
    void recognisesHeadingLines_data();
    void recognisesHeadingLines();
    void findsTheHeadingsOfABook_data();
    void findsTheHeadingsOfABook();
    void offsetsCountEveryLineEndAsOneCharacter();
    void findsTheChaptersABookNumbersItself_data();
    void findsTheChaptersABookNumbersItself();
    void takesTheTitleLineAfterABareHeading();
    void contentsOfABookWithoutHeadingsArePassages();
    void keepsOneOfAHeadingRepeatedOnTheNextLine();
    void leavesOutATableOfContents();
    void leavesOutATableOfContentsWithLinesBetweenItsHeadings();
    void chapterAtFindsTheChapterOfAnOffset_data();
    void chapterAtFindsTheChapterOfAnOffset();
};

namespace {

struct Expected
{
    QString title;
    int level;
};

}

Q_DECLARE_METATYPE(QList<Expected>)

void TestChapterDetector::recognisesHeadingLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("level");

    const int none = -1;
    QTest::newRow("arabic number") << QStringLiteral("第12章") << 1;
    QTest::newRow("full-width number, title") << QStringLiteral("第１２章　风起云涌") << 1;
    QTest::newRow("chinese numerals, colon") << QStringLiteral("第一百二十三章：决战") << 1;
    QTest::newRow("spaces around the number") << QStringLiteral("第 7 章 夜雨") << 1;
    QTest::newRow("zero and two") << QStringLiteral("第两千零一章") << 1;
    QTest::newRow("title straight after") << QStringLiteral("第一章风起云涌") << 1;
    QTest::newRow("title asking a question") << QStringLiteral("第三十章 怎么可能？") << 1;
    QTest::newRow("hui") << QStringLiteral("第二十回 宝玉读书") << 1;
    QTest::newRow("jie") << QStringLiteral("第三节") << 1;
    QTest::newRow("traditional jie") << QStringLiteral("第三節 開端") << 1;
    QTest::newRow("hua") << QStringLiteral("第5话") << 1;
    QTest::newRow("ji") << QStringLiteral("第十集") << 1;
    QTest::newRow("pian") << QStringLiteral("第九篇 归来") << 1;
    QTest::newRow("main text prefix") << QStringLiteral("正文 第一章 开始") << 1;
    QTest::newRow("volume") << QStringLiteral("第一卷 少年游") << 0;
    QTest::newRow("part") << QStringLiteral("第二部") << 0;
    QTest::newRow("volume named after") << QStringLiteral("卷三 江湖") << 0;
    QTest::newRow("prologue zh") << QStringLiteral("序章") << 1;
    QTest::newRow("preface") << QStringLiteral("序言") << 1;
    QTest::newRow("wedge") << QStringLiteral("楔子") << 1;
    QTest::newRow("lead-in") << QStringLiteral("引子 雪夜") << 1;
    QTest::newRow("foreword") << QStringLiteral("前言") << 1;
    QTest::newRow("coda") << QStringLiteral("尾声") << 1;
    QTest::newRow("afterword") << QStringLiteral("后记") << 1;
    QTest::newRow("afterword, traditional") << QStringLiteral("後記") << 1;
    QTest::newRow("extra") << QStringLiteral("番外一：重逢") << 1;
    QTest::newRow("extra, glued title") << QStringLiteral("番外之江南") << 1;
    QTest::newRow("final chapter") << QStringLiteral("终章") << 1;
    QTest::newRow("completion note") << QStringLiteral("完本感言") << 1;
    QTest::newRow("chapter number") << QStringLiteral("Chapter 12") << 1;
    QTest::newRow("upper-case roman") << QStringLiteral("CHAPTER XII") << 1;
    QTest::newRow("number word") << QStringLiteral("Chapter Twelve") << 1;
    QTest::newRow("compound number word") << QStringLiteral("Chapter Twenty-One: The Return") << 1;
    QTest::newRow("title after number") << QStringLiteral("Chapter 3 The Storm") << 1;
    QTest::newRow("number with a full stop") << QStringLiteral("Chapter 4.") << 1;
    QTest::newRow("prologue") << QStringLiteral("Prologue") << 1;
    QTest::newRow("epilogue with title") << QStringLiteral("Epilogue: Home") << 1;
    QTest::newRow("part one") << QStringLiteral("Part One") << 0;
    QTest::newRow("japanese episode") << QStringLiteral("第3話 旅立ち") << 1;
    QTest::newRow("japanese prologue") << QStringLiteral("プロローグ") << 1;
    QTest::newRow("japanese epilogue") << QStringLiteral("エピローグ") << 1;
    QTest::newRow("part of a book") << QStringLiteral("第一部分 源头") << 0;
    QTest::newRow("part of a book, glued") << QStringLiteral("第二部分") << 0;
    QTest::newRow("formal numerals") << QStringLiteral("第捌回 风雪") << 1;
    QTest::newRow("after a bullet") << QStringLiteral("●第二章  离别") << 1;
    QTest::newRow("after a star and a space") << QStringLiteral("★ 第十节 夜航") << 1;
    QTest::newRow("inside brackets") << QStringLiteral("[(第2章 了解自己)]") << 1;
    QTest::newRow("inside lenticular brackets") << QStringLiteral("【第三卷 北行】") << 0;
    QTest::newRow("after the book's name") << QStringLiteral("《长河》　第一部分 源头") << 0;
    QTest::newRow("after the book's name, chapter") << QStringLiteral("《长河》第七章") << 1;
    QTest::newRow("after an index") << QStringLiteral("[1]一　醇贤亲王的一生") << 1;
    QTest::newRow("after an index, heading") << QStringLiteral("【12】第十二章 归来") << 1;
    QTest::newRow("after an index, english") << QStringLiteral("[3] Chapter Three") << 1;

    QTest::newRow("prose starting with di") << QStringLiteral("第二天早上，他醒了。") << none;
    QTest::newRow("prose naming a chapter") << QStringLiteral("第三章的内容很精彩") << none;
    QTest::newRow("sentence after a heading") << QStringLiteral("第三章 他走了。") << none;
    QTest::newRow("glued clause") << QStringLiteral("第一章写完了！") << none;
    QTest::newRow("first time") << QStringLiteral("第一次见面") << none;
    QTest::newRow("di without number") << QStringLiteral("第章") << none;
    QTest::newRow("number without mark") << QStringLiteral("第十二") << none;
    QTest::newRow("idiom starting like foreword") << QStringLiteral("前言不搭后语") << none;
    QTest::newRow("word starting like preface") << QStringLiteral("序列号") << none;
    QTest::newRow("numbered list") << QStringLiteral("1. 准备好材料") << none;
    QTest::newRow("numbered list, english") << QStringLiteral("2. Mix the flour") << none;
    QTest::newRow("part of a plan") << QStringLiteral("Part one of the plan was simple.") << none;
    QTest::newRow("chapter in prose") << QStringLiteral("Chapter 3 was the best one.") << none;
    QTest::newRow("plural") << QStringLiteral("Chapters") << none;
    QTest::newRow("word spelt in roman letters") << QStringLiteral("Part Did") << none;
    QTest::newRow("prologue in prose") << QStringLiteral("Prologues are rare") << none;
    QTest::newRow("volume word before a clause") << QStringLiteral("第三卷，头两卷用了三年") << none;
    QTest::newRow("preface word before a clause") << QStringLiteral("序，扭转不良风气") << none;
    QTest::newRow("comma after a chapter") << QStringLiteral("第五章,他说") << none;
    QTest::newRow("table row") << QStringLiteral("第6集团军　155英里　10个步兵师") << none;
    QTest::newRow("table row with tabs") << QStringLiteral("第3集\t45分钟\t12场") << none;
    QTest::newRow("footnote after an index") << QStringLiteral("[1] 同上") << none;
    QTest::newRow("footnote with a numeral") << QStringLiteral("[2]一说见《清史稿》。") << none;
    QTest::newRow("bullet before a sentence") << QStringLiteral("●第二天，雨停了。") << none;
    QTest::newRow("brackets around prose") << QStringLiteral("（第二天早上，他醒了）") << none;
    QTest::newRow("book's name alone") << QStringLiteral("《长河》") << none;
    QTest::newRow("index alone") << QStringLiteral("[7]") << none;
    QTest::newRow("empty") << QString() << none;
}

void TestChapterDetector::recognisesHeadingLines()
{
    QFETCH(QString, line);
    QFETCH(int, level);
    QCOMPARE(ChapterDetector::levelOf(line), level);
}

void TestChapterDetector::findsTheHeadingsOfABook_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Expected>>("expected");

    QTest::newRow("chinese with volumes")
            << QStringLiteral("星河纪事\n作者：某人\n\n楔子\n　　那一年雪很大。\n\n第一卷 少年游\n\n"
                              "第一章 出山\n　　他下了山。\n　　1. 带好干粮\n　　2. 别回头\n"
                              "　　第二天早上，他到了镇上，看见许多从未见过的东西，心里又惊又喜，一时竟忘了赶路。\n"
                              "第二章 进城\n　　城门很高。\n第二卷 江湖远\n第三章 夜雨\n　　雨下了一夜。\n"
                              "尾声\n　　他回来了。\n")
            << QList<Expected>{ { QStringLiteral("楔子"), 1 },     { QStringLiteral("第一卷 少年游"), 0 },
                                { QStringLiteral("第一章 出山"), 1 }, { QStringLiteral("第二章 进城"), 1 },
                                { QStringLiteral("第二卷 江湖远"), 0 }, { QStringLiteral("第三章 夜雨"), 1 },
                                { QStringLiteral("尾声"), 1 } };
    QTest::newRow("english")
            << QStringLiteral("The Lighthouse\n\nPrologue\nThe sea was grey.\n\nCHAPTER I\n"
                              "Part one of the plan was simple.\n1. Find the boat.\n2. Wait for the tide.\n"
                              "    Chapter Two: The Tide   \nIt came at noon.\nEpilogue\nThey never returned.\n")
            << QList<Expected>{ { QStringLiteral("Prologue"), 1 },
                                { QStringLiteral("CHAPTER I"), 1 },
                                { QStringLiteral("Chapter Two: The Tide"), 1 },
                                { QStringLiteral("Epilogue"), 1 } };
    QTest::newRow("japanese")
            << QStringLiteral("プロローグ\n　空が青かった。\n第1話　旅立ち\n　彼は歩き出した。\n"
                              "第２話　出会い\n　誰かがいた。\nエピローグ\n　終わり。\n")
            << QList<Expected>{ { QStringLiteral("プロローグ"), 1 },
                                { QStringLiteral("第1話　旅立ち"), 1 },
                                { QStringLiteral("第２話　出会い"), 1 },
                                { QStringLiteral("エピローグ"), 1 } };
    QTest::newRow("decorated")
            << QStringLiteral("《长河》　第一部分 源头\n\n●第一章  雪山\n　　冰化成了水。\n"
                              "[(第2章 溪流)]\n　　水流下山。\n第6集团军　155英里　10个步兵师\n"
                              "第三卷，头两卷用了三年。\n")
            << QList<Expected>{ { QStringLiteral("《长河》　第一部分 源头"), 0 },
                                { QStringLiteral("●第一章  雪山"), 1 },
                                { QStringLiteral("[(第2章 溪流)]"), 1 } };
    QTest::newRow("no headings")
            << QStringLiteral("　　从前有座山。\n　　山里有座庙。\n第二天，老和尚下山了。\n"
                              "Chapter and verse, he said.\n1. 山\n2. 庙\n")
            << QList<Expected>{};
    QTest::newRow("empty") << QString() << QList<Expected>{};
}

// Every heading is found with its level, its offset and length name its whole line, and
// nothing else is taken for one.
void TestChapterDetector::findsTheHeadingsOfABook()
{
    QFETCH(QString, text);
    QFETCH(QList<Expected>, expected);

    const std::vector<Chapter> chapters = ChapterDetector::detect(text);
    QStringList found;
    for (const Chapter &chapter : chapters)
        found << QStringLiteral("%1 (%2)").arg(chapter.title).arg(chapter.level);
    QStringList wanted;
    for (const Expected &heading : expected)
        wanted << QStringLiteral("%1 (%2)").arg(heading.title).arg(heading.level);
    QCOMPARE(found, wanted);

    for (const Chapter &chapter : chapters) {
        QVERIFY(chapter.offset == 0 || text[chapter.offset - 1] == u'\n');
        const QString line = text.mid(chapter.offset, chapter.length);
        QVERIFY(!line.contains(u'\n'));
        QCOMPARE(line.trimmed(), chapter.title);
        QVERIFY(chapter.offset + chapter.length == text.size() || text[chapter.offset + chapter.length] == u'\n');
    }
}

// The pages of a book hold "\n" line ends, so offsets into them are what the reader's place
// and the chapter list have to agree on, whatever line ends the file had.
void TestChapterDetector::offsetsCountEveryLineEndAsOneCharacter()
{
    const QString lf = QStringLiteral("序章\n开头。\n\n第一章 雨\n下雨了。\n第二章 晴\n");
    for (const QString &lineEnd : { QStringLiteral("\r\n"), QStringLiteral("\r") }) {
        QString text = lf;
        text.replace(u'\n', lineEnd);
        const std::vector<Chapter> chapters = ChapterDetector::detect(text);
        QCOMPARE(chapters.size(), size_t(3));
        for (const Chapter &chapter : chapters)
            QCOMPARE(lf.mid(chapter.offset, chapter.length), chapter.title);
    }
}

namespace {

QString prose(int sentences, const QString &sentence = QStringLiteral("河水绕过村子，一直流到很远的地方。"))
{
    return QStringLiteral("　　") + sentence.repeated(sentences) + u'\n';
}

QStringList headingsOf(const QString &text)
{
    QStringList found;
    for (const Chapter &chapter : ChapterDetector::detect(text))
        found << QStringLiteral("%1 (%2)").arg(chapter.title).arg(chapter.level);
    return found;
}

}

void TestChapterDetector::findsTheChaptersABookNumbersItself_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    const QString list = QStringLiteral("　　要带的东西：\n一、干粮\n二、雨伞\n三、地图\n　　都带齐了。\n");
    QTest::newRow("一、 as lone lines")
            << QStringLiteral("一、缘起\n") + prose(3) + list + QStringLiteral("\n二、远行\n") + prose(2)
                    + QStringLiteral("三、归来\n") + prose(2) + QStringLiteral("四、尾声\n") + prose(1)
            << QStringList{ QStringLiteral("一、缘起 (1)"), QStringLiteral("二、远行 (1)"),
                            QStringLiteral("三、归来 (1)"), QStringLiteral("四、尾声 (1)") };
    QTest::newRow("（一） as lone lines under volumes")
            << QStringLiteral("第一部 春\n\n（一）播种\n") + prose(2) + QStringLiteral("（二）发芽\n") + prose(2)
                    + QStringLiteral("第二部 秋\n（一）收割\n") + prose(2) + QStringLiteral("（二）入仓\n") + prose(1)
            << QStringList{ QStringLiteral("第一部 春 (0)"), QStringLiteral("（一）播种 (1)"),
                            QStringLiteral("（二）发芽 (1)"), QStringLiteral("第二部 秋 (0)"),
                            QStringLiteral("（一）收割 (1)"), QStringLiteral("（二）入仓 (1)") };
    QTest::newRow("lone numbers")
            << QStringLiteral("１\n\n") + prose(3) + QStringLiteral("\n２\n\n") + prose(3)
                    + QStringLiteral("\n3\n\n") + prose(3)
            << QStringList{ QStringLiteral("１ (1)"), QStringLiteral("２ (1)"), QStringLiteral("3 (1)") };
    QTest::newRow("titles standing alone in a collection")
            << QStringLiteral("散文三篇\n\n作者：某人\n\n河边\n\n") + prose(30) + QStringLiteral("\n") + prose(20)
                    + QStringLiteral("\n老屋\n\n") + prose(50) + QStringLiteral("\n远山的雪\n\n") + prose(40)
            << QStringList{ QStringLiteral("河边 (1)"), QStringLiteral("老屋 (1)"), QStringLiteral("远山的雪 (1)") };
    QTest::newRow("english titles standing alone")
            << QStringLiteral("The River\n\n") + QStringLiteral("The water ran past the mill and on. ").repeated(30)
                    + QStringLiteral("\n\nAn Old House\n\n") + QStringLiteral("Nobody had lived there for years. ").repeated(30)
                    + QStringLiteral("\n\nSnow\n\n") + QStringLiteral("It fell all night long. ").repeated(40) + u'\n'
            << QStringList{ QStringLiteral("The River (1)"), QStringLiteral("An Old House (1)"),
                            QStringLiteral("Snow (1)") };

    QTest::newRow("a numbered list is no chapter")
            << prose(2) + list + prose(2) + QStringLiteral("一、先看\n二、再想\n")
            << QStringList{};
    QTest::newRow("page numbers breaking sentences")
            << QStringLiteral("　　河水绕过村子，一直流\n1\n到很远的地方，那里有一座\n2\n山，山上有一座庙，庙里\n3\n有一个和尚。\n")
            << QStringList{};
    QTest::newRow("numbers out of order")
            << QStringLiteral("7\n") + prose(1) + QStringLiteral("3\n") + prose(1) + QStringLiteral("12\n") + prose(1)
                    + QStringLiteral("5\n") + prose(1)
            << QStringList{};
    QTest::newRow("short paragraphs close together")
            << QStringLiteral("河边\n\n") + prose(1) + QStringLiteral("\n老屋\n\n") + prose(1)
                    + QStringLiteral("\n远山\n\n") + prose(1)
            << QStringList{};
    QTest::newRow("lone lines beside chapters")
            << QStringLiteral("第一章 春\n一、播种\n") + prose(2) + QStringLiteral("二、发芽\n") + prose(2)
                    + QStringLiteral("三、开花\n") + prose(2) + QStringLiteral("第二章 秋\n") + prose(1)
            << QStringList{ QStringLiteral("第一章 春 (1)"), QStringLiteral("第二章 秋 (1)") };
}

// Lines that are chapters only by how the whole book uses them.
void TestChapterDetector::findsTheChaptersABookNumbersItself()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(headingsOf(text), expected);
}

void TestChapterDetector::takesTheTitleLineAfterABareHeading()
{
    const QString text = QStringLiteral("CHAPTER I.\nTHE OLD HOUSE\n\nIt was cold.\n\nCHAPTER II.\n\n"
                                        "A Letter\nNobody wrote back.\nCHAPTER III.\nIt rained.\n"
                                        "第四章\n风起\n　　下雨了。\n第五章\n　　天晴\n\n　　又下雨了。\n");
    QCOMPARE(headingsOf(text),
             (QStringList{ QStringLiteral("CHAPTER I. THE OLD HOUSE (1)"), QStringLiteral("CHAPTER II. A Letter (1)"),
                           QStringLiteral("CHAPTER III. (1)"), QStringLiteral("第四章 风起 (1)"),
                           QStringLiteral("第五章 (1)") }));
    const std::vector<Chapter> chapters = ChapterDetector::detect(text);
    QCOMPARE(text.mid(chapters[0].offset, chapters[0].length), QStringLiteral("CHAPTER I."));
}

// The contents of a book with no headings at all still lead through it.
void TestChapterDetector::contentsOfABookWithoutHeadingsArePassages()
{
    QString text = QStringLiteral("\n\n　　从前有座山。\n　　山里有座庙。\n第二天，老和尚下山了。\n"
                                  "Chapter and verse, he said.\n1. 山\n2. 庙\n");
    while (text.size() < 2 * ChapterDetector::PassageLength + 500)
        text += QStringLiteral("Nobody had lived in the old house for years, and the garden had gone wild.\n\n");

    QVERIFY(ChapterDetector::detect(text).empty());
    const std::vector<Chapter> passages = ChapterDetector::contents(Paginator::paragraphsOf(text));
    QCOMPARE(passages.size(), size_t(3));
    QCOMPARE(passages[0].offset, 2);
    QCOMPARE(passages[0].title, QStringLiteral("从前有座山。"));
    QCOMPARE(passages[1].title, QStringLiteral("Nobody had lived in the…"));
    for (size_t i = 0; i < passages.size(); ++i) {
        QCOMPARE(passages[i].level, int(Chapter::Passage));
        QCOMPARE(passages[i].length, 0);
        QCOMPARE(text[passages[i].offset - 1], u'\n');
        QVERIFY(!ChapterDetector::isInHeading(passages, passages[i].offset));
        if (i > 0)
            QVERIFY(passages[i].offset - passages[i - 1].offset >= ChapterDetector::PassageLength);
    }
    QVERIFY(passages.back().offset > 2 * ChapterDetector::PassageLength);
}

void TestChapterDetector::keepsOneOfAHeadingRepeatedOnTheNextLine()
{
    const QString text = QStringLiteral("第一章 开始\n\n第一章 开始\n　　正文。\n第二章 继续\n第二章 继续\n　　又是正文。\n");
    const std::vector<Chapter> chapters = ChapterDetector::detect(text);
    QCOMPARE(chapters.size(), size_t(2));
    QCOMPARE(chapters[0].offset, 0);
    QCOMPARE(chapters[1].title, QStringLiteral("第二章 继续"));
    QCOMPARE(chapters[1].offset, text.indexOf(QStringLiteral("第二章")));
}

// A list of the chapters at the front of a book would otherwise make a page of every line;
// the chapters themselves follow it and are found.
void TestChapterDetector::leavesOutATableOfContents()
{
    QString text = QStringLiteral("目录\n");
    for (int i = 1; i <= 5; ++i)
        text += QStringLiteral("第%1章 标题%1\n\n").arg(i);
    const qsizetype firstChapter = text.size();
    for (int i = 1; i <= 5; ++i)
        text += QStringLiteral("第%1章 标题%1\n　　这是第%1章的正文。\n").arg(i);

    const std::vector<Chapter> chapters = ChapterDetector::detect(text);
    QCOMPARE(chapters.size(), size_t(5));
    QCOMPARE(chapters.front().offset, firstChapter);
}

// Contents at the front list volumes with their chapters under them, as short lines of
// their own that are no headings; the book's text begins only after them.
void TestChapterDetector::leavesOutATableOfContentsWithLinesBetweenItsHeadings()
{
    QString text = QStringLiteral("长河\n目录\n第一卷 源头\n　引子\n第一章 雪山\n　冰川\n第二章 溪流\n第二卷 入海\n"
                                  "第三章 大河\n\n");
    const qsizetype firstVolume = text.size();
    text += QStringLiteral("第一卷 源头\n第一章 雪山\n　　冰化成了水。\n第二章 溪流\n　　水流下山。\n"
                           "第二卷 入海\n第三章 大河\n　　河入了海。\n");
    const std::vector<Chapter> chapters = ChapterDetector::detect(text);
    QCOMPARE(chapters.size(), size_t(5));
    QCOMPARE(chapters.front().offset, firstVolume);
}

void TestChapterDetector::chapterAtFindsTheChapterOfAnOffset_data()
{
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<int>("chapter");
    QTest::addColumn<bool>("inHeading");

    QTest::newRow("before the first") << qsizetype(0) << -1 << false;
    QTest::newRow("first heading's start") << qsizetype(10) << 0 << true;
    QTest::newRow("inside the first heading") << qsizetype(14) << 0 << true;
    QTest::newRow("first heading's end") << qsizetype(15) << 0 << false;
    QTest::newRow("in the first chapter") << qsizetype(99) << 0 << false;
    QTest::newRow("second heading") << qsizetype(100) << 1 << true;
    QTest::newRow("last chapter") << qsizetype(5000) << 2 << false;
}

void TestChapterDetector::chapterAtFindsTheChapterOfAnOffset()
{
    QFETCH(qsizetype, offset);
    QFETCH(int, chapter);
    QFETCH(bool, inHeading);

    const std::vector<Chapter> chapters{ { 10, 5, QStringLiteral("一"), 1 },
                                         { 100, 5, QStringLiteral("二"), 1 },
                                         { 200, 5, QStringLiteral("三"), 1 } };
    QCOMPARE(ChapterDetector::chapterAt(chapters, offset), chapter);
    QCOMPARE(ChapterDetector::isInHeading(chapters, offset), inHeading);
    QCOMPARE(ChapterDetector::chapterAt({}, offset), -1);
}

LEXORIN_TEST_MAIN(TestChapterDetector)
#include "tst_chapterdetector.moc"
