#include "fileloader.h"
#include "notice.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QSignalSpy>

using namespace WindowDriver;

// A book that is UTF-8 but for a stray byte is read as UTF-8, and the reader is told once,
// without a box to answer, how many bytes could not be read.
class TestDamagedBooks : public QObject
{
    Q_OBJECT

private slots:
    void strayBytesAreReportedOnceWithoutABox_data();
    void strayBytesAreReportedOnceWithoutABox();
};

void TestDamagedBooks::strayBytesAreReportedOnceWithoutABox_data()
{
    QTest::addColumn<int>("strayBytes");
    QTest::addColumn<bool>("told");

    QTest::newRow("clean") << 0 << false;
    QTest::newRow("one stray byte") << 1 << true;
    QTest::newRow("three stray bytes") << 3 << true;
}

void TestDamagedBooks::strayBytesAreReportedOnceWithoutABox()
{
    QFETCH(int, strayBytes);
    QFETCH(bool, told);
    QTemporaryDir dir;
    QByteArray bytes = QStringLiteral("　　灯塔守望人在夜里点亮了灯。\n").repeated(2000).toUtf8();
    // Each stray byte sits between two lines, as a byte left over from another encoding would.
    for (int i = 0; i < strayBytes; ++i)
        bytes.insert(bytes.indexOf('\n', 30000 + i * 997) + 1, '\xff');
    QFile file(dir.filePath(QStringLiteral("damaged.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy loaded(window.findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window.onBookSelectedByPath(file.fileName());
    QVERIFY(loaded.wait(10000));
    QCOMPARE(loaded.last().at(1).toString(), file.fileName());

    auto *notice = window.findChild<Notice *>();
    QVERIFY(notice);
    QCOMPARE(notice->isVisible(), told);
    if (told)
        QVERIFY2(notice->text().contains(QString::number(strayBytes)), qPrintable(notice->text()));
    QVERIFY(!QApplication::activeModalWidget());
    // The text is read as UTF-8, not as a legacy code page: the page shows the Chinese.
    const auto pages = loaded.last().at(0).value<PagedText>().pageTexts();
    QVERIFY(pages.front().startsWith(QStringLiteral("　　灯塔守望人")));
}

LEXORIN_TEST_MAIN(TestDamagedBooks)
#include "tst_damagedbooks.moc"
