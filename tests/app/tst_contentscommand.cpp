#include "contentscommand.h"
#include "librarydatabase.h"
#include "testmain.h"

#include <QProcess>
#include <QStringEncoder>

class TestContentsCommand : public QObject
{
    Q_OBJECT

private slots:
    void printsTheContentsWithoutAWindow_data();
    void printsTheContentsWithoutAWindow();
    void followsTheBooksOwnChapterRule();
    void saysWhyItCannot_data();
    void saysWhyItCannot();

private:
    QProcess *runReader(const QStringList &arguments);

    QTemporaryDir m_dir;
};

// The real program, with no window system to reach: a window, or only an application object
// that needs one, would make it fail.
QProcess *TestContentsCommand::runReader(const QStringList &arguments)
{
    auto *process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(LEXORIN_BINARY), arguments);
    process->waitForFinished(10000);
    return process;
}

void TestContentsCommand::printsTheContentsWithoutAWindow_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString chaptered = QStringLiteral("长河\n\n第一卷 源头\n第一章 雪山\n　　冰化成了水。\n\n"
                                             "第二章 溪流\n　　水流下山。\n");
    const QString contents = QStringLiteral("0\t2\t第一卷 源头\n1\t3\t第一章 雪山\n1\t6\t第二章 溪流\n");
    QTest::newRow("gb18030, crlf") << QByteArray("GB18030") << QStringLiteral("\r\n") << chaptered << contents;
    QTest::newRow("utf-8, cr") << QByteArray("UTF-8") << QStringLiteral("\r") << chaptered << contents;
    QTest::newRow("title line after the heading")
            << QByteArray("UTF-8") << QStringLiteral("\n")
            << QStringLiteral("CHAPTER I.\nTHE OLD HOUSE\n\nIt was cold.\n")
            << QStringLiteral("1\t0\tCHAPTER I. THE OLD HOUSE\n");
    QTest::newRow("no headings: passages")
            << QByteArray("UTF-8") << QStringLiteral("\n") << QStringLiteral("\n\nRain fell on the roof.\n")
            << QStringLiteral("2\t2\tRain fell on the roof.\n");
}

void TestContentsCommand::printsTheContentsWithoutAWindow()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QString, lineEnd);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QFile book(m_dir.filePath(QStringLiteral("book.txt")));
    QVERIFY(book.open(QIODevice::WriteOnly));
    QStringEncoder encoder(encoding.constData());
    book.write(encoder.encode(QString(text).replace(u'\n', lineEnd)));
    book.close();

    QProcess *reader = runReader({ QStringLiteral("--contents"), book.fileName() });
    QCOMPARE(reader->exitStatus(), QProcess::NormalExit);
    QCOMPARE(reader->exitCode(), 0);
    QCOMPARE(QString::fromUtf8(reader->readAllStandardOutput()), expected);
}

// The rule the reader chose for a book in the library is the one the contents are found by.
void TestContentsCommand::followsTheBooksOwnChapterRule()
{
    QFile book(m_dir.filePath(QStringLiteral("numbered.txt")));
    QVERIFY(book.open(QIODevice::WriteOnly));
    book.write(QStringLiteral("第一章 雪山\n1\n　　冰化成了水。\n2\n　　水流下山。\n").toUtf8());
    book.close();
    {
        LibraryDatabase library;
        QCOMPARE(library.open(), LibraryDatabase::Status::Ready);
        const BookRecord record = library.bookFor(book.fileName(), BookFingerprint::ofFile(book.fileName()));
        library.setChapterRule(record.id, QStringLiteral("preset:lone-numbers"));
    }
    QProcess *reader = runReader({ QStringLiteral("--contents"), book.fileName() });
    QCOMPARE(reader->exitCode(), 0);
    QCOMPARE(QString::fromUtf8(reader->readAllStandardOutput()), QStringLiteral("1\t1\t1\n1\t3\t2\n"));
}

void TestContentsCommand::saysWhyItCannot_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("missing file") << QStringList{ QStringLiteral("--contents"), m_dir.filePath(QStringLiteral("none.txt")) } << 1;
    QFile empty(m_dir.filePath(QStringLiteral("empty.txt")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    QTest::newRow("empty file") << QStringList{ QStringLiteral("--contents"), empty.fileName() } << 1;
    QTest::newRow("a folder") << QStringList{ QStringLiteral("--contents"), m_dir.path() } << 1;
    QTest::newRow("no file named") << QStringList{ QStringLiteral("--contents") } << 2;
}

void TestContentsCommand::saysWhyItCannot()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);

    QProcess *reader = runReader(arguments);
    QCOMPARE(reader->exitStatus(), QProcess::NormalExit);
    QCOMPARE(reader->exitCode(), exitCode);
    QVERIFY(reader->readAllStandardOutput().isEmpty());
    QVERIFY(reader->readAllStandardError().contains("lexorin: "));
}

LEXORIN_TEST_MAIN(TestContentsCommand)
#include "tst_contentscommand.moc"
