#include "fileloader.h"
#include "testmain.h"

#include <QSignalSpy>
#include <QStringEncoder>

class TestFileLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadsAndDecodesBooks_data();
    void loadsAndDecodesBooks();
    void bookWithInvalidBytesStillOpens();
    void reportsBooksItCannotOpen_data();
    void reportsBooksItCannotOpen();
    void refusesFilesOverTheSizeLimit();
    void newerLoadSupersedesOlder();
    void recutKeepsTheText();
    void destroyingTheLoaderDuringALoadIsSafe();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const PageFormat Format{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(480, 530) };

QString joined(const std::vector<QString> &pages)
{
    QString text;
    for (const QString &page : pages)
        text += page;
    return text;
}

QByteArray encoded(const QString &text, const char *encoding)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

}

void TestFileLoader::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QString TestFileLoader::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void TestFileLoader::loadsAndDecodesBooks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString book = QStringLiteral("　　第一章\r\n\r\n　　小猫看着海上的船。\r\n").repeated(30);
    QString expected = book;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    expected += u'\n';
    QTest::newRow("gbk") << encoded(book, "GBK") << expected;
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + encoded(book, "UTF-8") << expected;
    QTest::newRow("utf-16 be with mark") << QByteArray("\xFE\xFF") + encoded(book, "UTF-16BE")
                                         << expected;
}

void TestFileLoader::loadsAndDecodesBooks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    QSignalSpy progress(&loader, &FileLoader::loadProgress);
    const QString path = writeFile(QStringLiteral("book.txt"), bytes);
    loader.loadFile(path, Format);

    QVERIFY(loaded.wait());
    QCOMPARE(loaded.first().at(1).toString(), path);
    QCOMPARE(joined(loaded.first().at(0).value<std::vector<QString>>()), text);
    QCOMPARE(progress.last().first().toInt(), 100);
}

// Bytes valid in no encoding are shown as well as they can be, never refused.
void TestFileLoader::bookWithInvalidBytesStillOpens()
{
    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(writeFile(QStringLiteral("broken.txt"), "abc\xFF\xFE\x80" "def\n"), Format);

    QVERIFY(loaded.wait());
    const QString text = joined(loaded.first().at(0).value<std::vector<QString>>());
    QVERIFY(text.startsWith(QStringLiteral("abc")));
    QVERIFY(text.endsWith(QStringLiteral("def\n\n")));
}

void TestFileLoader::reportsBooksItCannotOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("create");
    QTest::addColumn<bool>("isFolder");

    QTest::newRow("missing") << QStringLiteral("missing.txt") << false << false;
    QTest::newRow("empty") << QStringLiteral("empty.txt") << true << false;
    QTest::newRow("folder") << QStringLiteral("folder.txt") << false << true;
}

void TestFileLoader::reportsBooksItCannotOpen()
{
    QFETCH(QString, name);
    QFETCH(bool, create);
    QFETCH(bool, isFolder);

    QString path = m_dir->filePath(name);
    if (create)
        path = writeFile(name, {});
    if (isFolder)
        QVERIFY(QDir(m_dir->path()).mkdir(name));

    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    QSignalSpy failed(&loader, &FileLoader::loadFailed);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^(Cannot open|Failed to read) file:")));
    if (!create)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to read file:")));
    loader.loadFile(path, Format);

    QVERIFY(failed.wait());
    QCOMPARE(failed.first().at(0).toString(), path);
    QVERIFY(!failed.first().at(1).toString().isEmpty());
    QCOMPARE(loaded.count(), 0);
}

void TestFileLoader::refusesFilesOverTheSizeLimit()
{
    const QString path = m_dir->filePath(QStringLiteral("huge.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(FileLoader::MaxFileSize + 1)); // sparse: costs no disk
    file.close();

    FileLoader loader;
    QSignalSpy failed(&loader, &FileLoader::loadFailed);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^File too large:")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Failed to read file:")));
    loader.loadFile(path, Format);
    QVERIFY(failed.wait());
}

void TestFileLoader::newerLoadSupersedesOlder()
{
    const QString first = writeFile(QStringLiteral("first.txt"), QByteArray("first\n").repeated(50000));
    const QString second = writeFile(QStringLiteral("second.txt"), "second\n");

    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(first, Format);
    loader.loadFile(second, Format);

    QVERIFY(loaded.wait());
    QTest::qWait(200);
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.first().at(1).toString(), second);
}

void TestFileLoader::recutKeepsTheText()
{
    const QString text = QStringLiteral("　　海上起风了，小船摇摇晃晃。\n\n").repeated(200);
    const std::vector<QString> pages = Paginator(Format).paginate(text);

    FileLoader loader;
    QSignalSpy recut(&loader, &FileLoader::pagesRecut);
    PageFormat larger = Format;
    larger.font.setPointSize(26);
    loader.repaginate(pages, QStringLiteral("book.txt"), larger);

    QVERIFY(recut.wait());
    const auto recutPages = recut.first().at(0).value<std::vector<QString>>();
    QVERIFY(recutPages.size() > pages.size());
    QCOMPARE(joined(recutPages), joined(pages));
}

void TestFileLoader::destroyingTheLoaderDuringALoadIsSafe()
{
    const QString path = writeFile(QStringLiteral("long.txt"),
                                   encoded(QStringLiteral("很长的一本书。\n").repeated(200000), "GBK"));
    bool emitted = false;
    {
        FileLoader loader;
        connect(&loader, &FileLoader::fileLoaded, this, [&emitted] { emitted = true; });
        loader.loadFile(path, Format);
        QTest::qWait(20);
    }
    QTest::qWait(100);
    QVERIFY(!emitted);
}

LEXORIN_TEST_MAIN(TestFileLoader)
#include "tst_fileloader.moc"
