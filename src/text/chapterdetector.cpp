#include "chapterdetector.h"

#include "headingnumbers.h"
#include "paginator.h"

#include <algorithm>
#include <bitset>
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
// Not a comma: "第三卷，头两卷…" is the start of a sentence.
constexpr QStringView TitleSeparators = u"：:、.．·・-－—–_|｜/（(【[「『《<〈“\"'‘";
// A line ending in one of these is a sentence or a clause, never a heading.
constexpr QStringView ClauseEnds = u"。，、；;,";
// A heading's title follows straight on its number only in a few books, and never with one
// of these common words, which make prose such as "第三章的内容" instead.
constexpr QStringView Particles = u"的了是在中里裡说說就也都还還和与與又被把这這那之时時";
constexpr QStringView SentencePunctuation = u"。，；！？!?;,";

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

// A plain search: QStringView::contains(QChar) goes through the general substring search,
// which costs far more on every line of a long book.
bool isOneOf(QChar c, QStringView set)
{
    const char16_t *const end = set.utf16() + set.size();
    return std::find(set.utf16(), end, c.unicode()) != end;
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

constexpr QStringView Bullets = u"●○◎◉◆◇■□★☆▲△▼▽►▶※•";
constexpr QStringView Openings = u"[(【〖（「『";
constexpr QStringView Closings = u"])】〗）」』";
constexpr QStringView Digits = u"0123456789０１２３４５６７８９";
constexpr QStringView ChineseNumerals = u"〇零一二三四五六七八九十百千两";
// Any of these in a line makes it a sentence rather than a title.
constexpr QStringView TitleBreakers = u"。，；！？、.,;!?";
// A paragraph of text ends in one of these.
constexpr QStringView ParagraphEnds = u"。！？!?.…”」』\"'";
constexpr QStringView Quotes = u"“\"'‘「『—-(（";

// Lone lines a book numbers itself or leaves between blank lines are its chapters only when
// it has at least this many of them.
constexpr size_t MinimumLoneHeadings = 3;
// Titles standing alone in a collection head pieces this long at least, by the median.
constexpr qsizetype MinimumPieceLength = 800;
constexpr qsizetype MaxLoneTitleLength = 24;
constexpr qsizetype MaxLatinLoneTitleLength = 60;
constexpr qsizetype PassageNameLength = 16;
constexpr qsizetype LatinPassageNameLength = 24;

bool isOneOfDigits(QChar c)
{
    return isOneOf(c, Digits);
}

bool hasAnyOf(QStringView text, QStringView set)
{
    return std::any_of(text.begin(), text.end(), [set](QChar c) { return set.contains(c); });
}

bool hasLetter(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

bool isCjk(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

qsizetype digitsAt(QStringView text, qsizetype i = 0)
{
    const qsizetype start = i;
    while (i < text.size() && isOneOfDigits(text[i]))
        ++i;
    return i - start;
}

// "第6集团军　155英里　10个步兵师": a row of a table whose first cell starts like a heading.
bool isTableRow(QStringView line)
{
    int numberCells = 0;
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (isSpace(line[i - 1]) && !isSpace(line[i]) && isOneOfDigits(line[i]))
            ++numberCells;
    }
    return numberCells >= 2;
}

// "[(第2章 了解自己)]" → "第2章 了解自己": the pairs of brackets around a whole line.
QStringView withoutEnclosingBrackets(QStringView line)
{
    while (line.size() > 2) {
        const qsizetype opening = Openings.indexOf(line.front());
        if (opening < 0 || line.back() != Closings[opening])
            break;
        line = trimmed(line.sliced(1, line.size() - 2));
    }
    return line;
}

// "一　醇贤亲王的一生" after an index such as "[1]": a number and a title.
bool isNumberedTitle(QStringView text)
{
    qsizetype i = digitsAt(text);
    while (i < text.size() && isOneOf(text[i], ChineseNumerals))
        ++i;
    if (i == 0 || i == text.size())
        return false;
    const QStringView title = skipSpaces(text.sliced(i + (isOneOf(text[i], TitleSeparators) ? 1 : 0)));
    const bool setApart = title.size() < text.size() - i; // by a space or a separator
    return setApart && !title.isEmpty() && !hasAnyOf(title, TitleBreakers);
}

int undecoratedLevel(QStringView line)
{
    return line.front().unicode() < 0x80 ? englishHeading(line) : chineseHeading(line);
}

// A heading dressed up: after a bullet ("●第二章"), inside brackets, after the book's name
// in 《》 or after an index in brackets ("[1]一　标题").
int decoratedLevel(QStringView line)
{
    qsizetype i = 0;
    while (i < line.size() && (isOneOf(line[i], Bullets) || isSpace(line[i])))
        ++i;
    line = line.sliced(i);
    if (line.size() > 2 && (line.front() == u'[' || line.front() == u'【') && digitsAt(line, 1) > 0) {
        const qsizetype close = 1 + digitsAt(line, 1);
        if (close < line.size() && (line[close] == u']' || line[close] == u'】')) {
            const QStringView rest = skipSpaces(line.sliced(close + 1));
            if (rest.isEmpty())
                return -1;
            const int level = undecoratedLevel(rest);
            return level >= 0 ? level : isNumberedTitle(rest) ? int(Chapter::Section) : -1;
        }
    }
    if (line.startsWith(u'《')) {
        const qsizetype close = line.indexOf(u'》');
        if (close > 0)
            line = skipSpaces(line.sliced(close + 1));
    }
    line = withoutEnclosingBrackets(line);
    return line.isEmpty() ? -1 : undecoratedLevel(line);
}

bool isBareHeading(QStringView title)
{
    if (title.endsWith(u'.'))
        title.chop(1);
    if (title.front().unicode() >= 0x80) {
        const bool numbered = title.front() == u'第' && !hasAnyOf(title, u" 　")
                && (isOneOf(title.back(), ChapterMarks) || isOneOf(title.back(), VolumeMarks));
        return numbered || std::any_of(ChineseKeywords.begin(), ChineseKeywords.end(),
                                       [title](const Keyword &keyword) { return keyword.text == title; });
    }
    for (const NumberedWord &word : EnglishNumberedWords) {
        if (title.startsWith(word.text, Qt::CaseInsensitive) && title.size() > word.text.size()) {
            const QStringView number = skipSpaces(title.sliced(word.text.size()));
            return englishNumberLength(number) == number.size();
        }
    }
    return std::any_of(EnglishKeywords.begin(), EnglishKeywords.end(), [title](const Keyword &keyword) {
        return title.compare(keyword.text, Qt::CaseInsensitive) == 0;
    });
}

// A line that ends a paragraph of text, or is too long to be anything else.
bool isProse(QStringView text)
{
    return text.size() > ChapterDetector::MaxHeadingLength || isOneOf(text.back(), ParagraphEnds);
}

// The title after a bare "CHAPTER I.": short, capitalised, no sentence, not indented as the
// book's paragraphs are while the heading is not.
bool isTitleLine(QStringView line, QStringView heading)
{
    const QStringView text = trimmed(line);
    return !text.isEmpty() && text.size() <= ChapterDetector::MaxHeadingLength && hasLetter(text)
            && !(isSpace(line.front()) && !isSpace(heading.front())) && !text.front().isLower()
            && !isOneOf(text.front(), Quotes) && !hasAnyOf(text, TitleBreakers)
            && ChapterDetector::levelOf(text) < 0;
}

// The kinds of lone lines a book may number its chapters with, in the order they are tried.
enum class LoneKind { Enumerated, Parenthesised, Number, Standalone };
constexpr int LoneKindCount = 4;

struct LoneLine
{
    size_t line;
    qsizetype offset;
    int number;
};

// "一、风起" → 1, "（二）夜雨" → 2, "１" → 1, or -1.
int numberOfLoneLine(LoneKind kind, QStringView text)
{
    qsizetype i = kind == LoneKind::Parenthesised ? 1 : 0;
    if (kind == LoneKind::Parenthesised && text.front() != u'(' && text.front() != u'（')
        return -1;
    if (kind == LoneKind::Number) {
        const qsizetype digits = digitsAt(text);
        if (digits != text.size() || digits > 4)
            return -1;
        int value = 0;
        for (QChar c : text)
            value = value * 10 + (c.unicode() >= 0xFF10 ? c.unicode() - 0xFF10 : c.unicode() - u'0');
        return value;
    }
    const qsizetype start = i;
    while (i < text.size() && isOneOf(text[i], ChineseNumerals))
        ++i;
    if (i == start || i == text.size())
        return -1;
    const bool closed = kind == LoneKind::Enumerated ? text[i] == u'、'
                                                     : text[i] == u')' || text[i] == u'）';
    const QStringView title = text.sliced(i + 1);
    if (!closed || hasAnyOf(title, TitleBreakers) || title.endsWith(u'：') || title.endsWith(u':'))
        return -1;
    return HeadingNumbers::chineseValue(text.sliced(start, i - start));
}

// Builds the chapter list line by line, leaving out a heading repeated on the next line and
// the runs of headings a table of contents makes, and notes the lone lines that could be
// chapters of a book without headings of the common kinds.
class BookScan
{
public:
    explicit BookScan(const std::vector<QStringView> &lines) : m_lines(lines) { }

    std::vector<Chapter> chapters()
    {
        qsizetype offset = 0;
        for (m_line = 0; m_line < m_lines.size(); ++m_line) {
            addLine(m_lines[m_line], offset);
            offset += m_lines[m_line].size() + 1;
        }
        closeRun();
        if (!hasSections())
            addLoneHeadings();
        return std::move(m_chapters);
    }

    // A passage starts at the first line of text after every PassageLength characters.
    static std::vector<Chapter> passagesOf(const std::vector<QStringView> &lines)
    {
        std::vector<Chapter> passages;
        qsizetype offset = 0;
        qsizetype nextPassage = 0;
        for (QStringView line : lines) {
            const QStringView text = trimmed(line);
            if (offset >= nextPassage && !text.isEmpty()) {
                passages.push_back({ offset, 0, passageName(text), Chapter::Passage });
                nextPassage = offset + ChapterDetector::PassageLength;
            }
            offset += line.size() + 1;
        }
        return passages;
    }

private:
    void addLine(QStringView line, qsizetype offset)
    {
        const QStringView text = skipSpaces(line);
        if (text.isEmpty())
            return;
        if (m_line == m_titleLine)
            return;
        const QStringView title = text.size() <= MaxUntrimmedLength && ChapterDetector::mayStartHeading(text.front())
                ? trimmed(text)
                : QStringView();
        const int level = !title.isEmpty() && title.size() <= ChapterDetector::MaxHeadingLength
                ? ChapterDetector::levelOf(title)
                : -1;
        if (level < 0) {
            // Lone lines are chapters only in a book without others.
            if (!m_hasSections)
                noteLoneLine(text, offset);
            // Before the book's text begins, a short line between two headings ("目录", a
            // chapter's sections) does not end a table of contents.
            m_seenProse = m_seenProse || isProse(trimmed(text));
            if (m_seenProse || ++m_linesAfterHeading > 1)
                closeRun();
            return;
        }
        m_linesAfterHeading = 0;
        m_hasSections = m_hasSections || level == Chapter::Section;
        if (m_runStart < m_chapters.size() && m_lastHeading == title)
            return;
        m_lastHeading = title;
        m_chapters.push_back({ offset, line.size(), titleWithTitleLine(line, title), level });
    }

    QString titleWithTitleLine(QStringView line, QStringView title)
    {
        if (!isBareHeading(title))
            return title.toString();
        for (size_t next = m_line + 1; next < m_lines.size() && next <= m_line + 2; ++next) {
            if (skipSpaces(m_lines[next]).isEmpty())
                continue;
            if (!isTitleLine(m_lines[next], line))
                break;
            m_titleLine = next;
            return title.toString() + u' ' + trimmed(m_lines[next]).toString();
        }
        return title.toString();
    }

    // A long run of headings lists the chapters; only its last one, followed by text, is a
    // chapter of its own, with the volume it opens.
    void closeRun()
    {
        if (m_chapters.size() - m_runStart >= ContentsRunLength) {
            const auto last = m_chapters.end() - 1;
            const bool opensVolume = last->level == Chapter::Section && (last - 1)->level == Chapter::Volume;
            m_chapters.erase(m_chapters.begin() + qsizetype(m_runStart), opensVolume ? last - 1 : last);
        }
        m_runStart = m_chapters.size();
    }

    // After a table of contents is left out, the book may have none.
    bool hasSections() const
    {
        return std::any_of(m_chapters.begin(), m_chapters.end(),
                           [](const Chapter &chapter) { return chapter.level == Chapter::Section; });
    }

    bool isBlank(size_t line) const { return line >= m_lines.size() || skipSpaces(m_lines[line]).isEmpty(); }

    void noteLoneLine(QStringView text, qsizetype offset)
    {
        if (text.size() > MaxUntrimmedLength)
            return;
        const QStringView title = trimmed(text);
        for (int kind = 0; kind < LoneKindCount; ++kind) {
            const int number = kind == int(LoneKind::Standalone)
                    ? (isStandaloneTitle(title) ? 0 : -1)
                    : (title.size() <= MaxLoneTitleLength ? numberOfLoneLine(LoneKind(kind), title) : -1);
            if (number >= 0) {
                m_lone[kind].push_back({ m_line, offset, number });
                return;
            }
        }
    }

    // A title standing alone: a blank line on each side and the text it heads after it.
    bool isStandaloneTitle(QStringView title) const
    {
        if ((m_line > 0 && !isBlank(m_line - 1)) || !isBlank(m_line + 1))
            return false;
        const qsizetype limit = isCjk(title) ? MaxLoneTitleLength : MaxLatinLoneTitleLength;
        if (title.size() > limit || !hasLetter(title) || isOneOf(title.front(), Quotes)
            || hasAnyOf(title, TitleBreakers) || hasAnyOf(title, u"：:…"))
            return false;
        const size_t next = nextTextLine(m_line);
        return next < m_lines.size() && isProse(trimmed(m_lines[next]));
    }

    size_t nextTextLine(size_t line) const
    {
        do
            ++line;
        while (line < m_lines.size() && isBlank(line));
        return line;
    }

    size_t previousTextLine(size_t line) const
    {
        while (line > 0 && isBlank(line - 1))
            --line;
        return line == 0 ? m_lines.size() : line - 1;
    }

    void addLoneHeadings()
    {
        for (int kind = 0; kind < int(LoneKind::Standalone); ++kind) {
            std::vector<LoneLine> headings = loneOnes(m_lone[kind]);
            if (headings.size() >= MinimumLoneHeadings && headings.size() * 2 >= m_lone[kind].size()
                && isCountedUp(headings)) {
                addHeadings(headings);
                return;
            }
        }
        if (m_chapters.empty() && isCollection(m_lone[int(LoneKind::Standalone)]))
            addHeadings(m_lone[int(LoneKind::Standalone)]);
    }

    // The numbered lines that stand alone: no line of the same kind next to them (as in a
    // list), after the end of a paragraph (a page number breaks a sentence) and before text.
    std::vector<LoneLine> loneOnes(const std::vector<LoneLine> &candidates) const
    {
        std::vector<LoneLine> lone;
        for (size_t i = 0; i < candidates.size(); ++i) {
            const size_t previous = previousTextLine(candidates[i].line);
            const size_t next = nextTextLine(candidates[i].line);
            const bool listed = (i > 0 && candidates[i - 1].line == previous)
                    || (i + 1 < candidates.size() && candidates[i + 1].line == next);
            const bool afterParagraph = previous == m_lines.size() || endsParagraph(m_lines[previous]);
            if (!listed && afterParagraph && next < m_lines.size())
                lone.push_back(candidates[i]);
        }
        return lone;
    }

    // A paragraph of text ends, or a short line without a sentence in it (a volume's heading).
    static bool endsParagraph(QStringView line)
    {
        const QStringView text = trimmed(line);
        return isOneOf(text.back(), ParagraphEnds)
                || (text.size() <= ChapterDetector::MaxHeadingLength && !hasAnyOf(text, TitleBreakers));
    }

    // Chapter numbers go up one at a time, starting again at one in a new volume.
    static bool isCountedUp(const std::vector<LoneLine> &headings)
    {
        size_t inOrder = 0;
        for (size_t i = 1; i < headings.size(); ++i) {
            if (headings[i].number == headings[i - 1].number + 1 || headings[i].number == 1)
                ++inOrder;
        }
        return inOrder * 4 >= (headings.size() - 1) * 3;
    }

    static bool isCollection(const std::vector<LoneLine> &titles)
    {
        if (titles.size() < MinimumLoneHeadings)
            return false;
        std::vector<qsizetype> gaps;
        for (size_t i = 1; i < titles.size(); ++i)
            gaps.push_back(titles[i].offset - titles[i - 1].offset);
        std::nth_element(gaps.begin(), gaps.begin() + qsizetype(gaps.size() / 2), gaps.end());
        return gaps[gaps.size() / 2] >= MinimumPieceLength;
    }

    void addHeadings(const std::vector<LoneLine> &headings)
    {
        std::vector<Chapter> chapters;
        chapters.reserve(headings.size());
        for (const LoneLine &heading : headings) {
            const QStringView line = m_lines[heading.line];
            chapters.push_back({ heading.offset, line.size(), trimmed(line).toString(), Chapter::Section });
        }
        std::vector<Chapter> merged;
        std::merge(m_chapters.begin(), m_chapters.end(), chapters.begin(), chapters.end(),
                   std::back_inserter(merged),
                   [](const Chapter &a, const Chapter &b) { return a.offset < b.offset; });
        m_chapters = std::move(merged);
    }

    // The passage's first words: whole words where words are spaced.
    static QString passageName(QStringView text)
    {
        const bool spaced = !isCjk(text.first(qMin(text.size(), PassageNameLength)));
        qsizetype end = spaced ? LatinPassageNameLength : PassageNameLength;
        if (text.size() <= end)
            return text.toString();
        if (spaced) {
            const qsizetype space = text.first(end + 1).lastIndexOf(u' ');
            if (space > 0)
                end = space;
        }
        return trimmed(text.first(end)).toString() + u'…';
    }

    const std::vector<QStringView> &m_lines;
    size_t m_line = 0;
    std::vector<Chapter> m_chapters;
    size_t m_runStart = 0;
    QStringView m_lastHeading;
    size_t m_titleLine = size_t(-1);
    bool m_seenProse = false;
    int m_linesAfterHeading = 0;
    bool m_hasSections = false;
    std::array<std::vector<LoneLine>, LoneKindCount> m_lone;
};

}

std::vector<Chapter> ChapterDetector::detect(QStringView text)
{
    return detect(Paginator::paragraphsOf(text));
}

std::vector<Chapter> ChapterDetector::detect(const std::vector<QStringView> &lines)
{
    return BookScan(lines).chapters();
}

std::vector<Chapter> ChapterDetector::contents(const std::vector<QStringView> &lines)
{
    std::vector<Chapter> chapters = detect(lines);
    return chapters.empty() ? BookScan::passagesOf(lines) : chapters;
}

std::vector<Chapter> ChapterDetector::passagesOf(const std::vector<QStringView> &lines)
{
    return BookScan::passagesOf(lines);
}

int ChapterDetector::levelOf(QStringView trimmedLine)
{
    if (trimmedLine.isEmpty() || isTableRow(trimmedLine))
        return -1;
    return decoratedLevel(trimmedLine);
}

bool ChapterDetector::mayStartHeading(QChar first)
{
    if (first.unicode() < 0x80)
        return first.isLetter() || first == u'[' || first == u'(';
    // Asked of nearly every line of a long book: a table answers at once.
    static const std::bitset<0x10000> headingStarts = [] {
        std::bitset<0x10000> starts;
        for (QStringView set : { QStringView(u"第正卷序楔引前尾后後番终終完プエ【〖（《"), Bullets }) {
            for (QChar c : set)
                starts.set(c.unicode());
        }
        return starts;
    }();
    return headingStarts.test(first.unicode());
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
