#include "bookdecoder.h"

#include <QStringDecoder>

#include <uchardet.h>

#include <algorithm>
#include <memory>

namespace {

// Detection and the UTF-8 probe look at the head of the book only: half a megabyte holds
// thousands of paragraphs, plenty for uchardet, and keeps a 50 MB book from being scanned twice.
constexpr qsizetype SampleSize = 512 * 1024;

struct ByteOrderMark
{
    QByteArrayView bytes;
    const char *encoding;
};

// UTF-32 LE starts with the UTF-16 LE mark, so it must be tried first.
const ByteOrderMark ByteOrderMarks[] = {
    { QByteArrayView("\xFF\xFE\x00\x00", 4), "UTF-32LE" },
    { QByteArrayView("\x00\x00\xFE\xFF", 4), "UTF-32BE" },
    { QByteArrayView("\xEF\xBB\xBF", 3), "UTF-8" },
    { QByteArrayView("\xFF\xFE", 2), "UTF-16LE" },
    { QByteArrayView("\xFE\xFF", 2), "UTF-16BE" },
};

// uchardet reports plain Latin-1 for Western text; windows-1252 is its superset and what
// such files really use (curly quotes, dashes).
QByteArray qtNameForDetectedCharset(const QByteArray &charset)
{
    if (charset.isEmpty() || charset == "unknown")
        return {};
    if (charset == "ASCII")
        return "UTF-8";
    if (charset == "ISO-8859-1")
        return "windows-1252";
    return charset;
}

QString decodeLeniently(QByteArrayView bytes, const QByteArray &encoding)
{
    QStringDecoder decoder(encoding.constData(), QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

// A few dozen non-ASCII bytes are too little for uchardet to tell a single-byte code page
// from a short GBK text; our readers' short files are far more often the latter.
constexpr qsizetype MinimumEvidence = 64;

const QByteArray MultiByteEncodings[] = {
    "GB18030", "BIG5", "SHIFT_JIS", "EUC-JP", "EUC-KR", "EUC-TW",
    "ISO-2022-JP", "ISO-2022-KR", "ISO-2022-CN", "HZ-GB-2312", "UTF-8",
};

bool isWeakGuess(const QByteArray &detected, QByteArrayView sample)
{
    if (std::find(std::begin(MultiByteEncodings), std::end(MultiByteEncodings), detected)
        != std::end(MultiByteEncodings))
        return false;
    const auto nonAscii = std::count_if(sample.begin(), sample.end(),
                                        [](char c) { return uchar(c) >= 0x80; });
    return nonAscii < MinimumEvidence;
}

// The sample may end inside a character; a stateful decoder holds such a tail back
// instead of calling it an error.
bool isValidUtf8Start(QByteArrayView sample)
{
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString decoded = decoder.decode(sample);
    return !decoder.hasError();
}

bool systemCodePageIsUtf8()
{
    QStringDecoder system(QStringConverter::System);
    return system.decode(QByteArrayView("\xC3\xA9")) == QString(QChar(0x00E9));
}

}

BookDecoder::Result BookDecoder::decode(QByteArrayView bytes)
{
    qsizetype markLength = 0;
    const QByteArray markedEncoding = encodingFromByteOrderMark(bytes, &markLength);
    if (!markedEncoding.isEmpty())
        return { decodeLeniently(bytes.sliced(markLength), markedEncoding), markedEncoding };

    const QByteArrayView sample = bytes.first(qMin(bytes.size(), SampleSize));
    QString text;

    if (isValidUtf8Start(sample) && decodesCleanly(bytes, "UTF-8", &text))
        return { text, "UTF-8" };

    const QByteArray utf16 = utf16FromNulBytes(sample);
    if (!utf16.isEmpty() && decodesCleanly(bytes, utf16, &text))
        return { text, utf16 };

    const QByteArray legacy = legacyEncoding();
    const QByteArray detected = detectEncoding(sample);
    if (isWeakGuess(detected, sample) && decodesCleanly(bytes, legacy, &text))
        return { text, legacy };
    if (!detected.isEmpty() && decodesCleanly(bytes, detected, &text))
        return { text, detected };

    return { decodeLeniently(bytes, legacy), legacy };
}

QByteArray BookDecoder::detectEncoding(QByteArrayView sample)
{
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)>
            detector(uchardet_new(), &uchardet_delete);
    if (uchardet_handle_data(detector.get(), sample.data(), size_t(sample.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    return qtNameForDetectedCharset(QByteArray(uchardet_get_charset(detector.get())));
}

QByteArray BookDecoder::legacyEncoding()
{
    static const QByteArray encoding = systemCodePageIsUtf8()
            ? QByteArray("GB18030")
            : QByteArray(QStringConverter::nameForEncoding(QStringConverter::System));
    return encoding;
}

QByteArray BookDecoder::encodingFromByteOrderMark(QByteArrayView bytes, qsizetype *markLength)
{
    for (const ByteOrderMark &mark : ByteOrderMarks) {
        if (bytes.startsWith(mark.bytes)) {
            *markLength = mark.bytes.size();
            return mark.encoding;
        }
    }
    return {};
}

// uchardet cannot see UTF-16 without a byte-order mark, but no 8-bit text holds NUL bytes,
// while UTF-16 text is full of them. The byte order is the one under which the sample reads
// as text: nearly every unit a plausible character (ASCII, CJK and the punctuation around
// them) and line breaks in it. Random bytes read as UTF-16 look plausible only about half
// the time and almost never hold a line break.
QByteArray BookDecoder::utf16FromNulBytes(QByteArrayView sample)
{
    if (!sample.contains('\0'))
        return {};
    const auto isPlausible = [](char16_t c) {
        return (c >= 0x20 && c < 0x7F) || c == u'\n' || c == u'\r' || c == u'\t'
                || (c >= 0x2000 && c < 0x206F) || (c >= 0x3000 && c < 0xA000)
                || (c >= 0xAC00 && c < 0xD7A4) || (c >= 0xFF00 && c < 0xFFF0);
    };
    struct Reading
    {
        qsizetype plausible = 0;
        qsizetype lineBreaks = 0;
        void add(char16_t c, bool plausible)
        {
            this->plausible += plausible;
            lineBreaks += c == u'\n';
        }
    };
    Reading littleEndian;
    Reading bigEndian;
    for (qsizetype i = 0; i + 1 < sample.size(); i += 2) {
        const auto first = uchar(sample[i]);
        const auto second = uchar(sample[i + 1]);
        const auto asLittle = char16_t(first | second << 8);
        const auto asBig = char16_t(second | first << 8);
        littleEndian.add(asLittle, isPlausible(asLittle));
        bigEndian.add(asBig, isPlausible(asBig));
    }
    const qsizetype units = sample.size() / 2;
    const auto readsAsText = [units](const Reading &reading) {
        return reading.plausible * 100 >= units * 95 && reading.lineBreaks * 1000 >= units;
    };
    if (readsAsText(littleEndian) && littleEndian.plausible >= bigEndian.plausible)
        return "UTF-16LE";
    if (readsAsText(bigEndian))
        return "UTF-16BE";
    return {};
}

bool BookDecoder::decodesCleanly(QByteArrayView bytes, const QByteArray &encoding, QString *text)
{
    QStringDecoder decoder(encoding.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return false;
    QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    *text = std::move(decoded);
    return true;
}
