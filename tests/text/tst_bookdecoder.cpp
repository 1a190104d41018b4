#include "bookdecoder.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

class TestBookDecoder : public QObject
{
    Q_OBJECT

private slots:
    void aLargeBookDecodesFromEachAnchorAsAWhole_data();
    void aLargeBookDecodesFromEachAnchorAsAWhole();
    void decodesEveryEncodingReadersMeet_data();
    void decodesEveryEncodingReadersMeet();
    void damagedUtf8StaysUtf8_data();
    void damagedUtf8StaysUtf8();
    void legacyFallbackIsGb18030OnUtf8Systems();
    void randomBytesAreNotTakenForWideText();
    void everyCharsetUchardetNamesDecodes_data();
    void everyCharsetUchardetNamesDecodes();
    void readerMayChooseEveryEncodingTheDecoderPicks();
    void forcedEncodingDecodesAsChosen_data();
    void forcedEncodingDecodesAsChosen();
};

namespace {

const QString Chinese = QStringLiteral("　　从前有一只小猫住在灯塔里，它每天晚上都看着海上的船。\r\n\r\n"
                                       "　　“你好，”小猫说，“今晚的星星真亮。”\r\n");
const QString Traditional = QStringLiteral("從前有一隻小貓住在燈塔裡，它每天晚上都看著海上的船。\n");
const QString Japanese = QStringLiteral("昔々、小さな猫が灯台に住んでいました。毎晩、海の船を見ていました。\n");
const QString Korean = QStringLiteral("옛날에 작은 고양이가 등대에 살았습니다. 매일 밤 바다의 배를 바라보았습니다.\n");
const QString Russian = QStringLiteral("Жил-был маленький кот в старом маяке, и каждый вечер он смотрел на море.\n");
const QString Greek = QStringLiteral("Μια μικρή γάτα ζούσε σε έναν φάρο και κάθε βράδυ κοίταζε τη θάλασσα.\n");
const QString French = QStringLiteral("Le café était fermé, et l’élève rêvait déjà de l’été à Noël — enfin.\n");
const QString English = QStringLiteral("It was a quiet night at the harbour, and the lamp was lit.\r\n");

QByteArray encoded(const QString &text, const char *encoding, int repeat = 40)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(text.repeated(repeat));
}

// Every name uchardet 0.0.7 returns, read from the strings of the installed library and
// confirmed by feeding it texts of each kind.
const char *const UchardetCharsets[] = {
    "ASCII", "UTF-8", "UTF-16", "UTF-32",
    "BIG5", "EUC-TW", "GB18030", "HZ-GB-2312", "ISO-2022-CN",
    "EUC-JP", "SHIFT_JIS", "ISO-2022-JP",
    "EUC-KR", "UHC", "ISO-2022-KR",
    "IBM852", "IBM855", "IBM866", "KOI8-R", "MAC-CENTRALEUROPE", "MAC-CYRILLIC",
    "ISO-8859-1", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6",
    "ISO-8859-7", "ISO-8859-8", "ISO-8859-9", "ISO-8859-10", "ISO-8859-11", "ISO-8859-13",
    "ISO-8859-15", "ISO-8859-16",
    "TIS-620", "VISCII",
    "WINDOWS-1250", "WINDOWS-1251", "WINDOWS-1252", "WINDOWS-1253", "WINDOWS-1255",
    "WINDOWS-1256", "WINDOWS-1257", "WINDOWS-1258",
};

// Replaces single bytes of a UTF-8 book by 0xFF, spread over it and each at the start of a
// character, and gives the text the reader should see.
struct DamagedBook
{
    QByteArray bytes;
    QString text;
};

DamagedBook withStrayBytes(const QString &text, int strayBytes)
{
    DamagedBook book{ text.toUtf8(), text };
    for (int i = 0; i < strayBytes; ++i) {
        // Each stray byte takes the place of one ASCII character, so the text keeps its size.
        qsizetype at = text.size() * (i + 1) / (strayBytes + 1);
        while (text[at].unicode() >= 0x80)
            ++at;
        book.text[at] = QChar::ReplacementCharacter;
    }
    book.bytes = book.text.toUtf8().replace(QByteArrayView("\xEF\xBF\xBD"), QByteArrayView("\xFF"));
    return book;
}

}

void TestBookDecoder::decodesEveryEncodingReadersMeet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoding");

    QTest::newRow("utf-8") << encoded(Chinese, "UTF-8") << Chinese.repeated(40) << QByteArray("UTF-8");
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + encoded(Chinese, "UTF-8")
                                     << Chinese.repeated(40) << QByteArray("UTF-8");
    QTest::newRow("utf-16 le with mark") << QByteArray("\xFF\xFE") + encoded(Chinese, "UTF-16LE")
                                         << Chinese.repeated(40) << QByteArray("UTF-16LE");
    QTest::newRow("utf-16 be with mark") << QByteArray("\xFE\xFF") + encoded(Chinese, "UTF-16BE")
                                         << Chinese.repeated(40) << QByteArray("UTF-16BE");
    QTest::newRow("utf-32 le with mark")
            << QByteArray("\xFF\xFE\x00\x00", 4) + encoded(Chinese, "UTF-32LE") << Chinese.repeated(40)
            << QByteArray("UTF-32LE");
    QTest::newRow("utf-16 le without mark") << encoded(Chinese, "UTF-16LE") << Chinese.repeated(40)
                                            << QByteArray("UTF-16LE");
    QTest::newRow("utf-16 be without mark") << encoded(Chinese, "UTF-16BE") << Chinese.repeated(40)
                                            << QByteArray("UTF-16BE");
    // ASCII text in a wide encoding is valid UTF-8 too, full of NULs.
    for (const char *wide : { "UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE" }) {
        QTest::addRow("english in %s without mark", wide)
                << encoded(English, wide) << English.repeated(40) << QByteArray(wide);
    }
    QTest::newRow("russian in utf-16 le without mark") << encoded(Russian, "UTF-16LE")
                                                       << Russian.repeated(40) << QByteArray("UTF-16LE");
    QTest::newRow("chinese in utf-32 be without mark") << encoded(Chinese, "UTF-32BE")
                                                       << Chinese.repeated(40) << QByteArray("UTF-32BE");

    // U+FFFD is a character like any other in a valid UTF-8 book.
    const QString replacement = QStringLiteral("坏掉的字：\uFFFD，其余完好。\n");
    QTest::newRow("utf-8 holding U+FFFD") << encoded(replacement, "UTF-8", 1) << replacement
                                          << QByteArray("UTF-8");

    QTest::newRow("gbk") << encoded(Chinese, "GBK") << Chinese.repeated(40) << QByteArray("GB18030");
    // Too short for uchardet to be sure; the legacy code page decodes it.
    QTest::newRow("gbk, short") << encoded(QStringLiteral("小猫在灯塔里看船。"), "GBK", 1)
                                << QStringLiteral("小猫在灯塔里看船。") << QByteArray("GB18030");
    // A1 A1 is U+3000 in every CJK code page, so which one uchardet names does not matter.
    const QString indented = QStringLiteral("　　It was a quiet night at the harbour.\r\n\r\n");
    QTest::newRow("gbk english with ideographic indents") << encoded(indented, "GBK", 200)
                                                          << indented.repeated(200) << QByteArray();
    const QString beyondGbk = QStringLiteral("GB18030 独有的字：𠀀𠀁，还有€。\n");
    QTest::newRow("gb18030") << encoded(Chinese + beyondGbk, "GB18030")
                             << (Chinese + beyondGbk).repeated(40) << QByteArray("GB18030");
    QTest::newRow("hz") << encoded(Chinese, "HZ-GB-2312") << Chinese.repeated(40)
                        << QByteArray("HZ-GB-2312");
    QTest::newRow("big5") << encoded(Traditional, "Big5") << Traditional.repeated(40)
                          << QByteArray("BIG5");
    QTest::newRow("shift_jis") << encoded(Japanese, "Shift_JIS") << Japanese.repeated(40)
                               << QByteArray("SHIFT_JIS");
    QTest::newRow("euc-jp") << encoded(Japanese, "EUC-JP") << Japanese.repeated(40)
                            << QByteArray("EUC-JP");
    QTest::newRow("iso-2022-jp") << encoded(Japanese, "ISO-2022-JP") << Japanese.repeated(40)
                                 << QByteArray("ISO-2022-JP");
    QTest::newRow("euc-kr") << encoded(Korean, "EUC-KR") << Korean.repeated(40)
                            << QByteArray("windows-949");
    // 똠 and 뷁 are beyond EUC-KR, in the part CP949 adds.
    const QString cp949 = Korean + QStringLiteral("사람들은 그를 똠이라고 불렀다. 뷁.\n");
    QTest::newRow("cp949") << encoded(cp949, "windows-949") << cp949.repeated(40)
                           << QByteArray("windows-949");
    QTest::newRow("iso-2022-kr") << encoded(Korean, "ISO-2022-KR") << Korean.repeated(40)
                                 << QByteArray("ISO-2022-KR");
    QTest::newRow("windows-1251") << encoded(Russian, "windows-1251") << Russian.repeated(40)
                                  << QByteArray("WINDOWS-1251");
    QTest::newRow("koi8-r") << encoded(Russian, "KOI8-R") << Russian.repeated(40)
                            << QByteArray("KOI8-R");
    QTest::newRow("iso-8859-7") << encoded(Greek, "ISO-8859-7") << Greek.repeated(40)
                                << QByteArray("ISO-8859-7");
    QTest::newRow("windows-1252") << encoded(French, "windows-1252") << French.repeated(40)
                                  << QByteArray("WINDOWS-1252");
    // Two accents in a long text: far too few readable characters for damaged UTF-8.
    const QString fewAccents = English.repeated(100) + QStringLiteral("Caf\u00E9 au lait. D\u00E9j\u00E0.\n");
    QTest::newRow("windows-1252 with a few accents") << encoded(fewAccents, "windows-1252", 1)
                                                     << fewAccents << QByteArray("windows-1252");
}

void TestBookDecoder::decodesEveryEncodingReadersMeet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QByteArray, encoding);

    const BookDecoder::Result result = BookDecoder::decode(bytes);
    QCOMPARE(result.text, text);
    if (!encoding.isEmpty())
        QCOMPARE(result.encoding, encoding);
    QCOMPARE(result.undecodableBytes, 0);
}

void TestBookDecoder::damagedUtf8StaysUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("undecodableBytes");

    // About 100 KB of Chinese with a stray 0xFF at 30 KB, as downloaded novels carry.
    const QString book = Chinese.repeated(670);
    QByteArray stray = book.toUtf8();
    const qsizetype at = stray.indexOf("\r\n", 30 * 1024);
    stray.insert(at, '\xFF');
    QString strayText = book;
    strayText.insert(QString::fromUtf8(stray.left(at)).size(), QChar::ReplacementCharacter);
    QTest::newRow("stray byte") << stray << strayText << qsizetype(1);

    // The last character cut in half: its two bytes show as two marks.
    const QByteArray cut = book.toUtf8().chopped(2 + 1);
    QTest::newRow("last character cut off")
            << cut << book.chopped(3) + QString(2, QChar::ReplacementCharacter) << qsizetype(2);

    const DamagedBook eight = withStrayBytes(book, 8);
    QTest::newRow("eight stray bytes") << eight.bytes << eight.text << qsizetype(8);

    // The first lines alone may turn a book down as UTF-8; eight bad bytes there do not.
    const QString rest = Chinese.repeated(610);
    const DamagedBook head = withStrayBytes(Chinese.repeated(60), 8);
    QTest::newRow("eight stray bytes in the first lines")
            << head.bytes + rest.toUtf8() << head.text + rest << qsizetype(8);

    const QString russian = Russian.repeated(20);
    const DamagedBook russianStray = withStrayBytes(russian, 1);
    QTest::newRow("russian, stray byte") << russianStray.bytes << russianStray.text << qsizetype(1);
}

void TestBookDecoder::damagedUtf8StaysUtf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(qsizetype, undecodableBytes);

    const BookDecoder::Result result = BookDecoder::decode(bytes);
    QCOMPARE(result.encoding, QByteArray("UTF-8"));
    QCOMPARE(result.text, text);
    QCOMPARE(result.undecodableBytes, undecodableBytes);
}

void TestBookDecoder::legacyFallbackIsGb18030OnUtf8Systems()
{
    // Bytes that are valid in no multi-byte encoding fall back to the legacy code page,
    // which on a UTF-8 system is GB18030; the text still comes back, marked where broken.
    QCOMPARE(BookDecoder::legacyEncoding(), QByteArray("GB18030"));
    const QByteArray invalid("\x81\x30\xFF\xFE\x80 broken");
    const BookDecoder::Result result = BookDecoder::decode(invalid);
    QCOMPARE(result.encoding, QByteArray("GB18030"));
    QVERIFY(result.text.endsWith(QStringLiteral(" broken")));
    QVERIFY(result.undecodableBytes > 0);

    // Past the allowance a book is no longer taken for damaged UTF-8.
    const DamagedBook tooDamaged = withStrayBytes(Chinese.repeated(670), 9);
    QVERIFY(BookDecoder::decode(tooDamaged.bytes).encoding != "UTF-8");
    const DamagedBook damagedHead = withStrayBytes(Chinese.repeated(60), 9);
    QVERIFY(BookDecoder::decode(damagedHead.bytes + Chinese.repeated(610).toUtf8()).encoding != "UTF-8");
}

void TestBookDecoder::randomBytesAreNotTakenForWideText()
{
    QByteArray random(1 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
    const QByteArray encoding = BookDecoder::decode(random).encoding;
    QVERIFY2(!encoding.startsWith("UTF-16") && !encoding.startsWith("UTF-32"), encoding.constData());
}

void TestBookDecoder::everyCharsetUchardetNamesDecodes_data()
{
    QTest::addColumn<QByteArray>("charset");
    for (const char *charset : UchardetCharsets)
        QTest::newRow(charset) << QByteArray(charset);
}

void TestBookDecoder::everyCharsetUchardetNamesDecodes()
{
    QFETCH(QByteArray, charset);

    const QByteArray encoding = BookDecoder::encodingForCharset(charset);
    // Qt's converters have no VISCII: the name is dropped and the other evidence decides.
    if (charset == "VISCII") {
        QVERIFY(encoding.isEmpty());
        return;
    }
    QVERIFY(QStringDecoder(encoding.constData()).isValid());
    // uchardet names the wide encodings only behind their mark.
    if (charset.startsWith("UTF-16") || charset.startsWith("UTF-32"))
        return;
    // Each decodes ASCII as ASCII: none is a stand-in that reads a different script.
    QCOMPARE(QStringDecoder(encoding.constData()).decode(QByteArrayView("Chapter 1\n")),
             QStringLiteral("Chapter 1\n"));
}

void TestBookDecoder::readerMayChooseEveryEncodingTheDecoderPicks()
{
    const QByteArrayList choices = BookDecoder::overrideEncodings();
    for (const QByteArray &choice : choices)
        QVERIFY2(QStringDecoder(choice.constData()).isValid(), choice.constData());

    const auto offered = [&choices](const QByteArray &encoding) {
        return std::any_of(choices.begin(), choices.end(), [&encoding](const QByteArray &choice) {
            return choice.compare(encoding, Qt::CaseInsensitive) == 0;
        });
    };
    QByteArrayList picked = { BookDecoder::legacyEncoding(), "UTF-16LE", "UTF-16BE", "UTF-32LE",
                              "UTF-32BE" };
    for (const char *charset : UchardetCharsets) {
        const QByteArray encoding = BookDecoder::encodingForCharset(charset);
        // uchardet names the wide encodings only behind their mark, which says the byte order.
        if (!encoding.isEmpty() && encoding != "UTF-16" && encoding != "UTF-32")
            picked.append(encoding);
    }
    for (const QByteArray &encoding : picked)
        QVERIFY2(offered(encoding), encoding.constData());
}

void TestBookDecoder::forcedEncodingDecodesAsChosen_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("usedEncoding");

    // Short GBK that detection leaves to the legacy code page, read as Big5 on request.
    const QByteArray gbk = encoded(QStringLiteral("小猫看船。"), "GBK", 1);
    QTest::newRow("gbk read as big5") << gbk << QByteArray("BIG5")
                                      << QStringDecoder("Big5").decode(gbk).operator QString()
                                      << QByteArray("BIG5");
    QTest::newRow("utf-8 read as windows-1252")
            << encoded(French, "UTF-8", 1) << QByteArray("windows-1252")
            << QStringDecoder("windows-1252").decode(encoded(French, "UTF-8", 1)).operator QString()
            << QByteArray("windows-1252");
    // The mark of the chosen encoding is no part of the text.
    QTest::newRow("utf-16 le with its mark")
            << QByteArray("\xFF\xFE") + encoded(Chinese, "UTF-16LE", 1) << QByteArray("UTF-16LE")
            << Chinese << QByteArray("UTF-16LE");
    QTest::newRow("korean") << encoded(Korean, "EUC-KR", 1) << QByteArray("windows-949")
                            << Korean << QByteArray("windows-949");
    QTest::newRow("unknown encoding decodes automatically")
            << encoded(Chinese, "UTF-8", 1) << QByteArray("no-such-encoding") << Chinese
            << QByteArray("UTF-8");
}

void TestBookDecoder::forcedEncodingDecodesAsChosen()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, encoding);
    QFETCH(QString, text);
    QFETCH(QByteArray, usedEncoding);

    const BookDecoder::Result result = BookDecoder::decode(bytes, encoding);
    QCOMPARE(result.text, text);
    QCOMPARE(result.encoding, usedEncoding);
}

// A large book is decoded a part at a time: the text is the one a decoder gives for the
// whole, and from each line start it names, the bytes decode to the text from its place on,
// also in the wide encodings, where a line feed's byte may stand inside another unit.
void TestBookDecoder::aLargeBookDecodesFromEachAnchorAsAWhole_data()
{
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<bool>("split");
    QTest::newRow("UTF-8") << QByteArray("UTF-8") << QByteArray() << true;
    QTest::newRow("GB18030") << QByteArray("GB18030") << QByteArray() << true;
    QTest::newRow("Big5") << QByteArray("Big5") << QByteArray() << true;
    QTest::newRow("Shift_JIS") << QByteArray("Shift_JIS") << QByteArray() << true;
    QTest::newRow("UTF-16LE") << QByteArray("UTF-16LE") << QByteArray("\xFF\xFE") << true;
    QTest::newRow("UTF-16BE") << QByteArray("UTF-16BE") << QByteArray("\xFE\xFF") << true;
    QTest::newRow("UTF-32BE") << QByteArray("UTF-32BE") << QByteArray("\x00\x00\xFE\xFF", 4) << true;
    QTest::newRow("ISO-2022-JP, kept whole") << QByteArray("ISO-2022-JP") << QByteArray() << false;
}

void TestBookDecoder::aLargeBookDecodesFromEachAnchorAsAWhole()
{
    QFETCH(QByteArray, encoding);
    QFETCH(QByteArray, mark);
    QFETCH(bool, split);
    // In the wide encodings U+0A0A, U+0D0A and U+0A00 hold a line feed's byte off a line end.
    const bool wide = encoding.startsWith("UTF-16") || encoding.startsWith("UTF-32");
    const QString line = wide ? QStringLiteral("　　山川日月，人大中小天地。\u0A0A\u0D0A\u0A00\r\n")
                              : QStringLiteral("　　山川日月，人大中小天地。\r\n");
    const QString text = line.repeated(48 * 1024);
    QStringEncoder encoder(encoding.constData());
    const QByteArray bytes = mark + encoder.encode(text);
    const BookDecoder::Result decoded = BookDecoder::decode(bytes, encoding);
    QCOMPARE(decoded.text, text);
    if (split)
        QVERIFY(decoded.anchors.size() > 2);
    else
        QCOMPARE(decoded.anchors.size(), size_t(1));
    QCOMPARE(decoded.anchors.front().byte, mark.size());
    for (const TextAnchor &anchor : decoded.anchors) {
        QStringDecoder decoder(encoding.constData());
        QVERIFY(decoder.decode(QByteArrayView(bytes).sliced(anchor.byte)) == decoded.text.sliced(anchor.place));
    }
}

LEXORIN_TEST_MAIN(TestBookDecoder)
#include "tst_bookdecoder.moc"
