#include "pagedtext.h"
#include "testmain.h"

class TestPagedText : public QObject
{
    Q_OBJECT

private slots:
    void pagesAreViewsOfTheText();
    void pageOfAnOffset_data();
    void pageOfAnOffset();
    void emptyPagesHoldNoOffset();
    void wavesAddPagesWithoutCopyingTheText();
    void pagesGivenAsTextsJoin();
};

namespace {

// Three pages of a book whose text runs on beyond them: "甲乙\n" "丙丁戊\n" "\n", then "未切".
PagedText threePages()
{
    return PagedText(QStringLiteral("甲乙\n丙丁戊\n\n未切"), { 3, 4, 1 });
}

}

void TestPagedText::pagesAreViewsOfTheText()
{
    const PagedText text = threePages();
    QCOMPARE(text.size(), 3);
    QCOMPARE(text.page(0), u"甲乙\n");
    QCOMPARE(text.page(1), u"丙丁戊\n");
    QCOMPARE(text.page(2), u"\n");
    QVERIFY(text.page(3).isNull());
    QVERIFY(text.page(-1).isNull());
    QCOMPARE(text.page(1).data(), text.wholeText().constData() + 3);
    // The pages cover only the text cut so far.
    QCOMPARE(text.length(), 8);
    QCOMPARE(text.text(), u"甲乙\n丙丁戊\n\n");
    QCOMPARE(text.startOf(3), 8);
    QCOMPARE(text.startOf(99), 8);
}

void TestPagedText::pageOfAnOffset_data()
{
    QTest::addColumn<qsizetype>("offset");
    QTest::addColumn<int>("page");

    QTest::newRow("before the text") << qsizetype(-5) << 0;
    QTest::newRow("first character") << qsizetype(0) << 0;
    QTest::newRow("last of a page") << qsizetype(2) << 0;
    QTest::newRow("first of the next") << qsizetype(3) << 1;
    QTest::newRow("last page") << qsizetype(7) << 2;
    QTest::newRow("where the pages end") << qsizetype(8) << 2;
    QTest::newRow("far beyond") << qsizetype(1000) << 2;
}

void TestPagedText::pageOfAnOffset()
{
    QFETCH(qsizetype, offset);
    QFETCH(int, page);
    QCOMPARE(threePages().pageAt(offset), page);
}

void TestPagedText::emptyPagesHoldNoOffset()
{
    const PagedText text(QStringLiteral("甲乙\n丙\n"), { 0, 3, 0, 2 });
    QCOMPARE(text.pageAt(0), 1);
    QCOMPARE(text.pageAt(3), 3);
    QCOMPARE(PagedText().pageAt(10), 0);
    QCOMPARE(PagedText().startOf(0), 0);
}

void TestPagedText::wavesAddPagesWithoutCopyingTheText()
{
    const QString book = QStringLiteral("一\n二\n三\n四\n");
    PagedText shown(book, { 2 });
    PagedText cut(book, { 2, 2 });
    cut.appendPage(4);
    const QChar *firstPage = shown.page(0).data();

    shown.extendTo(cut);
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown.page(0).data(), firstPage);
    QCOMPARE(shown.page(2), u"三\n四\n");
    QCOMPARE(shown, cut);

    // A copy, as handed to another thread, shares the characters.
    const PagedText copy = shown;
    QCOMPARE(copy.page(2).data(), shown.page(2).data());
    QCOMPARE(book.constData(), firstPage);
}

void TestPagedText::pagesGivenAsTextsJoin()
{
    const std::vector<QString> pages = { QStringLiteral("Alpha\n"), QString(), QStringLiteral("Ωmega\n") };
    const PagedText text = PagedText(pages);
    QCOMPARE(text.size(), 3);
    QCOMPARE(text.text(), u"Alpha\nΩmega\n");
    QCOMPARE(text.pageTexts(), pages);
    QCOMPARE(text.startOf(2), 6);
    QVERIFY(text != PagedText({ QStringLiteral("Alpha\nΩmega\n") }));
}

LEXORIN_TEST_MAIN(TestPagedText)
#include "tst_pagedtext.moc"
