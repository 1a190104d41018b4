#include "bookdecoder.h"
#include "encodingdialog.h"
#include "testmain.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

// The encoding chooser: what it offers, how it is found by typing, and which row is ticked.
class TestEncodingDialog : public QObject
{
    Q_OBJECT

private slots:
    void everyEncodingSitsInANamedGroup();
    void filterFindsByCodeNameAndLanguage_data();
    void filterFindsByCodeNameAndLanguage();
    void ticksWhatIsInUse_data();
    void ticksWhatIsInUse();

private:
    static QTreeWidget *tree(const EncodingDialog &dialog) { return dialog.findChild<QTreeWidget *>("encodingTree"); }
    static QStringList shownEncodings(const EncodingDialog &dialog);
    static QStringList tickedRows(const EncodingDialog &dialog);
};

// The rows a reader can choose that are in view, by their code name ("自动检测" for detection).
QStringList TestEncodingDialog::shownEncodings(const EncodingDialog &dialog)
{
    QStringList shown;
    for (QTreeWidgetItemIterator it(tree(dialog), QTreeWidgetItemIterator::NotHidden); *it; ++it) {
        if ((*it)->flags() & Qt::ItemIsSelectable)
            shown << (*it)->text(1);
    }
    return shown;
}

QStringList TestEncodingDialog::tickedRows(const EncodingDialog &dialog)
{
    QStringList ticked;
    for (QTreeWidgetItemIterator it(tree(dialog)); *it; ++it) {
        if (((*it)->flags() & Qt::ItemIsSelectable) && !(*it)->text(0).isEmpty())
            ticked << (*it)->text(1);
    }
    return ticked;
}

void TestEncodingDialog::everyEncodingSitsInANamedGroup()
{
    const EncodingDialog dialog("GB18030", QByteArray());
    QStringList offered;
    for (int i = 0; i < tree(dialog)->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *group = tree(dialog)->topLevelItem(i);
        if (group->childCount() == 0)
            continue; // automatic detection
        QVERIFY2(!group->text(0).isEmpty() && group->text(0) != QStringLiteral("其他"), "an encoding has no language");
        for (int j = 0; j < group->childCount(); ++j) {
            QVERIFY2(!group->child(j)->text(2).isEmpty(), qPrintable(group->child(j)->text(1)));
            offered << group->child(j)->text(1);
        }
    }
    QStringList expected;
    for (const QByteArray &encoding : BookDecoder::overrideEncodings())
        expected << QString::fromLatin1(encoding);
    offered.sort();
    expected.sort();
    QCOMPARE(offered, expected);
}

void TestEncodingDialog::filterFindsByCodeNameAndLanguage_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("nothing typed") << QString() << QStringList();
    QTest::newRow("an alias in the name, any case") << "gbk" << QStringList{ "GB18030" };
    QTest::newRow("part of a code name") << "1252" << QStringList{ "windows-1252" };
    QTest::newRow("a language") << "日文" << QStringList{ "SHIFT_JIS", "EUC-JP", "ISO-2022-JP" };
    QTest::newRow("a group's name shows the group") << "韩文" << QStringList{ "windows-949", "ISO-2022-KR" };
    QTest::newRow("detection") << "自动" << QStringList{ "自动检测" };
    QTest::newRow("no match") << "klingon" << QStringList();
}

void TestEncodingDialog::filterFindsByCodeNameAndLanguage()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);

    EncodingDialog dialog("GB18030", QByteArray());
    const int all = shownEncodings(dialog).size();
    dialog.findChild<QLineEdit *>("filterEdit")->setText(typed);
    QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    if (typed.isEmpty()) {
        QCOMPARE(shownEncodings(dialog).size(), all);
        QCOMPARE(all, BookDecoder::overrideEncodings().size() + 1);
        return;
    }
    QCOMPARE(shownEncodings(dialog), shown);
    // What is chosen is always a row in view, so OK never takes a hidden choice.
    QCOMPARE(ok->isEnabled(), !shown.isEmpty());
    if (!shown.isEmpty())
        QCOMPARE(tree(dialog)->currentItem()->text(1), shown.front());
}

void TestEncodingDialog::ticksWhatIsInUse_data()
{
    QTest::addColumn<QByteArray>("detected");
    QTest::addColumn<QByteArray>("current");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QString>("label");

    QTest::newRow("detection, and what it found")
            << QByteArray("BIG5") << QByteArray() << QStringList{ "自动检测", "BIG5" } << "BIG5（大五码（台湾、香港））";
    QTest::newRow("the reader's choice")
            << QByteArray("GB18030") << QByteArray("UTF-8") << QStringList{ "UTF-8" } << "GB18030";
    QTest::newRow("a book never detected")
            << QByteArray() << QByteArray() << QStringList{ "自动检测" } << "未知";
}

void TestEncodingDialog::ticksWhatIsInUse()
{
    QFETCH(QByteArray, detected);
    QFETCH(QByteArray, current);
    QFETCH(QStringList, ticked);
    QFETCH(QString, label);

    const EncodingDialog dialog(detected, current);
    QCOMPARE(tickedRows(dialog), ticked);
    QCOMPARE(dialog.chosenEncoding(), current);
    QVERIFY2(dialog.findChild<QLabel *>("detectedLabel")->text().contains(label),
             qPrintable(dialog.findChild<QLabel *>("detectedLabel")->text()));
}

LEXORIN_TEST_MAIN(TestEncodingDialog)
#include "tst_encodingdialog.moc"
