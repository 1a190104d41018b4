#include "bookdecoder.h"

#include "textsanitizer.h"

#include <QStringDecoder>

#include <uchardet.h>

#include <algorithm>
#include <memory>

namespace {

// Detection and the first UTF-8 probe look at the head of the book only: half a megabyte
// holds thousands of paragraphs, plenty for uchardet, and keeps a 50 MB book in a legacy
// code page from being decoded as UTF-8 in full before it is turned down.
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

struct CharsetAlias
{
    QByteArrayView charset;
    const char *encoding;
};

// uchardet's names that Qt's converters do not take as they are, or that a wider encoding
// reads better. Every other name uchardet 0.0.7 returns is one Qt knows.
const CharsetAlias CharsetAliases[] = {
    // Only the sample was ASCII; UTF-8 reads it the same and whatever follows it too.
    { "ASCII", "UTF-8" },
    // Western text is windows-1252 (curly quotes, dashes) far more often than plain Latin-1.
    { "ISO-8859-1", "windows-1252" },
    // Korean books are CP949, the superset of EUC-KR that Windows writes.
    { "EUC-KR", "windows-949" },
    { "UHC", "windows-949" },
    // Qt's converters lack ISO-8859-16; ISO-8859-2 holds Romanian letters at the same bytes.
    { "ISO-8859-16", "ISO-8859-2" },
    { "VISCII", "" },
    { "unknown", "" },
};

// Escape encodings are plain 7-bit ASCII to every other test, so they are taken when
// uchardet names them and the sequences that shift into double-byte text are there.
struct EscapeEncoding
{
    const char *encoding;
    QByteArrayView shiftSequence;
};

const EscapeEncoding EscapeEncodings[] = {
    { "ISO-2022-JP", "\x1B$" },
    { "ISO-2022-KR", "\x1B$" },
    { "ISO-2022-CN", "\x1B$" },
    { "HZ-GB-2312", "~{" },
};

// Large books are decoded a part at a time, each part ending at a line start, so the places
// where the text meets its bytes are known every so often.
constexpr qsizetype PartSize = 256 * 1024;

// A line feed in each encoding whose line ends are safe places to split: in the multi-byte
// code pages no byte of a longer character is 0x0A.
struct LineFeed
{
    const char *encoding;
    QByteArrayView bytes;
};

const LineFeed WideLineFeeds[] = {
    { "UTF-16LE", QByteArrayView("\n\0", 2) },
    { "UTF-16BE", QByteArrayView("\0\n", 2) },
    { "UTF-32LE", QByteArrayView("\n\0\0\0", 4) },
    { "UTF-32BE", QByteArrayView("\0\0\0\n", 4) },
};

bool keepsStateAcrossLines(const QByteArray &encoding)
{
    return encoding.startsWith("ISO-2022") || encoding.startsWith("HZ") || encoding.startsWith("UTF-7");
}

// A stray byte or a character cut off at the end costs a UTF-8 book one to three bytes;
// a book in a legacy code page read as UTF-8 fails on nearly every non-ASCII byte, tens
// of thousands per megabyte. Eight per megabyte, and eight in any book, lets a book carry
// a few such scars and still stays a thousand times below what a wrong guess produces.
constexpr qsizetype DamagedBytesPerMiB = 8;
// On a short text even a few bytes matter: its readable non-ASCII characters must
// outnumber the damaged bytes by far, or a Latin-1 "Größe" would pass for broken UTF-8.
constexpr qsizetype CharactersPerDamagedByte = 16;
// Lines enough to see a legacy code page fail as UTF-8 by far more than a damaged book.
constexpr qsizetype Utf8HeadLength = 16 * 1024;

// A few dozen non-ASCII bytes are too little for uchardet to tell a single-byte code page
// from a short GBK text; our readers' short files are far more often the latter.
constexpr qsizetype MinimumEvidence = 64;

const QByteArray MultiByteEncodings[] = {
    "GB18030", "BIG5", "SHIFT_JIS", "EUC-JP", "windows-949", "EUC-TW",
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

bool isSevenBit(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

bool isWideEncoding(const QByteArray &encoding)
{
    return encoding.startsWith("UTF-16") || encoding.startsWith("UTF-32");
}

// Where an undecodable byte lands in the text: Qt's UTF-8 decoder and ICU put U+FFFD
// there, some of ICU's legacy converters (Shift_JIS among them) their substitute character
// U+001A. Both may also be in the book for real; those occurrences are not damage. In wide
// encodings byte counts say nothing about characters, so every U+FFFD counts there.
qsizetype countUndecodable(QByteArrayView bytes, const QByteArray &encoding, QStringView text)
{
    if (isWideEncoding(encoding))
        return text.count(QChar(QChar::ReplacementCharacter));
    qsizetype marks = text.count(QChar(QChar::ReplacementCharacter))
            + text.count(QChar(0x1A)) - bytes.count('\x1A');
    if (encoding == "UTF-8")
        marks -= bytes.count(QByteArrayView("\xEF\xBF\xBD"));
    else if (encoding == "GB18030")
        marks -= bytes.count(QByteArrayView("\x84\x31\xA4\x37"));
    return qMax(marks, qsizetype(0));
}

bool systemCodePageIsUtf8()
{
    QStringDecoder system(QStringConverter::System);
    return system.decode(QByteArrayView("\xC3\xA9")) == QString(QChar(0x00E9));
}

// Characters one finds in UTF-16 or UTF-32 text: ASCII and line breaks, Latin, Greek and
// Cyrillic letters, general punctuation, CJK, Hangul, fullwidth forms, rare ideographs.
bool isPlausibleCharacter(char32_t c)
{
    return (c >= 0x20 && c < 0x7F) || c == U'\n' || c == U'\r' || c == U'\t'
            || (c >= 0xA0 && c < 0x250) || (c >= 0x370 && c < 0x530)
            || (c >= 0x2000 && c < 0x206F) || (c >= 0x3000 && c < 0xA000)
            || (c >= 0xAC00 && c < 0xD7A4) || (c >= 0xFF00 && c < 0xFFF0)
            || (c >= 0x20000 && c < 0x32400);
}

// How a sample reads when taken as units of one size and byte order.
struct UnitReading
{
    qsizetype units = 0;
    qsizetype plausible = 0;
    qsizetype lineBreaks = 0;

    // Nearly every unit a plausible character, and line breaks in it. Random bytes read
    // as UTF-16 look plausible well under two thirds of the time and almost never hold a
    // line break; as UTF-32 they are hardly ever characters at all.
    bool readsAsText() const
    {
        return units > 0 && plausible * 100 >= units * 95 && lineBreaks * 1000 >= units;
    }
};

UnitReading readUnits(QByteArrayView sample, int unitSize, bool littleEndian)
{
    UnitReading reading;
    for (qsizetype i = 0; i + unitSize <= sample.size(); i += unitSize) {
        char32_t c = 0;
        for (int b = 0; b < unitSize; ++b) {
            const int shift = 8 * (littleEndian ? b : unitSize - 1 - b);
            c |= char32_t(uchar(sample[i + b])) << shift;
        }
        ++reading.units;
        reading.plausible += isPlausibleCharacter(c);
        reading.lineBreaks += c == U'\n';
    }
    return reading;
}

// The head of a book, ended before a character the cut would split, so the probe does not
// take the cut for damage.
QByteArrayView wholeUtf8Characters(QByteArrayView bytes, qsizetype size)
{
    constexpr qsizetype LongestContinuation = 3;
    const auto isContinuation = [](char byte) { return (uchar(byte) & 0xC0) == 0x80; };
    qsizetype end = size;
    while (end > 0 && end < bytes.size() && size - end < LongestContinuation
           && isContinuation(bytes[end]))
        --end;
    return bytes.first(end);
}

}

BookDecoder::Result BookDecoder::decode(QByteArrayView bytes)
{
    return finished(decodeDetected(bytes));
}

// The bytes decoded in the encoding they are taken for, not yet made safe to draw.
BookDecoder::Result BookDecoder::decodeDetected(QByteArrayView bytes)
{
    qsizetype markLength = 0;
    const QByteArray markedEncoding = encodingFromByteOrderMark(bytes, &markLength);
    if (!markedEncoding.isEmpty())
        return decodeCounting(bytes.sliced(markLength), markedEncoding, markLength);

    const QByteArrayView sample = bytes.first(qMin(bytes.size(), SampleSize));

    // NUL bytes are valid UTF-8, so the wide encodings must be ruled out first.
    const QByteArray unicode = unicodeFromNulBytes(sample);
    if (!unicode.isEmpty())
        return decodeCounting(bytes, unicode);

    const QByteArray escaped = escapeEncoding(sample);
    if (!escaped.isEmpty())
        return decodeCounting(bytes, escaped);

    const QByteArrayView utf8Sample = wholeUtf8Characters(bytes, sample.size());
    if (mayBeUtf8(utf8Sample)) {
        Result utf8 = decodeCounting(utf8Sample, "UTF-8");
        if (isMostlyUtf8(utf8Sample, utf8)) {
            if (utf8Sample.size() < bytes.size())
                utf8 = decodeCounting(bytes, "UTF-8");
            if (isMostlyUtf8(bytes, utf8))
                return utf8;
        }
    }

    const QByteArray detected = detectEncoding(sample);
    const QByteArray legacy = legacyEncoding();
    if (isWeakGuess(detected, sample)) {
        Result result = decodeCounting(bytes, legacy);
        if (result.undecodableBytes == 0)
            return result;
    }
    if (!detected.isEmpty()) {
        Result result = decodeCounting(bytes, detected);
        if (result.undecodableBytes <= damageAllowance(bytes.size()))
            return result;
    }
    return decodeCounting(bytes, legacy);
}

BookDecoder::Result BookDecoder::decode(QByteArrayView bytes, const QByteArray &forcedEncoding)
{
    if (!QStringDecoder(forcedEncoding.constData()).isValid())
        return decode(bytes);
    qsizetype markLength = 0;
    const QByteArray markedEncoding = encodingFromByteOrderMark(bytes, &markLength);
    const bool markMatches = !markedEncoding.isEmpty()
            && markedEncoding.compare(forcedEncoding, Qt::CaseInsensitive) == 0;
    const qsizetype start = markMatches ? markLength : 0;
    return finished(decodeCounting(bytes.sliced(start), forcedEncoding, start));
}

QByteArray BookDecoder::encodingOf(QByteArrayView bytes)
{
    qsizetype markLength = 0;
    const QByteArray markedEncoding = encodingFromByteOrderMark(bytes, &markLength);
    if (!markedEncoding.isEmpty())
        return markedEncoding;
    return decodeDetected(wholeUtf8Characters(bytes, qMin(bytes.size(), SampleSize))).encoding;
}

qsizetype BookDecoder::textStart(QByteArrayView bytes, const QByteArray &encoding)
{
    qsizetype markLength = 0;
    const QByteArray markedEncoding = encodingFromByteOrderMark(bytes, &markLength);
    const bool markMatches = !markedEncoding.isEmpty()
            && markedEncoding.compare(encoding, Qt::CaseInsensitive) == 0;
    return markMatches ? markLength : 0;
}

qsizetype BookDecoder::lineStartAfter(QByteArrayView bytes, qsizetype from, const QByteArray &encoding)
{
    if (from >= bytes.size() || keepsStateAcrossLines(encoding))
        return bytes.size();
    for (const LineFeed &lineFeed : WideLineFeeds) {
        if (encoding.compare(lineFeed.encoding, Qt::CaseInsensitive) != 0)
            continue;
        const qsizetype unit = lineFeed.bytes.size();
        for (qsizetype at = bytes.indexOf(lineFeed.bytes, from); at >= 0;
             at = bytes.indexOf(lineFeed.bytes, at + 1)) {
            if (at % unit == 0)
                return at + unit;
        }
        return bytes.size();
    }
    const qsizetype lineFeed = bytes.indexOf('\n', from);
    return lineFeed < 0 ? bytes.size() : lineFeed + 1;
}

QByteArrayList BookDecoder::overrideEncodings()
{
    return {
        "UTF-8", "UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE",
        "GB18030", "HZ-GB-2312", "ISO-2022-CN", "BIG5", "EUC-TW",
        "SHIFT_JIS", "EUC-JP", "ISO-2022-JP",
        "windows-949", "ISO-2022-KR",
        "windows-1251", "KOI8-R", "IBM866", "ISO-8859-5", "IBM855", "MAC-CYRILLIC",
        "windows-1252", "ISO-8859-15", "ISO-8859-3", "ISO-8859-4", "ISO-8859-9",
        "ISO-8859-10", "ISO-8859-13",
        "windows-1250", "ISO-8859-2", "IBM852", "MAC-CENTRALEUROPE", "windows-1257",
        "windows-1253", "ISO-8859-7",
        "windows-1255", "ISO-8859-8", "windows-1256", "ISO-8859-6",
        "TIS-620", "ISO-8859-11", "windows-1258",
    };
}

QByteArray BookDecoder::detectEncoding(QByteArrayView sample)
{
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)>
            detector(uchardet_new(), &uchardet_delete);
    if (uchardet_handle_data(detector.get(), sample.data(), size_t(sample.size())) != 0)
        return {};
    uchardet_data_end(detector.get());
    return encodingForCharset(uchardet_get_charset(detector.get()));
}

QByteArray BookDecoder::encodingForCharset(QByteArrayView charset)
{
    if (charset.isEmpty())
        return {};
    for (const CharsetAlias &alias : CharsetAliases) {
        if (alias.charset.compare(charset, Qt::CaseInsensitive) == 0)
            return alias.encoding;
    }
    return charset.toByteArray();
}

QByteArray BookDecoder::legacyEncoding()
{
    static const QByteArray encoding = systemCodePageIsUtf8()
            ? QByteArray("GB18030")
            : QByteArray(QStringConverter::nameForEncoding(QStringConverter::System));
    return encoding;
}

qsizetype BookDecoder::damageAllowance(qsizetype bookSize)
{
    constexpr qsizetype MiB = 1024 * 1024;
    return qMax(DamagedBytesPerMiB, bookSize * DamagedBytesPerMiB / MiB);
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

// uchardet cannot see UTF-16 or UTF-32 without a byte-order mark, but no 8-bit text holds
// NUL bytes, while wide text is full of them. The width and byte order are the ones under
// which the sample reads as text. UTF-32 goes first: read as UTF-16, half its units are NUL.
QByteArray BookDecoder::unicodeFromNulBytes(QByteArrayView sample)
{
    if (!sample.contains('\0'))
        return {};
    struct Candidate
    {
        int unitSize;
        bool littleEndian;
        const char *encoding;
    };
    static const Candidate Candidates[] = {
        { 4, true, "UTF-32LE" },
        { 4, false, "UTF-32BE" },
        { 2, true, "UTF-16LE" },
        { 2, false, "UTF-16BE" },
    };
    const Candidate *best = nullptr;
    qsizetype bestShare = 0;
    for (const Candidate &candidate : Candidates) {
        const UnitReading reading = readUnits(sample, candidate.unitSize, candidate.littleEndian);
        const qsizetype share = reading.units ? reading.plausible * 1000 / reading.units : 0;
        if (reading.readsAsText() && share > bestShare) {
            best = &candidate;
            bestShare = share;
        }
    }
    return best ? QByteArray(best->encoding) : QByteArray();
}

// Asks uchardet only where an escape encoding is possible at all, which keeps detection
// off the path of the many books that are plain UTF-8.
QByteArray BookDecoder::escapeEncoding(QByteArrayView sample)
{
    const auto shiftsHere = [sample](const EscapeEncoding &escape) {
        return sample.contains(escape.shiftSequence);
    };
    if (std::none_of(std::begin(EscapeEncodings), std::end(EscapeEncodings), shiftsHere)
        || !isSevenBit(sample))
        return {};
    const QByteArray detected = detectEncoding(sample);
    for (const EscapeEncoding &escape : EscapeEncodings) {
        if (detected == escape.encoding && shiftsHere(escape))
            return detected;
    }
    return {};
}

// A book in a legacy code page read as UTF-8 fails in its first lines already, by more than
// the whole sample may; those settle it without decoding the rest of the sample. Damage
// only adds up from part to part, so the answer is the one the whole sample gives.
bool BookDecoder::mayBeUtf8(QByteArrayView sample)
{
    const qsizetype headEnd = lineStartAfter(sample, Utf8HeadLength, "UTF-8");
    return headEnd >= sample.size()
            || decodeCounting(sample.first(headEnd), "UTF-8").undecodableBytes <= damageAllowance(sample.size());
}

bool BookDecoder::isMostlyUtf8(QByteArrayView bytes, const Result &decoded)
{
    if (decoded.undecodableBytes == 0)
        return true;
    if (decoded.undecodableBytes > damageAllowance(bytes.size()))
        return false;
    const auto readable = std::count_if(decoded.text.cbegin(), decoded.text.cend(), [](QChar c) {
        return c.unicode() >= 0x80 && c != QChar::ReplacementCharacter;
    });
    return readable >= decoded.undecodableBytes * CharactersPerDamagedByte;
}

// Part by part into one buffer as large as a decode at once would take, each part by a
// decoder of its own: parts end at line starts, so no character is split.
BookDecoder::Result BookDecoder::decodeCounting(QByteArrayView bytes, const QByteArray &encoding,
                                                qsizetype byteBase)
{
    const QStringDecoder sizer(encoding.constData(), QStringConverter::Flag::Stateless);
    if (!sizer.isValid())
        return { QString(), encoding, bytes.size(), {} };
    std::vector<qsizetype> partEnds;
    qsizetype space = 0;
    for (qsizetype start = 0; start < bytes.size(); start = partEnds.back()) {
        partEnds.push_back(lineStartAfter(bytes, start + PartSize, encoding));
        space += sizer.requiredSpace(partEnds.back() - start);
    }
    Result result{ QString(space, Qt::Uninitialized), encoding, 0, {} };
    QChar *const begin = result.text.data();
    QChar *out = begin;
    bool failed = false;
    qsizetype start = 0;
    for (const qsizetype end : partEnds) {
        result.anchors.push_back({ byteBase + start, out - begin });
        QStringDecoder decoder(encoding.constData(), QStringConverter::Flag::Stateless);
        out = decoder.appendToBuffer(out, bytes.sliced(start, end - start));
        failed = failed || decoder.hasError();
        start = end;
    }
    result.text.truncate(out - begin);
    if (failed)
        result.undecodableBytes = qMax(countUndecodable(bytes, encoding, result.text), qsizetype(1));
    return result;
}

BookDecoder::Result BookDecoder::finished(Result result)
{
    TextSanitizer::sanitize(result.text);
    return result;
}
