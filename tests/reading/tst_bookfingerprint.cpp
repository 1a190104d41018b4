#include "bookfingerprint.h"
#include "testmain.h"

#include <QtConcurrent>

class TestBookFingerprint : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sameContentSameFingerprint_data();
    void sameContentSameFingerprint();
    void changedContentChangesIt_data();
    void changedContentChangesIt();
    void unreadableFileHasNone_data();
    void unreadableFileHasNone();
    void threadsAgree();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

constexpr qint64 Block = BookFingerprint::BlockSize;

// Bytes that differ from block to block, so that a block moved elsewhere hashes differently.
QByteArray bookBytes(qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = char('a' + (i * 31 + i / 4096) % 26);
    return bytes;
}

}

void TestBookFingerprint::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestBookFingerprint::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void TestBookFingerprint::sameContentSameFingerprint_data()
{
    QTest::addColumn<qint64>("size");

    QTest::newRow("empty") << qint64(0);
    QTest::newRow("short") << qint64(100);
    QTest::newRow("exactly three blocks") << 3 * Block;
    QTest::newRow("sampled") << 40 * Block + 17;
}

void TestBookFingerprint::sameContentSameFingerprint()
{
    QFETCH(qint64, size);

    const QByteArray bytes = bookBytes(size);
    const BookFingerprint original = BookFingerprint::ofFile(writeFile(QStringLiteral("a.txt"), bytes));
    const BookFingerprint copy = BookFingerprint::ofFile(writeFile(QStringLiteral("b.txt"), bytes));
    QVERIFY(original.isValid());
    QCOMPARE(original.size(), size);
    QCOMPARE(copy, original);
    QCOMPARE(BookFingerprint::ofBytes(bytes), original);
}

// A change anywhere in a short file, or in any sampled block of a long one, or in the
// length alone, gives another fingerprint.
void TestBookFingerprint::changedContentChangesIt_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("changedByte");
    QTest::addColumn<qint64>("newSize");

    const qint64 big = 40 * Block + 17;
    QTest::newRow("short, last byte") << qint64(100) << qint64(99) << qint64(100);
    QTest::newRow("three blocks, middle") << 3 * Block << Block + 5 << 3 * Block;
    QTest::newRow("sampled, head") << big << qint64(0) << big;
    QTest::newRow("sampled, middle") << big << big / 2 << big;
    QTest::newRow("sampled, tail") << big << big - 1 << big;
    QTest::newRow("sampled, one byte appended") << big << qint64(-1) << big + 1;
}

void TestBookFingerprint::changedContentChangesIt()
{
    QFETCH(qint64, size);
    QFETCH(qint64, changedByte);
    QFETCH(qint64, newSize);

    const QByteArray bytes = bookBytes(size);
    QByteArray changed = bytes;
    if (changedByte >= 0)
        changed[changedByte] = changed.at(changedByte) == 'x' ? 'y' : 'x';
    if (newSize > size)
        changed.append('z');

    const BookFingerprint before = BookFingerprint::ofFile(writeFile(QStringLiteral("a.txt"), bytes));
    const BookFingerprint after = BookFingerprint::ofFile(writeFile(QStringLiteral("b.txt"), changed));
    QCOMPARE(after.size(), newSize);
    QVERIFY(after != before);
}

void TestBookFingerprint::unreadableFileHasNone_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("missing") << QStringLiteral("missing.txt");
    QTest::newRow("folder") << QStringLiteral("folder");
}

void TestBookFingerprint::unreadableFileHasNone()
{
    QFETCH(QString, name);

    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    const BookFingerprint fingerprint = BookFingerprint::ofFile(m_dir->filePath(name));
    QVERIFY(!fingerprint.isValid());
    QVERIFY(fingerprint != BookFingerprint::ofFile(writeFile(QStringLiteral("empty.txt"), {})));
}

// The loader computes fingerprints on its own threads, several books at a time.
void TestBookFingerprint::threadsAgree()
{
    const QString path = writeFile(QStringLiteral("book.txt"), bookBytes(20 * Block));
    const BookFingerprint expected = BookFingerprint::ofFile(path);
    const QList<QString> paths(16, path);
    const QList<BookFingerprint> results =
        QtConcurrent::blockingMapped(paths, &BookFingerprint::ofFile);
    for (const BookFingerprint &fingerprint : results)
        QCOMPARE(fingerprint, expected);
}

LEXORIN_TEST_MAIN(TestBookFingerprint)
#include "tst_bookfingerprint.moc"
