#include "bookpropertiesdialog.h"
#include "testmain.h"

#include <QFormLayout>
#include <QLabel>

// What the properties of a book say of its file and of the reader's time with it.
class TestBookPropertiesDialog : public QObject
{
    Q_OBJECT

private slots:
    void fields_data();
    void fields();
    void aSampleBookIsNamedAsOne();
    void theSizeShowsOnceTheFileIsLookedAt_data();
    void theSizeShowsOnceTheFileIsLookedAt();
};

namespace {

// The value shown beside a label, or a null text when the dialog has no such row.
QString fieldOf(const QDialog &dialog, const QString &label)
{
    const auto *form = dialog.findChild<QFormLayout *>();
    for (int row = 0; row < form->rowCount(); ++row) {
        const auto *name = qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::LabelRole)->widget());
        if (name && name->text() == label)
            return qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::FieldRole)->widget())->text();
    }
    return QString();
}

}

void TestBookPropertiesDialog::fields_data()
{
    QTest::addColumn<qint64>("readingSeconds");
    QTest::addColumn<qint64>("place");
    QTest::addColumn<QString>("override");
    QTest::addColumn<QString>("readingTime");
    QTest::addColumn<QString>("progress");

    QTest::newRow("never read") << qint64(0) << qint64(0) << "" << QString() << "未读";
    QTest::newRow("a glance") << qint64(59) << qint64(10) << "" << "不到 1 分钟" << "1%";
    QTest::newRow("minutes") << qint64(42 * 60 + 30) << qint64(500) << "Big5" << "42 分钟" << "50%";
    QTest::newRow("hours") << qint64(2 * 3600 + 5 * 60) << qint64(1000) << "" << "2 小时 5 分钟" << "100%";
}

void TestBookPropertiesDialog::fields()
{
    QFETCH(qint64, readingSeconds);
    QFETCH(qint64, place);
    QFETCH(QString, override);
    QFETCH(QString, readingTime);
    QFETCH(QString, progress);

    BookRecord record;
    record.id = 1;
    record.place = place;
    record.textLength = place > 0 ? 1000 : 0;
    record.encoding = QStringLiteral("GB18030");
    record.encodingOverride = override;
    record.readingSeconds = readingSeconds;
    BookPropertiesDialog dialog(QStringLiteral("/nowhere/星灯.txt"), record);
    dialog.showFile(FileProber::Facts());

    QCOMPARE(fieldOf(dialog, QStringLiteral("书名")), QStringLiteral("星灯"));
    QCOMPARE(fieldOf(dialog, QStringLiteral("大小")), QStringLiteral("文件已不存在"));
    QCOMPARE(fieldOf(dialog, QStringLiteral("编码")), QStringLiteral("GB18030"));
    QCOMPARE(fieldOf(dialog, QStringLiteral("指定编码")), override.isEmpty() ? QString() : override);
    QCOMPARE(fieldOf(dialog, QStringLiteral("进度")), progress);
    QCOMPARE(fieldOf(dialog, QStringLiteral("阅读时长")), readingTime);
}

void TestBookPropertiesDialog::aSampleBookIsNamedAsOne()
{
    BookRecord record;
    record.id = 1;
    const BookPropertiesDialog dialog(QStringLiteral(":/book/星灯童话集.txt"), record);
    QCOMPARE(fieldOf(dialog, QStringLiteral("书名")), QStringLiteral("星灯童话集"));
    QCOMPARE(fieldOf(dialog, QStringLiteral("位置")), QStringLiteral("程序自带的示例书"));
}

void TestBookPropertiesDialog::theSizeShowsOnceTheFileIsLookedAt_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("shown");

    QTest::newRow("there") << true << qint64(3 * 1024 * 1024) << QLocale().formattedDataSize(3 * 1024 * 1024);
    QTest::newRow("empty") << true << qint64(0) << QLocale().formattedDataSize(0);
    QTest::newRow("gone") << false << qint64(-1) << "文件已不存在";
}

// Until the file has been looked at, the dialog says it is looking rather than guessing.
void TestBookPropertiesDialog::theSizeShowsOnceTheFileIsLookedAt()
{
    QFETCH(bool, exists);
    QFETCH(qint64, size);
    QFETCH(QString, shown);

    BookPropertiesDialog dialog(QStringLiteral("/mnt/slow/星灯.txt"), BookRecord());
    QCOMPARE(fieldOf(dialog, QStringLiteral("大小")), QStringLiteral("正在查看……"));
    FileProber::Facts file;
    file.exists = exists;
    file.isFile = exists;
    file.size = size;
    dialog.showFile(file);
    QCOMPARE(fieldOf(dialog, QStringLiteral("大小")), shown);
}

LEXORIN_TEST_MAIN(TestBookPropertiesDialog)
#include "tst_bookpropertiesdialog.moc"
