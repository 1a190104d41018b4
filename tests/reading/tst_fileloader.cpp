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
    void cutsAroundAPlaceAsFromTheStart_data();
    void cutsAroundAPlaceAsFromTheStart();
    void aBookChangedSinceItsPlaceWasKeptIsCutFromTheStart();
    void joinsTheLinesOfHardWrappedBooksInTheBookLayout_data();
    void joinsTheLinesOfHardWrappedBooksInTheBookLayout();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    struct WholeLoad
    {
        std::vector<QString> pages;
        std::vector<TextAnchor> anchors;
    };
    static WholeLoad loadWhole(const QString &path);

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

// Chapters of lines in characters that GB18030, Big5 and Shift_JIS all hold, with CRLF line
// ends, long enough in each encoding for its head to be cut before the whole book.
QString largeBook(const QString &firstLine = QString())
{
    static const QString characters = QStringLiteral("山川日月人大中小天地水火木金土上下左右");
    QString text = firstLine;
    for (int chapter = 1; chapter <= 90; ++chapter) {
        text += QStringLiteral("第%1章　山水\r\n").arg(chapter);
        for (int line = 0; line < 60; ++line) {
            text += QStringLiteral("　　");
            const int length = 20 + (chapter * 7 + line * 13) % 90;
            for (int c = 0; c < length; ++c)
                text += characters[(chapter + line * 3 + c * c) % characters.size()];
            text += QStringLiteral("。\r\n");
        }
    }
    return text;
}

// The text the pages of a book join to.
QString textOfPages(QString bookText)
{
    return bookText.replace(QStringLiteral("\r\n"), QStringLiteral("\n")) + u'\n';
}

TextAnchor anchorBefore(const std::vector<TextAnchor> &anchors, qsizetype place)
{
    TextAnchor found;
    for (const TextAnchor &anchor : anchors) {
        if (anchor.place <= place)
            found = anchor;
    }
    return found;
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

TestFileLoader::WholeLoad TestFileLoader::loadWhole(const QString &path)
{
    FileLoader loader;
    QSignalSpy anchorsFound(&loader, &FileLoader::anchorsFound);
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(path, Format);
    if (!loaded.wait(60000) || anchorsFound.isEmpty())
        return {};
    return { loaded.first().first().value<PagedText>().pageTexts(),
             anchorsFound.first().at(1).value<std::vector<TextAnchor>>() };
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
    QCOMPARE(joined(loaded.first().at(0).value<PagedText>().pageTexts()), text);
    QCOMPARE(progress.last().first().toInt(), 100);
}

// Bytes valid in no encoding are shown as well as they can be, never refused.
void TestFileLoader::bookWithInvalidBytesStillOpens()
{
    FileLoader loader;
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(writeFile(QStringLiteral("broken.txt"), "abc\xFF\xFE\x80" "def\n"), Format);

    QVERIFY(loaded.wait());
    const QString text = joined(loaded.first().at(0).value<PagedText>().pageTexts());
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
    const auto recutPages = recut.first().at(0).value<PagedText>().pageTexts();
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




// A book reopened at a page's start, in any multi-byte encoding, shows first the pages of
// the whole book's cut from that page on, decoded from the line start kept beside the place;
// the pages cut afterwards from the start are the whole book's. At the very start the head is
// cut first, at the very end the last page.
void TestFileLoader::cutsAroundAPlaceAsFromTheStart_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<double>("share");
    const QByteArray encodings[] = { "UTF-8", "GB18030", "Big5", "Shift_JIS",
                                     "UTF-16LE", "UTF-16BE", "UTF-32LE" };
    for (const QByteArray &encoding : encodings)
        QTest::newRow(encoding + " deep in the book") << encoding << QByteArray() << 0.7;
    QTest::newRow("UTF-16BE with its mark") << QByteArray("UTF-16BE") << QByteArray("\xFE\xFF") << 0.4;
    QTest::newRow("UTF-8 with its mark") << QByteArray("UTF-8") << QByteArray("\xEF\xBB\xBF") << 0.4;
    QTest::newRow("GB18030 at the start") << QByteArray("GB18030") << QByteArray() << 0.0;
    QTest::newRow("GB18030 at the last page") << QByteArray("GB18030") << QByteArray() << 1.0;
    QTest::newRow("UTF-32LE at the last page") << QByteArray("UTF-32LE") << QByteArray() << 1.0;
}

void TestFileLoader::cutsAroundAPlaceAsFromTheStart()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, mark);
    QFETCH(double, share);
    const QString text = largeBook();
    const QString path = writeFile(QStringLiteral("book.txt"), mark + encoded(text, encoding));
    const WholeLoad whole = loadWhole(path);
    QCOMPARE(joined(whole.pages), textOfPages(text));
    QVERIFY(whole.anchors.size() > 1);

    const int page = share >= 1.0 ? int(whole.pages.size()) - 1 : int(whole.pages.size() * share);
    const qsizetype place = Paginator::offsetOfPage(whole.pages, page);
    FileLoader loader;
    QSignalSpy around(&loader, &FileLoader::pagesCutAt);
    QSignalSpy cut(&loader, &FileLoader::pagesCut);
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(path, Format, {},
                    { place, anchorBefore(whole.anchors, place), BookFingerprint::ofFile(path) });
    QVERIFY(loaded.wait(60000));

    const bool fromStart = place == 0;
    QCOMPARE(around.count(), fromStart ? 0 : 1);
    auto first = fromStart ? cut.first().first().value<PagedText>().pageTexts()
                           : around.first().first().value<PagedText>().pageTexts();
    if (!fromStart) {
        // Pages cut back from the place come first, a stand-in for those before it: they hold
        // the text just before the place.
        const qsizetype offset = around.first().at(2).value<qsizetype>();
        const int placePage = around.first().at(3).toInt();
        QVERIFY(placePage > 0);
        const std::vector<QString> before(first.begin(), first.begin() + placePage);
        QCOMPARE(offset + joined(before).size(), place);
        QCOMPARE(joined(before), joined(whole.pages).mid(offset, place - offset));
        first.erase(first.begin(), first.begin() + placePage);
    }
    QVERIFY(!first.empty());
    // Only the text just after the place is cut before the first frame, however far before
    // it the kept line start lies.
    QVERIFY2(joined(first).size() < 32 * 1024, qPrintable(QString::number(joined(first).size())));
    QVERIFY(page + first.size() <= whole.pages.size());
    QVERIFY(std::equal(first.begin(), first.end(), whole.pages.begin() + page));
    QCOMPARE(loaded.first().first().value<PagedText>().pageTexts(), whole.pages);
}

void TestFileLoader::joinsTheLinesOfHardWrappedBooksInTheBookLayout_data()
{
    QTest::addColumn<QString>("lineEnd");
    QTest::addColumn<bool>("bookLayout");
    QTest::newRow("book layout, lf") << QStringLiteral("\n") << true;
    QTest::newRow("book layout, crlf") << QStringLiteral("\r\n") << true;
    QTest::newRow("original layout, crlf") << QStringLiteral("\r\n") << false;
}

// The lines of a hard-wrapped book are joined in the book layout only, told as the offsets
// of line ends in the text of the pages before the pages cut with them; a re-cut for the
// book layout joins the same ones.
void TestFileLoader::joinsTheLinesOfHardWrappedBooksInTheBookLayout()
{
    QFETCH(QString, lineEnd);
    QFETCH(bool, bookLayout);
    const QString paragraph = QStringLiteral("河水一夜之间涨到了柳树根下，老船夫把船拴得比平常更紧，"
                                             "又在岸边插了一根竹竿，每过一个时辰就去看一看水淹到了竹竿的哪一节，"
                                             "天亮的时候，水已经退了半尺。");
    QString text;
    for (int chapter = 1; chapter <= 20; ++chapter) {
        text += QStringLiteral("第%1章 涨水").arg(chapter) + lineEnd;
        for (int i = 0; i < 6; ++i) {
            for (qsizetype at = 0; at < paragraph.size(); at += 32)
                text += paragraph.mid(at, 32) + lineEnd;
        }
    }
    const QString path = writeFile(QStringLiteral("wrapped.txt"), encoded(text, "GB18030"));
    PageFormat format = Format;
    format.style.book = bookLayout;

    FileLoader loader;
    QSignalSpy joinsTold(&loader, &FileLoader::lineEndsJoined);
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(path, format);
    QVERIFY(loaded.wait(60000));
    QVERIFY(!joinsTold.isEmpty());
    const auto joins = joinsTold.last().at(1).value<std::vector<qsizetype>>();
    const auto pages = loaded.first().first().value<PagedText>().pageTexts();
    const QString pagesText = textOfPages(text);
    QCOMPARE(joined(pages), pagesText);
    if (!bookLayout) {
        QVERIFY(joins.empty());
        return;
    }
    // Every paragraph has the line ends inside it joined.
    const qsizetype linesOfParagraph = (paragraph.size() + 31) / 32;
    QCOMPARE(joins.size(), size_t(20 * 6 * (linesOfParagraph - 1)));
    QVERIFY(std::is_sorted(joins.begin(), joins.end()));
    for (qsizetype join : joins)
        QCOMPARE(pagesText[join], u'\n');
    QVERIFY(pages.size() < Paginator(format).paginate(pagesText).size());

    QSignalSpy recut(&loader, &FileLoader::pagesRecut);
    joinsTold.clear();
    loader.repaginate(Paginator(Format).paginate(pagesText.chopped(1)), path, format);
    QVERIFY(recut.wait(60000));
    QCOMPARE(joinsTold.last().at(1).value<std::vector<qsizetype>>(), joins);
    QCOMPARE(recut.first().first().value<PagedText>().pageTexts(), pages);
}

// A file rewritten since its place was kept has other bytes at the kept line start: its
// fingerprint tells, and the book is cut from its start.
void TestFileLoader::aBookChangedSinceItsPlaceWasKeptIsCutFromTheStart()
{
    const QString path = writeFile(QStringLiteral("book.txt"), encoded(largeBook(), "GB18030"));
    const WholeLoad whole = loadWhole(path);
    const qsizetype place = Paginator::offsetOfPage(whole.pages, int(whole.pages.size() / 2));
    const OpeningPlace kept{ place, anchorBefore(whole.anchors, place), BookFingerprint::ofFile(path) };

    const QString changed = largeBook(QStringLiteral("序　山水之间\r\n"));
    QVERIFY(!writeFile(QStringLiteral("book.txt"), encoded(changed, "GB18030")).isEmpty());
    FileLoader loader;
    QSignalSpy around(&loader, &FileLoader::pagesCutAt);
    QSignalSpy loaded(&loader, &FileLoader::fileLoaded);
    loader.loadFile(path, Format, {}, kept);
    QVERIFY(loaded.wait(60000));
    QVERIFY(around.isEmpty());
    QCOMPARE(joined(loaded.first().first().value<PagedText>().pageTexts()), textOfPages(changed));
}

LEXORIN_TEST_MAIN(TestFileLoader)

#include "tst_fileloader.moc"
