#include "chapterrulecontroller.h"
#include "chapterruledialog.h"
#include "library.h"
#include "librarydatabase.h"
#include "readingsession.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// A book's own chapter rule: the dialog tries what is chosen or typed on the book at once,
// and the controller keeps the rule chosen and cuts the book anew by it in place.
class TestChapterRuleDialog : public QObject
{
    Q_OBJECT

private slots:
    void triesTheRuleOnTheBook_data();
    void triesTheRuleOnTheBook();
    void aBrokenExpressionCannotBeChosen();
    void theChosenRuleIsKeptAndCutsTheBookInPlace();
};

namespace {

QString book()
{
    QString text;
    for (int chapter = 1; chapter <= 30; ++chapter) {
        text += QStringLiteral("第%1章 灯塔\n").arg(chapter);
        if (chapter % 10 == 1)
            text += QStringLiteral("%1\n").arg(chapter / 10 + 1);
        text += QStringLiteral("　　风从海上来，灯在塔上亮，夜里的船一只只回到港口。\n").repeated(12);
    }
    return text;
}

template<typename T>
T *child(const QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QString::fromLatin1(name));
}

void chooseKind(ChapterRuleDialog &dialog, ChapterRule::Kind kind)
{
    auto *box = child<QComboBox>(dialog, "kindBox");
    box->setCurrentIndex(box->findData(int(kind)));
}

}

void TestChapterRuleDialog::triesTheRuleOnTheBook_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("headings");
    QTest::newRow("automatic") << int(ChapterRule::Kind::Automatic) << QString() << 30;
    QTest::newRow("numbered chapters") << int(ChapterRule::Kind::NumberedChapters) << QString() << 30;
    QTest::newRow("lone numbers") << int(ChapterRule::Kind::LoneNumbers) << QString() << 3;
    QTest::newRow("english chapters, none") << int(ChapterRule::Kind::EnglishChapters) << QString() << 0;
    QTest::newRow("own expression") << int(ChapterRule::Kind::Pattern) << QStringLiteral("^第[12]\\d章") << 20;
}

void TestChapterRuleDialog::triesTheRuleOnTheBook()
{
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(int, headings);

    const QString text = book();
    ChapterRuleDialog dialog(ChapterRule(), text);
    chooseKind(dialog, ChapterRule::Kind(kind));
    if (!typed.isEmpty())
        child<QLineEdit>(dialog, "patternEdit")->setText(typed);
    QCOMPARE(dialog.headingCount(), headings);
    QCOMPARE(child<QListWidget>(dialog, "headingList")->count(), headings);
    QVERIFY(child<QLabel>(dialog, "countLabel")->text().contains(headings ? QString::number(headings) : QStringLiteral("没有")));
    QVERIFY(child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->isEnabled());
    QCOMPARE(int(dialog.chosenRule().kind()), kind);
}

void TestChapterRuleDialog::aBrokenExpressionCannotBeChosen()
{
    const QString text = book();
    ChapterRuleDialog dialog(ChapterRule(ChapterRule::Kind::Pattern, QStringLiteral("^第")), text);
    QCOMPARE(dialog.headingCount(), 30);
    QTest::keyClicks(child<QLineEdit>(dialog, "patternEdit"), QStringLiteral("(["));
    QVERIFY(!child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->isEnabled());
    QCOMPARE(child<QListWidget>(dialog, "headingList")->count(), 0);
    QVERIFY(child<QLabel>(dialog, "countLabel")->text().contains(QStringLiteral("有误")));
}

void TestChapterRuleDialog::theChosenRuleIsKeptAndCutsTheBookInPlace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lighthouse.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(book().toUtf8());
    file.close();

    Library library;
    QCOMPARE(library.database()->open(), LibraryDatabase::Status::Ready);
    library.database()->bookFor(path, BookFingerprint::ofFile(path));
    ReadingSession session;
    library.follow(session.loader());
    QWidget window;
    ChapterRuleController controller(&library, &session, &window);
    QVERIFY(!controller.action()->isEnabled());
    session.setFormat({ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(480, 530) });
    session.open(path);
    QTRY_VERIFY(session.isComplete() && session.openingBook().isEmpty());
    QVERIFY(controller.action()->isEnabled());
    QCOMPARE(session.chapters().size(), size_t(30));
    session.goTo(int(session.pages().size()) / 2);
    const qsizetype place = session.place();

    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<ChapterRuleDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        chooseKind(*dialog, ChapterRule::Kind::LoneNumbers);
        dialog->accept();
    });
    controller.action()->trigger();

    QCOMPARE(library.recordFor(path).chapterRule, QStringLiteral("preset:lone-numbers"));
    QTRY_COMPARE(session.chapters().size(), size_t(3));
    QTRY_VERIFY(session.state() != ReadingSession::State::Recutting && session.isComplete());
    QCOMPARE(session.place(), place);
}

LEXORIN_TEST_MAIN(TestChapterRuleDialog)
#include "tst_chapterruledialog.moc"
