#include "fileloader.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QInputDialog>
#include <QSignalSpy>
#include <QStringEncoder>

using namespace WindowDriver;

class TestReading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startupOpensTheNewestBookAtItsFirstPage();
    void pageKeysStopAtTheEnds();
    void homeAndEndTurnToTheEnds();
    void wheelTurnsOnlyOnMainlyVerticalMovement_data();
    void wheelTurnsOnlyOnMainlyVerticalMovement();
    void burstOfTurnsEndsOnTheLabelsPage();
    void jumpDialogOffersTheBooksPages();
    void jumpIsClampedWhenALoadShortensTheBookUnderTheDialog();
    void olderLoadIsDroppedForANewerOne();
    void failedLoadIsReportedAndTheTitleRestored();

private:
    QString writeBook(const QString &name, const QString &text);
    std::unique_ptr<MainWindow> openWindow();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    int m_pageCount = 0;
};

void TestReading::init()
{
    startAfresh();
    m_dir = std::make_unique<QTemporaryDir>();
    m_window = openWindow();
    const QString label = pageLabel(*m_window);
    QRegularExpression pattern(QStringLiteral("^第 1 页/共 (\\d+) 页$"));
    const QRegularExpressionMatch match = pattern.match(label);
    QVERIFY2(match.hasMatch(), qPrintable(label));
    m_pageCount = match.captured(1).toInt();
    QVERIFY(m_pageCount > 20);
    waitForTurns(*m_window);
}

std::unique_ptr<MainWindow> TestReading::openWindow()
{
    auto window = std::make_unique<MainWindow>();
    QSignalSpy loaded(window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window->show();
    if (!loaded.wait(10000))
        return window;
    return window;
}

QString TestReading::writeBook(const QString &name, const QString &text)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    QStringEncoder gbk("GBK");
    if (file.open(QIODevice::WriteOnly))
        file.write(gbk.encode(text));
    return path;
}

void TestReading::startupOpensTheNewestBookAtItsFirstPage()
{
    // With chapters running on, the first page also holds the first chapter's heading, which
    // the header names after the book.
    QVERIFY2(bookName(*m_window).startsWith(QStringLiteral("星灯童话集")), qPrintable(bookName(*m_window)));
    QCOMPARE(pageWidget(*m_window)->restingPage(), 0);
    const QStringList books = store().value(QStringLiteral("recentFiles")).toStringList();
    QCOMPARE(books, QStringList({ QStringLiteral(":/book/星灯童话集.txt"),
                                  QStringLiteral(":/book/A Pocketful of Weather.txt") }));
}

void TestReading::pageKeysStopAtTheEnds()
{
    for (Qt::Key key : { Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp }) {
        QTest::keyClick(m_window.get(), key);
        QCOMPARE(pageLabel(*m_window), QStringLiteral("第 1 页/共 %1 页").arg(m_pageCount));
    }
    for (Qt::Key key : { Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown })
        QTest::keyClick(m_window.get(), key);
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 4 页/共 %1 页").arg(m_pageCount));

    QTest::keyClick(m_window.get(), Qt::Key_End);
    QTest::keyClick(m_window.get(), Qt::Key_Right);
    child<QAbstractButton>(*m_window, "nextButton")->click();
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 %1 页/共 %1 页").arg(m_pageCount));
}

void TestReading::homeAndEndTurnToTheEnds()
{
    QTest::keyClick(m_window.get(), Qt::Key_End);
    QCOMPARE(pageWidget(*m_window)->restingPage(), m_pageCount - 1);
    QTest::keyClick(m_window.get(), Qt::Key_Home);
    QCOMPARE(pageWidget(*m_window)->restingPage(), 0);
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 1 页/共 %1 页").arg(m_pageCount));
}

void TestReading::wheelTurnsOnlyOnMainlyVerticalMovement_data()
{
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<int>("page");

    QTest::newRow("down") << QPoint(0, -120) << 3;
    QTest::newRow("up") << QPoint(0, 120) << 1;
    QTest::newRow("tiny step down") << QPoint(0, -1) << 3;
    QTest::newRow("horizontal") << QPoint(120, 0) << 2;
    QTest::newRow("diagonal, mainly vertical") << QPoint(30, -60) << 3;
    QTest::newRow("diagonal, even") << QPoint(60, -60) << 2;
    QTest::newRow("none") << QPoint(0, 0) << 2;
}

void TestReading::wheelTurnsOnlyOnMainlyVerticalMovement()
{
    QFETCH(QPoint, delta);
    QFETCH(int, page);

    QTest::keyClick(m_window.get(), Qt::Key_Right);
    wheelOver(pageWidget(*m_window), delta);
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 %1 页/共 %2 页").arg(page).arg(m_pageCount));
}

void TestReading::burstOfTurnsEndsOnTheLabelsPage()
{
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(m_window.get(), Qt::Key_PageDown);
    QTest::keyClick(m_window.get(), Qt::Key_PageUp);
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 6 页/共 %1 页").arg(m_pageCount));
    waitForTurns(*m_window);
    QCOMPARE(pageWidget(*m_window)->restingPage(), 5);
}

void TestReading::jumpDialogOffersTheBooksPages()
{
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        minimum = dialog->intMinimum();
        maximum = dialog->intMaximum();
        value = dialog->intValue();
        dialog->setIntValue(7);
        dialog->accept();
    });
    child<QAbstractButton>(*m_window, "jumpButton")->click();

    QCOMPARE(minimum, 1);
    QCOMPARE(maximum, m_pageCount);
    QCOMPARE(value, 1);
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 7 页/共 %1 页").arg(m_pageCount));
    QCOMPARE(pageWidget(*m_window)->restingPage(), 6);
}

void TestReading::jumpIsClampedWhenALoadShortensTheBookUnderTheDialog()
{
    const QString shortBook = writeBook(QStringLiteral("短篇.txt"), QStringLiteral("只有一页。\n"));
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        QVERIFY(dialog);
        dialog->setIntValue(m_pageCount);
        QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
        m_window->onBookSelectedByPath(shortBook);
        QVERIFY(loaded.wait());
        dialog->accept();
    });
    child<QAbstractButton>(*m_window, "jumpButton")->click();

    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 1 页/共 1 页"));
    waitForTurns(*m_window);
    QCOMPARE(pageWidget(*m_window)->restingPage(), 0);
}

void TestReading::olderLoadIsDroppedForANewerOne()
{
    const QString longBook = writeBook(QStringLiteral("长篇.txt"), QStringLiteral("很长的书。\n").repeated(100000));
    const QString shortBook = writeBook(QStringLiteral("短篇.txt"), QStringLiteral("短书。\n"));
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->onBookSelectedByPath(longBook);
    m_window->onBookSelectedByPath(shortBook);

    QVERIFY(loaded.wait());
    QTest::qWait(300);
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(bookName(*m_window), QStringLiteral("短篇"));
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 1 页/共 1 页"));
}

void TestReading::failedLoadIsReportedAndTheTitleRestored()
{
    QTest::keyClick(m_window.get(), Qt::Key_PageDown);
    const QString empty = writeBook(QStringLiteral("空.txt"), QString());
    QString title;
    QString text;
    answerNextMessageBox(QMessageBox::Ok, &title, &text);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to read file:")));
    m_window->onBookSelectedByPath(empty);

    QTRY_VERIFY(!title.isEmpty());
    QCOMPARE(title, QStringLiteral("无法打开书籍"));
    QVERIFY2(text.contains(QStringLiteral("空.txt")), qPrintable(text));
    QCOMPARE(bookName(*m_window), QStringLiteral("星灯童话集"));
    QCOMPARE(pageLabel(*m_window), QStringLiteral("第 2 页/共 %1 页").arg(m_pageCount));
}

LEXORIN_TEST_MAIN(TestReading)
#include "tst_reading.moc"
