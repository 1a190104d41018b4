#include "testmain.h"
#include "typesetter.h"

// Lines set the way a printed Chinese book sets them, checked where the characters are
// placed, which is where the page draws them.
class TestTypesetter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void closingMarkNeverStartsLine_data();
    void closingMarkNeverStartsLine();
    void openingMarkNeverEndsLine_data();
    void openingMarkNeverEndsLine();
    void doubledMarkNeverSplit_data();
    void doubledMarkNeverSplit();
    void adjacentMarksTakeOneAndAHalfEms_data();
    void adjacentMarksTakeOneAndAHalfEms();
    void compressesBeforePushingDown();
    void linesFillTheWidthExactly_data();
    void linesFillTheWidthExactly();
    void latinWordsStayWhole();
    void cjkAndLatinSetAQuarterEmApart_data();
    void cjkAndLatinSetAQuarterEmApart();
    void noCjkLatinSpaceAtALineEdge();
    void noLoneCharacterOnLastLine_data();
    void noLoneCharacterOnLastLine();
    void settingFromALineStartGivesTheSameLines();
    void zeroWidthSpaceTakesNoRoom_data();
    void zeroWidthSpaceTakesNoRoom();

private:
    qreal em() const;
    Typesetter typesetter(qreal ems, bool justify = true) const;
    static qreal rightEdge(const Typesetter &setter, const QString &text, const TypesetLine &line);

    QFont m_font;
};

void TestTypesetter::initTestCase()
{
    m_font = QFont(QStringLiteral("Microsoft YaHei"), 14);
}

qreal TestTypesetter::em() const
{
    return Typesetter(m_font, 100, true).em();
}

Typesetter TestTypesetter::typesetter(qreal ems, bool justify) const
{
    return Typesetter(m_font, ems * em(), justify);
}

qreal TestTypesetter::rightEdge(const Typesetter &setter, const QString &text, const TypesetLine &line)
{
    qreal right = 0.0;
    setter.positionsOf(text, line, &right);
    return right;
}

void TestTypesetter::closingMarkNeverStartsLine_data()
{
    QTest::addColumn<QString>("mark");
    for (const char16_t *mark : { u"、", u"，", u"。", u"：", u"；", u"！", u"？", u"」", u"』", u"）", u"》", u"”", u"】" })
        QTest::newRow(QString::fromUtf16(mark).toUtf8()) << QString::fromUtf16(mark);
}

// Ten characters fill the line; the mark after them would start the next.
void TestTypesetter::closingMarkNeverStartsLine()
{
    QFETCH(QString, mark);
    const QString text = QStringLiteral("一二三四五六七八九十") + mark + QStringLiteral("之后还有几个字");
    const Typesetter setter = typesetter(10);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QVERIFY(lines.size() >= 2);
    for (const TypesetLine &line : lines)
        QVERIFY2(Typesetter::mayStartLine(text[line.start].unicode()), qPrintable(text.mid(line.start)));
    QVERIFY(qAbs(rightEdge(setter, text, lines.front()) - setter.lineWidth()) < 0.5);
}

void TestTypesetter::openingMarkNeverEndsLine_data()
{
    QTest::addColumn<QString>("mark");
    for (const char16_t *mark : { u"「", u"『", u"（", u"《", u"“", u"【" })
        QTest::newRow(QString::fromUtf16(mark).toUtf8()) << QString::fromUtf16(mark);
}

// The mark is the line's tenth character, where it would end the line.
void TestTypesetter::openingMarkNeverEndsLine()
{
    QFETCH(QString, mark);
    const QString text = QStringLiteral("一二三四五六七八九") + mark + QStringLiteral("十之后还有几个字");
    const Typesetter setter = typesetter(10);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QVERIFY(lines.size() >= 2);
    for (const TypesetLine &line : lines)
        QVERIFY2(Typesetter::mayEndLine(text[line.visibleEnd - 1].unicode()), qPrintable(text.left(line.end)));
    QVERIFY(qAbs(rightEdge(setter, text, lines.front()) - setter.lineWidth()) < 0.5);
}

void TestTypesetter::doubledMarkNeverSplit_data()
{
    QTest::addColumn<QString>("mark");
    QTest::newRow("dash") << QStringLiteral("——");
    QTest::newRow("ellipsis") << QStringLiteral("……");
}

void TestTypesetter::doubledMarkNeverSplit()
{
    QFETCH(QString, mark);
    const QString text = QStringLiteral("一二三四五六七八九") + mark + QStringLiteral("十之后还有几个字");
    const std::vector<TypesetLine> lines = typesetter(10).linesOf(text, 0.0);
    QVERIFY(lines.size() >= 2);
    for (const TypesetLine &line : lines)
        QVERIFY2(line.start == 0 || text[line.start] != text[line.start - 1] || text[line.start] != mark[0],
                 qPrintable(text.mid(line.start)));
}

void TestTypesetter::adjacentMarksTakeOneAndAHalfEms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("first");
    QTest::newRow("full stop, closing quote") << QStringLiteral("他说好。」走") << 3;
    QTest::newRow("comma, opening quote") << QStringLiteral("他说，「走") << 2;
    QTest::newRow("two opening quotes") << QStringLiteral("他说「『走") << 2;
    QTest::newRow("closing quote, full stop") << QStringLiteral("叫「好」。走") << 3;
    QTest::newRow("colon, opening quote") << QStringLiteral("他说：「走") << 2;
}

// On a paragraph's last line, which is neither stretched nor compressed further.
void TestTypesetter::adjacentMarksTakeOneAndAHalfEms()
{
    QFETCH(QString, text);
    QFETCH(int, first);
    const Typesetter setter = typesetter(20);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QCOMPARE(lines.size(), size_t(1));
    const std::vector<qreal> x = setter.positionsOf(text, lines.front());
    const qsizetype after = first + 2;
    QVERIFY2(qAbs(x[size_t(after)] - x[size_t(first)] - 1.5 * setter.em()) < 0.01,
             qPrintable(QStringLiteral("%1 %2").arg(x[size_t(first)]).arg(x[size_t(after)])));
}

// Eight characters and a comma leave room for one em: "九。" needs two, and fits once the
// comma and the full stop give up their blank halves.
void TestTypesetter::compressesBeforePushingDown()
{
    const QString text = QStringLiteral("一二三四五六七八，九。后面还有字");
    const Typesetter setter = typesetter(10);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QCOMPARE(lines.size(), size_t(2));
    QCOMPARE(lines.front().end, text.indexOf(u'后'));
    QVERIFY(qAbs(rightEdge(setter, text, lines.front()) - setter.lineWidth()) < 0.5);
}

void TestTypesetter::linesFillTheWidthExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("ems");
    QTest::addColumn<qreal>("indent");
    const QString chinese = QStringLiteral(
            "雨下了整整一夜，到天亮才停。院子里的石榴树落了一地的花，红得像撒了一层胭脂。"
            "她推开窗，说：「今年的花开得早——也谢得早……」没有人回答她。远处传来几声鸡叫，"
            "接着是挑水人的扁担吱呀吱呀地响过巷口。她想起《山居笔记》里的一句话，又想起那年的春天。");
    QTest::newRow("chinese, whole ems") << chinese << 12.0 << 2.0;
    QTest::newRow("chinese, a fraction of an em over") << chinese << 13.37 << 2.0;
    QTest::newRow("chinese, no indent") << chinese << 9.5 << 0.0;
    QTest::newRow("mixed") << QStringLiteral("他用Qt 6写了一个阅读器，支持GB18030和UTF-8两种编码，"
                                             "还能在Linux上运行。每一页都排得整整齐齐，没有参差不齐的右边。")
                           << 11.3 << 2.0;
    QTest::newRow("latin") << QStringLiteral("The rain fell all night and stopped only at dawn. The pomegranate "
                                             "tree in the yard had dropped its flowers, red as rouge on the stones.")
                           << 14.2 << 0.0;
}

// Every line but the paragraph's last ends exactly at the right edge; the last keeps its
// natural spacing.
void TestTypesetter::linesFillTheWidthExactly()
{
    QFETCH(QString, text);
    QFETCH(qreal, ems);
    QFETCH(qreal, indent);
    const Typesetter setter = typesetter(ems);
    const std::vector<TypesetLine> lines = setter.linesOf(text, indent * setter.em());
    QVERIFY(lines.size() >= 3);
    for (const TypesetLine &line : lines) {
        const qreal right = rightEdge(setter, text, line);
        if (line.last)
            QVERIFY(right < setter.lineWidth() + 0.5);
        else
            QVERIFY2(qAbs(right - setter.lineWidth()) < 0.5,
                     qPrintable(QStringLiteral("%1 ends at %2 of %3").arg(text.mid(line.start, line.end - line.start))
                                        .arg(right).arg(setter.lineWidth())));
    }
    const TypesetLine &last = lines.back();
    QVERIFY(last.last);
    QVERIFY(qAbs(rightEdge(setter, text, last) - last.indent - setter.widthOf(text, last)) < 0.01);
    QCOMPARE(lines.front().indent, indent * setter.em());
}

void TestTypesetter::latinWordsStayWhole()
{
    const QString text = QStringLiteral("Pages are cut between words, and a word such as extraordinarily never breaks "
                                        "inside itself unless it is wider than a whole line.");
    const std::vector<TypesetLine> lines = typesetter(9).linesOf(text, 0.0);
    QVERIFY(lines.size() >= 4);
    for (const TypesetLine &line : lines)
        QVERIFY2(line.start == 0 || text[line.start - 1] == u' ', qPrintable(text.mid(line.start)));
}

void TestTypesetter::cjkAndLatinSetAQuarterEmApart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pair");
    QTest::addColumn<qreal>("space"); // in ems, beyond the first character's advance

    QTest::newRow("han, latin letter") << QStringLiteral("他用Qt写的") << QStringLiteral("用Q") << 0.25;
    QTest::newRow("latin letter, han") << QStringLiteral("他用Qt写的") << QStringLiteral("t写") << 0.25;
    QTest::newRow("digit, han") << QStringLiteral("共有12页纸") << QStringLiteral("2页") << 0.25;
    QTest::newRow("han, digit") << QStringLiteral("第3章开始") << QStringLiteral("第3") << 0.25;
    QTest::newRow("kana, latin letter") << QStringLiteral("これはOK です") << QStringLiteral("はO") << 0.25;
    QTest::newRow("ideograph beyond the basic plane, latin letter")
            << QStringLiteral("甲𠀀B乙") << QStringLiteral("𠀀B") << 0.25;
    QTest::newRow("latin letter, ideograph beyond the basic plane")
            << QStringLiteral("甲B𠀀乙") << QStringLiteral("B𠀀") << 0.25;
    QTest::newRow("a space already between") << QStringLiteral("他用 Qt 写的") << QStringLiteral("用 ") << 0.0;
    QTest::newRow("a mark already between") << QStringLiteral("他说，OK吧") << QStringLiteral("，O") << 0.0;
    QTest::newRow("full-width digit") << QStringLiteral("第３章") << QStringLiteral("第３") << 0.0;
    QTest::newRow("two latin letters") << QStringLiteral("他用Qt写的") << QStringLiteral("Qt") << 0.0;
    QTest::newRow("two han") << QStringLiteral("他用Qt写的") << QStringLiteral("他用") << 0.0;
    QTest::newRow("latin with an accent") << QStringLiteral("去Café喝") << QStringLiteral("é喝") << 0.25;
}

// On a paragraph's last line, which is not stretched: the space is what the line adds
// between the pair beyond the first one's own advance.
void TestTypesetter::cjkAndLatinSetAQuarterEmApart()
{
    QFETCH(QString, text);
    QFETCH(QString, pair);
    QFETCH(qreal, space);
    const Typesetter setter = typesetter(20);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QCOMPARE(lines.size(), size_t(1));
    const std::vector<qreal> x = setter.positionsOf(text, lines.front());
    const qsizetype first = text.indexOf(pair);
    QVERIFY(first >= 0);
    const qsizetype second = first + pair.size() - (pair.back().isLowSurrogate() ? 2 : 1);
    const qreal added = x[size_t(second)] - x[size_t(first)] - setter.advanceAt(text, first);
    QVERIFY2(qAbs(added - space * setter.em()) < 0.01,
             qPrintable(QStringLiteral("%1 em added").arg(added / setter.em())));
}

// The line is exactly as wide as its characters with the space inside it: the space where
// it meets the next line is not set, at the end of one line nor at the start of the next.
void TestTypesetter::noCjkLatinSpaceAtALineEdge()
{
    const QString text = QStringLiteral("一二三四五六七八Qt九十Go");
    const Typesetter probe = typesetter(20);
    const qreal width = 8.25 * probe.em() + probe.advanceAt(text, 8) + probe.advanceAt(text, 9);
    const Typesetter setter(m_font, width, true);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QCOMPARE(lines.size(), size_t(2));
    QCOMPARE(lines.front().end, text.indexOf(u'九'));
    QVERIFY(qAbs(rightEdge(setter, text, lines.front()) - width) < 0.01);
    const std::vector<qreal> second = setter.positionsOf(text, lines.back());
    QCOMPARE(second.front(), 0.0);
    const qreal tenAt = second[1];
    QVERIFY(qAbs(second[2] - tenAt - setter.advanceAt(text, 11) - setter.em() / 4) < 0.01);
}

void TestTypesetter::noLoneCharacterOnLastLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("a character") << QStringLiteral("一二三四五六七八九十甲");
    QTest::newRow("a character and a mark") << QStringLiteral("一二三四五六七八九十甲。");
    QTest::newRow("after a full line of the paragraph") << QStringLiteral("一二三四五六七八九十一二三四五六七八九十甲」");
}

void TestTypesetter::noLoneCharacterOnLastLine()
{
    QFETCH(QString, text);
    const Typesetter setter = typesetter(10);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QVERIFY(lines.size() >= 2);
    const TypesetLine &last = lines.back();
    QCOMPARE(text.mid(last.start).remove(QRegularExpression(QStringLiteral("[。」]"))).size(), 2);
    const TypesetLine &above = lines[lines.size() - 2];
    QVERIFY(qAbs(rightEdge(setter, text, above) - setter.lineWidth()) < 0.5);
}

// Pages are drawn from the first of their lines, not from the paragraph's start.
void TestTypesetter::settingFromALineStartGivesTheSameLines()
{
    const QString text = QStringLiteral(
            "她推开窗，说：「今年的花开得早——也谢得早……」没有人回答她。远处传来几声鸡叫，接着是挑水人的扁担"
            "吱呀吱呀地响过巷口。她想起《山居笔记》里的一句话，又想起那年的春天，甲。");
    const Typesetter setter = typesetter(8.5);
    const std::vector<TypesetLine> whole = setter.linesOf(text, 2 * setter.em());
    QVERIFY(whole.size() > 4);
    for (size_t from = 1; from < whole.size(); ++from) {
        const QString rest = text.mid(whole[from].start);
        const std::vector<TypesetLine> lines = setter.linesOf(rest, 0.0);
        QCOMPARE(lines.size(), whole.size() - from);
        for (size_t k = 0; k < lines.size(); ++k) {
            QCOMPARE(lines[k].start + whole[from].start, whole[from + k].start);
            QCOMPARE(lines[k].end + whole[from].start, whole[from + k].end);
            const std::vector<qreal> a = setter.positionsOf(rest, lines[k]);
            const std::vector<qreal> b = setter.positionsOf(text, whole[from + k]);
            for (size_t i = 0; i < a.size(); ++i)
                QVERIFY(qAbs(a[i] - b[i]) < 1e-6);
        }
    }
}

void TestTypesetter::zeroWidthSpaceTakesNoRoom_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qreal>("ems");
    QTest::addColumn<QList<qsizetype>>("lineStarts");
    const QChar space(Typesetter::ZeroWidthSpace);
    QTest::newRow("inside a line") << QStringLiteral("一二%1三四").arg(space) << 6.0 << QList<qsizetype>{ 0 };
    QTest::newRow("where the line is full") << QStringLiteral("一二三%1四五六").arg(space) << 3.0
                                            << QList<qsizetype>{ 0, 4 };
    QTest::newRow("before a closing mark") << QStringLiteral("一二三%1。四五六").arg(space) << 4.0
                                           << QList<qsizetype>{ 0, 5 };
    QTest::newRow("after an opening mark") << QStringLiteral("一二「%1三四").arg(space) << 3.0
                                           << QList<qsizetype>{ 0, 2 };
}

// A zero-width space, a joined line end, is not drawn and takes no room, a line may break
// after it, and it keeps a closing mark from starting a line and an opening one from ending one.
void TestTypesetter::zeroWidthSpaceTakesNoRoom()
{
    QFETCH(QString, text);
    QFETCH(qreal, ems);
    QFETCH(QList<qsizetype>, lineStarts);

    const Typesetter setter = typesetter(ems, false);
    const std::vector<TypesetLine> lines = setter.linesOf(text, 0.0);
    QList<qsizetype> starts;
    for (const TypesetLine &line : lines) {
        starts << line.start;
        const std::vector<qreal> x = setter.positionsOf(text, line);
        qreal drawn = 0.0;
        for (qsizetype i = line.start; i < line.visibleEnd; ++i) {
            if (text[i] == QChar(Typesetter::ZeroWidthSpace)) {
                QCOMPARE(x[size_t(i - line.start)], -1.0);
                continue;
            }
            QCOMPARE(x[size_t(i - line.start)], drawn);
            drawn += setter.advanceAt(text, i);
        }
    }
    QCOMPARE(starts, lineStarts);
}

LEXORIN_TEST_MAIN(TestTypesetter)
#include "tst_typesetter.moc"
