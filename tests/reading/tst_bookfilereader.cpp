#include "bookfilereader.h"
#include "testmain.h"

#include <QFile>

class TestBookFileReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sizeLimitHoldsWhateverSizeIsReported_data();
    void sizeLimitHoldsWhateverSizeIsReported();
    void fileChangedWhileReadIsReported_data();
    void fileChangedWhileReadIsReported();
    void cancelledReadStopsBeforeTheNextChunk();
    void resourceBooksAreRead();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

constexpr qint64 Limit = 1000;
constexpr qint64 Chunk = 64;

}

void TestBookFileReader::initTestCase()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestBookFileReader::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

void TestBookFileReader::sizeLimitHoldsWhateverSizeIsReported_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("refused");

    QTest::newRow("at the limit") << writeFile(QStringLiteral("at.txt"), QByteArray(Limit, 'a')) << false;
    QTest::newRow("one byte over") << writeFile(QStringLiteral("over.txt"), QByteArray(Limit + 1, 'a')) << true;
    // A /proc file reports size 0 however much it holds.
    QTest::newRow("proc file of size 0") << QStringLiteral("/proc/self/maps") << true;
}

void TestBookFileReader::sizeLimitHoldsWhateverSizeIsReported()
{
    QFETCH(QString, path);
    QFETCH(bool, refused);
    QVERIFY(!path.isEmpty());

    if (refused)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^File too large:")));
    const BookFileReader::Result result = BookFileReader(Limit, Chunk).read(path);

    QCOMPARE(result.error.isEmpty(), !refused);
    QCOMPARE(result.bytes.size(), refused ? 0 : Limit);
    QVERIFY(!result.cancelled);
}

void TestBookFileReader::fileChangedWhileReadIsReported_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("refused");

    QTest::newRow("truncated") << QStringLiteral("truncate") << true;
    QTest::newRow("grown") << QStringLiteral("append") << true;
    // The open file keeps its bytes: the whole book is read.
    QTest::newRow("deleted") << QStringLiteral("remove") << false;
}

// The check for cancellation runs before every chunk: the place to change the file between
// two chunks of one read.
void TestBookFileReader::fileChangedWhileReadIsReported()
{
    QFETCH(QString, change);
    QFETCH(bool, refused);
    const QByteArray book = QByteArray("line of a book\n").repeated(40);
    const QString path = writeFile(QStringLiteral("changing.txt"), book);

    int checks = 0;
    const auto changeAfterFirstChunk = [&] {
        if (++checks != 2)
            return false;
        QFile file(path);
        if (change == QLatin1String("truncate"))
            file.resize(Chunk * 2);
        else if (change == QLatin1String("append") && file.open(QIODevice::Append))
            file.write("one more line\n");
        else if (change == QLatin1String("remove"))
            file.remove();
        return false;
    };
    if (refused)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^File changed while read:")));
    const BookFileReader::Result result = BookFileReader(Limit, Chunk).read(path, changeAfterFirstChunk);

    QVERIFY(checks >= 2);
    QCOMPARE(result.error.isEmpty(), !refused);
    QCOMPARE(result.bytes, refused ? QByteArray() : book);
}

void TestBookFileReader::cancelledReadStopsBeforeTheNextChunk()
{
    const QString path = writeFile(QStringLiteral("book.txt"), QByteArray(Limit, 'a'));
    int checks = 0;
    const BookFileReader::Result result = BookFileReader(Limit, Chunk).read(path, [&checks] {
        return ++checks == 3;
    });

    QCOMPARE(checks, 3);
    QVERIFY(result.cancelled);
    QVERIFY(result.error.isEmpty());
    QVERIFY(result.bytes.isEmpty());
}

// Resources have no file descriptor to check; they are books all the same.
void TestBookFileReader::resourceBooksAreRead()
{
    const QString path = QStringLiteral(":/book/A Pocketful of Weather.txt");
    QFile resource(path);
    QVERIFY(resource.open(QIODevice::ReadOnly));

    const BookFileReader::Result result = BookFileReader(qint64(1) << 30).read(path);

    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.bytes, resource.readAll());
}

LEXORIN_TEST_MAIN(TestBookFileReader)
#include "tst_bookfilereader.moc"
