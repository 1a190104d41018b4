#include "bookdecoder.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QStringEncoder>

class TestBookDecoder : public QObject
{
    Q_OBJECT

private slots:
    void decodesEveryEncodingReadersMeet_data();
    void decodesEveryEncodingReadersMeet();
    void legacyFallbackIsGb18030OnUtf8Systems();
    void randomBytesAreNotTakenForUtf16();
};

namespace {

const QString Chinese = QStringLiteral("　　从前有一只小猫住在灯塔里，它每天晚上都看着海上的船。\r\n\r\n"
                                       "　　“你好，”小猫说，“今晚的星星真亮。”\r\n");
const QString Traditional = QStringLiteral("從前有一隻小貓住在燈塔裡，它每天晚上都看著海上的船。\n");
const QString Japanese = QStringLiteral("昔々、小さな猫が灯台に住んでいました。毎晩、海の船を見ていました。\n");
const QString French = QStringLiteral("Le café était fermé, et l’élève rêvait déjà de l’été à Noël — enfin.\n");

QByteArray encoded(const QString &text, const char *encoding, int repeat = 40)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(text.repeated(repeat));
}

}

void TestBookDecoder::decodesEveryEncodingReadersMeet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString english = QStringLiteral("　　It was a quiet night at the harbour.\r\n\r\n");
    QTest::newRow("utf-8") << encoded(Chinese, "UTF-8") << Chinese.repeated(40);
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF") + encoded(Chinese, "UTF-8")
                                     << Chinese.repeated(40);
    QTest::newRow("utf-16 le with mark") << QByteArray("\xFF\xFE") + encoded(Chinese, "UTF-16LE")
                                         << Chinese.repeated(40);
    QTest::newRow("utf-16 be with mark") << QByteArray("\xFE\xFF") + encoded(Chinese, "UTF-16BE")
                                         << Chinese.repeated(40);
    QTest::newRow("utf-32 le with mark")
            << QByteArray("\xFF\xFE\x00\x00", 4) + encoded(Chinese, "UTF-32LE") << Chinese.repeated(40);
    QTest::newRow("utf-16 le without mark") << encoded(Chinese, "UTF-16LE") << Chinese.repeated(40);
    QTest::newRow("utf-16 be without mark") << encoded(Chinese, "UTF-16BE") << Chinese.repeated(40);

    // U+FFFD is a character like any other in a valid UTF-8 book.
    const QString replacement = QStringLiteral("坏掉的字：\uFFFD，其余完好。\n");
    QTest::newRow("utf-8 holding U+FFFD") << encoded(replacement, "UTF-8", 1) << replacement;

    QTest::newRow("gbk") << encoded(Chinese, "GBK") << Chinese.repeated(40);
    // Too short for uchardet to be sure; the legacy code page decodes it.
    QTest::newRow("gbk, short") << encoded(QStringLiteral("小猫在灯塔里看船。"), "GBK", 1)
                                << QStringLiteral("小猫在灯塔里看船。");
    QTest::newRow("gbk english with ideographic indents") << encoded(english, "GBK", 200)
                                                          << english.repeated(200);
    const QString beyondGbk = QStringLiteral("GB18030 独有的字：𠀀𠀁，还有€。\n");
    QTest::newRow("gb18030") << encoded(Chinese + beyondGbk, "GB18030")
                             << (Chinese + beyondGbk).repeated(40);
    QTest::newRow("big5") << encoded(Traditional, "Big5") << Traditional.repeated(40);
    QTest::newRow("shift_jis") << encoded(Japanese, "Shift_JIS") << Japanese.repeated(40);
    QTest::newRow("windows-1252") << encoded(French, "windows-1252") << French.repeated(40);
}

void TestBookDecoder::decodesEveryEncodingReadersMeet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QCOMPARE(BookDecoder::decode(bytes).text, text);
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
}

void TestBookDecoder::randomBytesAreNotTakenForUtf16()
{
    QByteArray random(1 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
    QVERIFY(!BookDecoder::decode(random).encoding.startsWith("UTF-16"));
}

LEXORIN_TEST_MAIN(TestBookDecoder)
#include "tst_bookdecoder.moc"
