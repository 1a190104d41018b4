#include "chapterdetector.h"

#include "paginator.h"

#include <algorithm>
#include <array>

namespace {

// Lines longer than this are prose however they begin; not even trimmed.
constexpr qsizetype MaxUntrimmedLength = 3 * ChapterDetector::MaxHeadingLength;
// This many headings or more, one after the other with nothing but blank lines between,
// are a table of contents rather than chapters.
constexpr size_t ContentsRunLength = 3;

constexpr QStringView ChineseDigits = u"0123456789０１２３４５６７８９"
                                      u"〇零一二三四五六七八九十百千万萬两兩壹贰貳叁參肆伍陆陸柒捌玖拾佰仟";
constexpr QStringView ChapterMarks = u"章回节節话話集篇";
constexpr QStringView VolumeMarks = u"卷部";
// What may stand between a heading's number and its title.
constexpr QStringView TitleSeparators = u"：:、.．·・,，-－—–_|｜/（(【[「『《<〈“\"'‘";
// A line ending in one of these is a sentence or a clause, never a heading.
constexpr QStringView ClauseEnds = u"。，、；;,";
// A heading's title follows straight on its number only in a few books, and never with one
// of these common words, which make prose such as "第三章的内容" instead.
constexpr QStringView Particles = u"的了是在中里裡说說就也都还還和与與又被把这這那之时時";
constexpr QStringView SentencePunctuation = u"。，；！？!?;";

struct Keyword
{
    QStringView text;
    int level;
    bool takesGluedTitle; // "番外之重逢": a title may follow without a separator
};

constexpr std::array<Keyword, 19> ChineseKeywords{ {
        { u"完本感言", Chapter::Section, false },
        { u"プロローグ", Chapter::Section, false },
        { u"エピローグ", Chapter::Section, false },
        { u"序章", Chapter::Section, false },
        { u"序言", Chapter::Section, false },
        { u"序幕", Chapter::Section, false },
        { u"楔子", Chapter::Section, false },
        { u"引子", Chapter::Section, false },
        { u"引言", Chapter::Section, false },
        { u"前言", Chapter::Section, false },
        { u"尾声", Chapter::Section, false },
        { u"尾聲", Chapter::Section, false },
        { u"后记", Chapter::Section, false },
        { u"後記", Chapter::Section, false },
        { u"后序", Chapter::Section, false },
        { u"终章", Chapter::Section, false },
        { u"終章", Chapter::Section, false },
        { u"番外", Chapter::Section, true },
        { u"序", Chapter::Section, false },
} };

constexpr std::array<Keyword, 6> EnglishKeywords{ {
        { u"prologue", Chapter::Section, false },
        { u"epilogue", Chapter::Section, false },
        { u"preface", Chapter::Section, false },
        { u"foreword", Chapter::Section, false },
        { u"afterword", Chapter::Section, false },
        { u"interlude", Chapter::Section, false },
} };

struct NumberedWord
{
    QStringView text;
    int level;
};

constexpr std::array<NumberedWord, 4> EnglishNumberedWords{ {
        { u"chapter", Chapter::Section },
        { u"part", Chapter::Volume },
        { u"book", Chapter::Volume },
        { u"volume", Chapter::Volume },
} };

constexpr std::array<QStringView, 28> NumberWords{ {
        u"one", u"two", u"three", u"four", u"five", u"six", u"seven", u"eight", u"nine", u"ten",
        u"eleven", u"twelve", u"thirteen", u"fourteen", u"fifteen", u"sixteen", u"seventeen",
        u"eighteen", u"nineteen", u"twenty", u"thirty", u"forty", u"fifty", u"sixty",
        u"seventy", u"eighty", u"ninety", u"hundred",
} };

bool isSpace(QChar c)
{
    return c.isSpace() || c == QChar(0xFEFF);
}

QStringView trimmed(QStringView line)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && isSpace(line[start]))
        ++start;
    while (end > start && isSpace(line[end - 1]))
        --end;
    return line.sliced(start, end - start);
}

QStringView skipSpaces(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    return text.sliced(i);
}

bool isOneOf(QChar c, QStringView set)
{
    return set.contains(c);
}

// What follows a heading's number or keyword: nothing, or a title after a separator.
bool isSeparatedTitle(QStringView rest)
{
    if (rest.isEmpty())
        return true;
    return (isSpace(rest.front()) || isOneOf(rest.front(), TitleSeparators))
            && !isOneOf(rest.back(), ClauseEnds);
}

bool hasSentencePunctuation(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return isOneOf(c, SentencePunctuation); });
}

// A title straight after the number ("第一章风起云涌") reads as a heading only when it
// looks nothing like the rest of a sentence.
bool isGluedTitle(QStringView rest)
{
    return !isOneOf(rest.front(), Particles) && !hasSentencePunctuation(rest);
}

int numberedChineseHeading(QStringView line)
{
    qsizetype i = 1; // past 第
    while (i < line.size() && isSpace(line[i]))
        ++i;
    const qsizetype digits = i;
    while (i < line.size() && isOneOf(line[i], ChineseDigits))
        ++i;
    if (i == digits)
        return -1;
    while (i < line.size() && isSpace(line[i]))
        ++i;
    if (i == line.size())
        return -1;
    const int level = isOneOf(line[i], ChapterMarks) ? Chapter::Section
            : isOneOf(line[i], VolumeMarks)         ? Chapter::Volume
                                                    : -1;
    const QStringView rest = line.sliced(i + 1);
    if (level < 0 || !(isSeparatedTitle(rest) || isGluedTitle(rest)))
        return -1;
    return level;
}

// "卷一 风起": a volume named by its number after the word.
int volumeFirstHeading(QStringView line)
{
    qsizetype i = 1; // past 卷
    while (i < line.size() && isOneOf(line[i], ChineseDigits))
        ++i;
    return i > 1 && isSeparatedTitle(line.sliced(i)) ? int(Chapter::Volume) : -1;
}

int keywordHeading(QStringView line)
{
    for (const Keyword &keyword : ChineseKeywords) {
        if (!line.startsWith(keyword.text))
            continue;
        const QStringView rest = line.sliced(keyword.text.size());
        if (isSeparatedTitle(rest) || (keyword.takesGluedTitle && !hasSentencePunctuation(rest)))
            return keyword.level;
        return -1;
    }
    return -1;
}

int chineseHeading(QStringView line)
{
    // Some books put "正文" (the main text) before the first heading or every heading.
    if (line.startsWith(u"正文") && line.size() > 2 && isSpace(line[2]))
        line = skipSpaces(line.sliced(2));
    if (line.isEmpty())
        return -1;
    if (line.front() == u'第')
        return numberedChineseHeading(line);
    if (line.front() == u'卷')
        return volumeFirstHeading(line);
    return keywordHeading(line);
}

QStringView leadingWord(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isLetter() && text[i].unicode() < 0x80)
        ++i;
    return text.first(i);
}

bool isNumberWord(QStringView word)
{
    return std::any_of(NumberWords.begin(), NumberWords.end(), [word](QStringView number) {
        return word.compare(number, Qt::CaseInsensitive) == 0;
    });
}

// "XII" or "xii", not a word such as "Did" that happens to be spelt with the same letters.
bool isRomanNumeral(QStringView word)
{
    const auto allOf = [word](QStringView letters) {
        return std::all_of(word.begin(), word.end(), [letters](QChar c) { return letters.contains(c); });
    };
    return !word.isEmpty() && (allOf(u"IVXLCDM") || allOf(u"ivxlcdm"));
}

// The length of "12", "XII", "Twelve" or "Twenty-One" at the start of the text, or 0.
qsizetype englishNumberLength(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 0x80)
        ++i;
    if (i > 0)
        return i;
    const QStringView word = leadingWord(text);
    if (isRomanNumeral(word))
        return word.size();
    if (!isNumberWord(word))
        return 0;
    const QStringView after = text.sliced(word.size());
    if (after.size() > 1 && (after.front() == u'-' || after.front() == u' ')) {
        const QStringView second = leadingWord(after.sliced(1));
        if (isNumberWord(second))
            return word.size() + 1 + second.size();
    }
    return word.size();
}

// After an English heading's number: nothing, a separator and a title, or a capitalised
// title ("Chapter 3 The Storm", not "Chapter 3 was the best one.").
bool isEnglishTitle(QStringView rest)
{
    if (rest.isEmpty() || rest == u".")
        return true;
    if (isSpace(rest.front())) {
        const QStringView title = skipSpaces(rest);
        if (!title.isEmpty() && title.front().isLower())
            return false;
        return !isOneOf(rest.back(), u".,;:");
    }
    return isOneOf(rest.front(), u":.-–—") && !isOneOf(rest.back(), u".,;");
}

int englishHeading(QStringView line)
{
    for (const NumberedWord &word : EnglishNumberedWords) {
        if (!line.startsWith(word.text, Qt::CaseInsensitive) || line.size() <= word.text.size()
            || !isSpace(line[word.text.size()]))
            continue;
        const QStringView numbered = skipSpaces(line.sliced(word.text.size()));
        const qsizetype number = englishNumberLength(numbered);
        if (number == 0 || !isEnglishTitle(numbered.sliced(number)))
            return -1;
        return word.level;
    }
    for (const Keyword &keyword : EnglishKeywords) {
        if (line.startsWith(keyword.text, Qt::CaseInsensitive))
            return isEnglishTitle(line.sliced(keyword.text.size())) ? keyword.level : -1;
    }
    return -1;
}

// Most lines of a book are prose that no heading starts like; they are passed over on their
// first character.
bool mayStartHeading(QChar c)
{
    if (c.unicode() < 0x80)
        return c.isLetter();
    return QStringView(u"第正卷序楔引前尾后後番终終完プエ").contains(c);
}

// Builds the chapter list line by line, leaving out a heading repeated on the next line and
// the runs of headings a table of contents makes.
class HeadingCollector
{
public:
    void addLine(QStringView line, qsizetype offset)
    {
        const QStringView text = skipSpaces(line);
        if (text.isEmpty())
            return;
        const QStringView title = text.size() <= MaxUntrimmedLength && mayStartHeading(text.front())
                ? trimmed(text)
                : QStringView();
        const int level = !title.isEmpty() && title.size() <= ChapterDetector::MaxHeadingLength
                ? ChapterDetector::levelOf(title)
                : -1;
        if (level < 0) {
            closeRun();
            return;
        }
        if (m_runStart < m_chapters.size() && m_chapters.back().title == title)
            return;
        m_chapters.push_back({ offset, line.size(), title.toString(), level });
    }

    std::vector<Chapter> take()
    {
        closeRun();
        return std::move(m_chapters);
    }

private:
    // A long run of headings lists the chapters; only its last one, followed by text, is a
    // chapter of its own.
    void closeRun()
    {
        if (m_chapters.size() - m_runStart >= ContentsRunLength)
            m_chapters.erase(m_chapters.begin() + qsizetype(m_runStart), m_chapters.end() - 1);
        m_runStart = m_chapters.size();
    }

    std::vector<Chapter> m_chapters;
    size_t m_runStart = 0;
};

}

std::vector<Chapter> ChapterDetector::detect(QStringView text)
{
    return detect(Paginator::paragraphsOf(text));
}

std::vector<Chapter> ChapterDetector::detect(const std::vector<QStringView> &lines)
{
    HeadingCollector collector;
    qsizetype offset = 0;
    for (QStringView line : lines) {
        collector.addLine(line, offset);
        offset += line.size() + 1;
    }
    return collector.take();
}

int ChapterDetector::levelOf(QStringView trimmedLine)
{
    if (trimmedLine.isEmpty())
        return -1;
    if (trimmedLine.front().unicode() < 0x80)
        return englishHeading(trimmedLine);
    return chineseHeading(trimmedLine);
}

int ChapterDetector::chapterAt(const std::vector<Chapter> &chapters, qsizetype offset)
{
    const auto after = std::upper_bound(chapters.begin(), chapters.end(), offset,
                                        [](qsizetype at, const Chapter &chapter) { return at < chapter.offset; });
    return int(after - chapters.begin()) - 1;
}

bool ChapterDetector::isInHeading(const std::vector<Chapter> &chapters, qsizetype offset)
{
    const int index = chapterAt(chapters, offset);
    return index >= 0 && offset < chapters[size_t(index)].offset + chapters[size_t(index)].length;
}
