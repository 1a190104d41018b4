#include "booklayout.h"
#include "cleanupruleeditor.h"
#include "cleanuprules.h"
#include "cleanuprulescontroller.h"
#include "cleanuprulesdialog.h"
#include "library.h"
#include "pagewidget.h"
#include "readingsession.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

// The clean-up rules dialog: rules added, turned off, tested on the book, imported and
// exported; and the controller keeping what the reader chose and cutting the book anew by it
// in place.
class TestCleanupRulesDialog : public QObject
{
    Q_OBJECT

private slots:
    void theEditorRefusesARuleThatCannotWork_data();
    void theEditorRefusesARuleThatCannotWork();
    void countsWhatEachRuleHitsInTheBook();
    void builtInRulesAreOnlyTurnedOnOrOff();
    void rulesGoOutAndComeBackAsJson();
    void aMalformedFileChangesNothing_data();
    void aMalformedFileChangesNothing();
    void anAddedRuleClearsThePageAndKeepsThePlace();
};

namespace {

// Long enough to take three lines on the page.
const QString EndMark = QStringLiteral("（本章完。本书由渡口书社整理，仅供交流之用，请于下载后二十四小时内删除，喜欢本书请支持作者，求收藏求推荐）");

QString book()
{
    QString text;
    for (int part = 1; part <= 20; ++part) {
        text += QStringLiteral("　　河水涨了三尺，摆渡的老人把船拴在柳树下，坐在石阶上抽烟。\n").repeated(10);
        if (part % 4 == 0)
            text += QStringLiteral("www.example-books.net\n");
        text += EndMark + u'\n';
    }
    return text;
}

template<typename T>
T *child(const QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QString::fromLatin1(name));
}

QPushButton *okButton(const QWidget &dialog)
{
    return child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok);
}

// Fills the editor the dialog opens next with a rule of the reader's and takes it.
void answerEditor(const QString &pattern, CleanupRule::Kind kind, CleanupRule::Scope scope)
{
    QTimer::singleShot(0, [=] {
        auto *editor = qobject_cast<CleanupRuleEditor *>(QApplication::activeModalWidget());
        QVERIFY(editor);
        auto *kindBox = child<QComboBox>(*editor, "kindBox");
        kindBox->setCurrentIndex(kindBox->findData(int(kind)));
        auto *scopeBox = child<QComboBox>(*editor, "scopeBox");
        scopeBox->setCurrentIndex(scopeBox->findData(int(scope)));
        child<QLineEdit>(*editor, "patternEdit")->setText(pattern);
        QVERIFY(okButton(*editor)->isEnabled());
        okButton(*editor)->click();
    });
}

BookCleanupRule ownRule(const QString &pattern, CleanupRule::Scope scope, bool forAllBooks)
{
    return { { pattern, CleanupRule::Kind::PlainText, pattern, scope, QString(), true }, forAllBooks };
}

}

void TestCleanupRulesDialog::theEditorRefusesARuleThatCannotWork_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<QString>("problem");
    QTest::newRow("plain text") << int(CleanupRule::Kind::PlainText) << QStringLiteral("求收藏") << true << QString();
    QTest::newRow("nothing to look for") << int(CleanupRule::Kind::PlainText) << QString() << false << QStringLiteral("请输入");
    QTest::newRow("expression") << int(CleanupRule::Kind::RegularExpression) << QStringLiteral("^（.*）$") << true << QString();
    QTest::newRow("broken expression") << int(CleanupRule::Kind::RegularExpression) << QStringLiteral("(求收藏")
                                       << false << QStringLiteral("有误");
    QTest::newRow("brackets as plain text") << int(CleanupRule::Kind::PlainText) << QStringLiteral("(求收藏") << true << QString();
}

void TestCleanupRulesDialog::theEditorRefusesARuleThatCannotWork()
{
    QFETCH(int, kind);
    QFETCH(QString, pattern);
    QFETCH(bool, usable);
    QFETCH(QString, problem);
    CleanupRuleEditor editor(ownRule(QStringLiteral("x"), CleanupRule::Scope::WholeLine, false));
    auto *kindBox = child<QComboBox>(editor, "kindBox");
    kindBox->setCurrentIndex(kindBox->findData(kind));
    child<QLineEdit>(editor, "patternEdit")->setText(pattern);
    QCOMPARE(okButton(editor)->isEnabled(), usable);
    const QString shown = child<QLabel>(editor, "problemLabel")->text();
    QVERIFY(usable ? shown.isEmpty() : shown.contains(problem));
    QCOMPARE(int(editor.rule().rule.kind), kind);
    QVERIFY(!editor.rule().forAllBooks);
}

void TestCleanupRulesDialog::countsWhatEachRuleHitsInTheBook()
{
    CleanupRulesDialog dialog(CleanupRules::withBuiltIns({}), book(), true);
    QVERIFY(child<QLabel>(dialog, "layoutNote")->isHidden());
    QSignalSpy counted(&dialog, &CleanupRulesDialog::counted);
    QTRY_VERIFY(dialog.isCounted());
    QCOMPARE(dialog.hits(), (std::vector<int>{ 5, 0 }));
    QCOMPARE(dialog.removedLines(), 5);

    answerEditor(EndMark, CleanupRule::Kind::PlainText, CleanupRule::Scope::WholeLine);
    child<QPushButton>(dialog, "addButton")->click();
    answerEditor(QStringLiteral("老人"), CleanupRule::Kind::PlainText, CleanupRule::Scope::Span);
    child<QPushButton>(dialog, "addButton")->click();
    QCOMPARE(dialog.rules().size(), size_t(4));
    QVERIFY(!dialog.rules()[2].forAllBooks);
    QTRY_VERIFY(dialog.isCounted());
    QCOMPARE(dialog.hits(), (std::vector<int>{ 5, 0, 20, 200 }));
    QCOMPARE(dialog.removedLines(), 25);
    QVERIFY(child<QLabel>(dialog, "countLabel")->text().contains(QStringLiteral("25")));
    QVERIFY(child<QListWidget>(dialog, "ruleList")->item(2)->text().contains(QStringLiteral("20")));

    child<QListWidget>(dialog, "ruleList")->item(0)->setCheckState(Qt::Unchecked);
    QVERIFY(!dialog.rules()[0].rule.enabled);
    QTRY_VERIFY(dialog.isCounted());
    QCOMPARE(dialog.removedLines(), 20);
}

void TestCleanupRulesDialog::builtInRulesAreOnlyTurnedOnOrOff()
{
    std::vector<BookCleanupRule> rules = CleanupRules::withBuiltIns({});
    rules.push_back(ownRule(EndMark, CleanupRule::Scope::WholeLine, true));
    CleanupRulesDialog dialog(rules, book(), false);
    QVERIFY(!child<QLabel>(dialog, "layoutNote")->isHidden());
    auto *list = child<QListWidget>(dialog, "ruleList");
    QCOMPARE(list->count(), 3);
    for (int row = 0; row < 3; ++row) {
        list->setCurrentRow(row);
        const bool own = row == 2;
        QCOMPARE(child<QPushButton>(dialog, "editButton")->isEnabled(), own);
        QCOMPARE(child<QPushButton>(dialog, "removeButton")->isEnabled(), own);
    }
    list->setCurrentRow(1);
    child<QPushButton>(dialog, "removeButton")->click();
    QCOMPARE(dialog.rules(), rules);
    list->setCurrentRow(2);
    child<QPushButton>(dialog, "removeButton")->click();
    QCOMPARE(dialog.rules(), CleanupRules::withBuiltIns({}));
}

void TestCleanupRulesDialog::rulesGoOutAndComeBackAsJson()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rules.json"));
    std::vector<BookCleanupRule> rules = CleanupRules::withBuiltIns({});
    rules[1].rule.enabled = false;
    rules.push_back(ownRule(EndMark, CleanupRule::Scope::WholeLine, true));
    rules.push_back(ownRule(QStringLiteral("求收藏"), CleanupRule::Scope::Span, false));
    rules.back().rule.enabled = false;
    {
        CleanupRulesDialog out(rules, book(), true);
        out.setFileChooser([&path](QFileDialog::AcceptMode mode) {
            return mode == QFileDialog::AcceptSave ? path : QString();
        });
        out.exportRules();
        QVERIFY(child<QLabel>(out, "messageLabel")->text().contains(QStringLiteral("4")));
    }
    CleanupRulesDialog in(CleanupRules::withBuiltIns({}), book(), true);
    in.setFileChooser([&path](QFileDialog::AcceptMode mode) {
        return mode == QFileDialog::AcceptOpen ? path : QString();
    });
    in.importRules();
    QCOMPARE(in.rules(), rules);
    in.importRules();
    QCOMPARE(in.rules(), rules);
}

void TestCleanupRulesDialog::aMalformedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not json") << QByteArray("本章完");
    QTest::newRow("another kind of file") << QByteArray(R"({"chapters": []})");
    QTest::newRow("a broken expression")
            << QByteArray(R"({"lexorinCleanupRules": 1, "rules": [{"kind": "plainText", "pattern": "a"},)"
                          R"( {"kind": "regularExpression", "pattern": "[a"}]})");
}

void TestCleanupRulesDialog::aMalformedFileChangesNothing()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rules.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const std::vector<BookCleanupRule> rules = CleanupRules::withBuiltIns({});
    CleanupRulesDialog dialog(rules, book(), true);
    dialog.setFileChooser([&path](QFileDialog::AcceptMode) { return path; });
    dialog.importRules();
    QCOMPARE(dialog.rules(), rules);
    QVERIFY(child<QLabel>(dialog, "messageLabel")->text().contains(QStringLiteral("没有导入")));
}

void TestCleanupRulesDialog::anAddedRuleClearsThePageAndKeepsThePlace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ferry.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(book().toUtf8());
    file.close();

    Library library;
    QCOMPARE(library.open(), QString());
    ReadingSession session;
    library.follow(session.loader());
    QWidget window;
    auto *pageWidget = new PageWidget(&window);
    TypesetStyle style;
    style.book = true;
    pageWidget->setTypesetStyle(style);
    CleanupRulesController controller(&library, &session, pageWidget, &window);
    QVERIFY(!controller.action()->isEnabled());
    const PageFormat format(pageWidget->textFont(), QSize(480, 530), false, style);
    session.setFormat(format);
    session.open(path);
    QTRY_VERIFY(session.isComplete() && session.openingBook().isEmpty());
    QVERIFY(controller.action()->isEnabled());
    const int pagesBefore = session.pageCount();
    session.goTo(pagesBefore / 2);
    const qsizetype place = session.place();

    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<CleanupRulesDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        answerEditor(EndMark, CleanupRule::Kind::PlainText, CleanupRule::Scope::WholeLine);
        child<QPushButton>(*dialog, "addButton")->click();
        QTRY_VERIFY(dialog->isCounted());
        QCOMPARE(dialog->hits().back(), 20);
        okButton(*dialog)->click();
    });
    controller.action()->trigger();

    const std::vector<BookCleanupRule> kept = library.cleanupRules(path);
    QCOMPARE(kept.size(), size_t(3));
    QCOMPARE(kept.back().rule.pattern, EndMark);
    QVERIFY(!kept.back().forAllBooks);
    QVERIFY(library.cleanupRules(dir.filePath(QStringLiteral("other.txt"))).size() == 2);
    QTRY_VERIFY(session.state() != ReadingSession::State::Recutting && session.isComplete());
    QCOMPARE(session.place(), place);
    QVERIFY2(session.pageCount() < pagesBefore, qPrintable(QStringLiteral("%1 %2").arg(session.pageCount()).arg(pagesBefore)));

    // The page holding the place draws no end mark: its characters get no place on it.
    const BookLayout layout(format.font, QSizeF(format.textArea), style, false, CleanupRules::enabled(kept));
    const QStringView page = session.pages().page(session.page());
    const qsizetype mark = page.indexOf(EndMark);
    QVERIFY(mark >= 0 || session.page() + 1 < session.pageCount());
    for (const PlacedLine &line : layout.linesOfPage(session.pages(), session.page(), session.pageHeadings())) {
        for (qsizetype i = line.start; i < line.end; ++i)
            QVERIFY(mark < 0 || i < mark || i >= mark + EndMark.size() || line.x[size_t(i - line.start)] < 0);
    }
}

LEXORIN_TEST_MAIN(TestCleanupRulesDialog)
#include "tst_cleanuprulesdialog.moc"
