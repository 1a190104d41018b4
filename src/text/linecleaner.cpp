#include "linecleaner.h"

#include <algorithm>
#include <array>

namespace {

// Watermarks are short; a longer line is text whatever it holds.
constexpr qsizetype MaxWatermarkLength = 120;
// A sentence: no watermark has its punctuation.
constexpr QStringView ProseMarks = u"。，！？；“”‘’…」』";
// Of the pieces between the stray symbols, at least this share spell a letter or two.
constexpr double ShortPiecesInSpelledName = 0.5;

constexpr std::array<QStringView, 26> TopLevelDomains{ {
        u"com", u"net", u"org", u"cn", u"cc", u"info", u"top", u"xyz", u"me", u"tw", u"hk", u"io",
        u"co", u"biz", u"la", u"so", u"tv", u"vip", u"club", u"site", u"online", u"wang", u"us",
        u"uk", u"in", u"ws",
} };
constexpr std::array<QStringView, 7> LatinSiteWords{ { u"txt", u"www", u"com", u"net", u"org", u"cn", u"http" } };
constexpr std::array<QStringView, 11> ChineseSiteWords{ {
        u"小说", u"天堂", u"书包", u"书屋", u"文学", u"下载", u"首发", u"上传", u"电子书", u"网站", u"书网",
} };

QString folded(QStringView line)
{
    return line.toString().normalized(QString::NormalizationForm_KC).toLower();
}

bool isProseMark(QChar c)
{
    const char16_t *const end = ProseMarks.utf16() + ProseMarks.size();
    return std::find(ProseMarks.utf16(), end, c.unicode()) != end;
}

// Most lines of a book are passed over on their length or on the full stop that ends them.
bool looksLikeWatermark(QStringView line)
{
    return !line.isEmpty() && line.size() <= MaxWatermarkLength && !isProseMark(line.back())
            && std::none_of(line.begin(), line.end(), isProseMark);
}

QStringView withoutOuterSymbols(QStringView text)
{
    while (!text.isEmpty() && !text.front().isLetterOrNumber())
        text = text.sliced(1);
    while (!text.isEmpty() && !text.back().isLetterOrNumber() && text.back() != u'/')
        text.chop(1);
    return text;
}

template<size_t N>
int countContained(const QString &text, const std::array<QStringView, N> &words)
{
    return int(std::count_if(words.begin(), words.end(), [&text](QStringView word) { return text.contains(word); }));
}

}

LineCleaner::LineCleaner(std::vector<CleanupRule> rules) : m_rules(std::move(rules))
{
    m_expressions.reserve(m_rules.size());
    for (const CleanupRule &rule : m_rules) {
        QRegularExpression expression;
        if (rule.kind == CleanupRule::Kind::RegularExpression)
            expression.setPattern(rule.scope == CleanupRule::Scope::WholeLine
                                          ? QRegularExpression::anchoredPattern(rule.pattern)
                                          : rule.pattern);
        else if (rule.kind == CleanupRule::Kind::PlainText)
            expression.setPattern(QRegularExpression::escape(rule.pattern));
        expression.optimize();
        m_expressions.push_back(expression);
    }
}

std::vector<CleanupRule> LineCleaner::builtInRules()
{
    return {
        { tr("只有网址的行"), CleanupRule::Kind::WebAddressLine, {},
          CleanupRule::Scope::WholeLine, {}, true },
        { tr("夹着杂乱符号的网站名"), CleanupRule::Kind::SpelledOutSiteLine, {},
          CleanupRule::Scope::WholeLine, {}, true },
    };
}

bool LineCleaner::isValid(const CleanupRule &rule)
{
    if (rule.kind == CleanupRule::Kind::WebAddressLine || rule.kind == CleanupRule::Kind::SpelledOutSiteLine)
        return true;
    if (rule.pattern.isEmpty())
        return false;
    return rule.kind == CleanupRule::Kind::PlainText || QRegularExpression(rule.pattern).isValid();
}

int LineCleaner::droppingRule(QStringView line) const
{
    for (size_t rule = 0; rule < m_rules.size(); ++rule) {
        if (m_rules[rule].enabled && m_rules[rule].scope == CleanupRule::Scope::WholeLine
            && matchesWholeLine(rule, line))
            return int(rule);
    }
    return -1;
}

bool LineCleaner::matchesWholeLine(size_t rule, QStringView line) const
{
    const QStringView text = line.trimmed();
    switch (m_rules[rule].kind) {
    case CleanupRule::Kind::WebAddressLine:
        return isWebAddressLine(text);
    case CleanupRule::Kind::SpelledOutSiteLine:
        return isSpelledOutSiteLine(text);
    case CleanupRule::Kind::PlainText:
        return !text.isEmpty() && text == m_rules[rule].pattern;
    case CleanupRule::Kind::RegularExpression:
        return !text.isEmpty() && m_expressions[rule].isValid() && m_expressions[rule].match(text).hasMatch();
    }
    return false;
}

QString LineCleaner::replaced(QStringView line) const
{
    QString text = line.toString();
    for (size_t rule = 0; rule < m_rules.size(); ++rule) {
        const CleanupRule &cleanup = m_rules[rule];
        if (!cleanup.enabled || cleanup.scope != CleanupRule::Scope::Span || cleanup.pattern.isEmpty())
            continue;
        if (cleanup.kind == CleanupRule::Kind::PlainText)
            text.replace(cleanup.pattern, cleanup.replacement);
        else if (m_expressions[rule].isValid())
            text.replace(m_expressions[rule], cleanup.replacement);
    }
    return text;
}

// A regular expression's replacement may name its groups, \1 to \9, as QString::replace takes them.
QString LineCleaner::replacementOf(const CleanupRule &rule, const QRegularExpressionMatch &match)
{
    if (rule.kind != CleanupRule::Kind::RegularExpression || !rule.replacement.contains(u'\\'))
        return rule.replacement;
    QString replacement = rule.replacement;
    for (int group = 9; group >= 0; --group)
        replacement.replace(QStringLiteral("\\%1").arg(group), match.captured(group));
    return replacement;
}

std::vector<LineCleaner::Span> LineCleaner::spans(QStringView line) const
{
    std::vector<Span> found;
    for (size_t rule = 0; rule < m_rules.size(); ++rule) {
        const CleanupRule &cleanup = m_rules[rule];
        if (!cleanup.enabled || cleanup.scope != CleanupRule::Scope::Span || cleanup.pattern.isEmpty()
            || !m_expressions[rule].isValid())
            continue;
        for (QRegularExpressionMatchIterator matches = m_expressions[rule].globalMatch(line); matches.hasNext();) {
            const QRegularExpressionMatch match = matches.next();
            if (match.capturedLength() > 0)
                found.push_back({ match.capturedStart(), match.capturedEnd(), replacementOf(cleanup, match) });
        }
    }
    std::sort(found.begin(), found.end(), [](const Span &a, const Span &b) { return a.start < b.start; });
    std::vector<Span> merged;
    for (const Span &span : found) {
        if (!merged.empty() && span.start <= merged.back().end)
            merged.back().end = qMax(merged.back().end, span.end);
        else
            merged.push_back(span);
    }
    return merged;
}

std::vector<int> LineCleaner::hits(const std::vector<QStringView> &lines) const
{
    std::vector<int> counts(m_rules.size(), 0);
    for (QStringView line : lines) {
        const int dropping = droppingRule(line);
        if (dropping >= 0) {
            ++counts[size_t(dropping)];
            continue;
        }
        for (size_t rule = 0; rule < m_rules.size(); ++rule) {
            if (m_rules[rule].enabled && m_rules[rule].scope == CleanupRule::Scope::Span
                && m_expressions[rule].isValid() && !m_rules[rule].pattern.isEmpty()
                && m_expressions[rule].match(line).hasMatch())
                ++counts[rule];
        }
    }
    return counts;
}

// "www.example.net", "http://m.example.com/book/12.html", "【ｗｗｗ．ｅｘａｍｐｌｅ．ｃｃ】":
// the address alone, with at most brackets or symbols around it.
bool LineCleaner::isWebAddressLine(QStringView line)
{
    line = line.trimmed();
    if (!looksLikeWatermark(line) || (!line.contains(u'.') && !line.contains(u'．')))
        return false;
    static const QRegularExpression address(
            QStringLiteral("^(?<scheme>(?:https?|ftp)://)?(?:[a-z0-9-]+\\.)+(?<domain>[a-z]{2,})(?::\\d+)?(?:/\\S*)?$"));
    const QString text = folded(line);
    const QRegularExpressionMatch match = address.match(withoutOuterSymbols(text));
    if (!match.hasMatch())
        return false;
    const QStringView domain = match.capturedView(u"domain");
    return match.hasCaptured(u"scheme") || withoutOuterSymbols(text).startsWith(u"www.")
            || std::find(TopLevelDomains.begin(), TopLevelDomains.end(), domain) != TopLevelDomains.end();
}

// "小-说-t-xt-天.堂", "书 包 网 txt小说上传分享": the letters of a site's name pulled apart by
// symbols or spaces, so that no search for the name finds them.
bool LineCleaner::isSpelledOutSiteLine(QStringView line)
{
    line = line.trimmed();
    if (!looksLikeWatermark(line))
        return false;
    const QString text = folded(line);
    QString letters;
    int pieces = 0;
    int shortPieces = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (!text[i].isLetterOrNumber()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && text[i].isLetterOrNumber())
            ++i;
        letters += QStringView(text).sliced(start, i - start);
        ++pieces;
        shortPieces += i - start <= 2 ? 1 : 0;
    }
    if (pieces < 3 || double(shortPieces) < ShortPiecesInSpelledName * pieces)
        return false;
    return countContained(letters, LatinSiteWords) > 0 || countContained(letters, ChineseSiteWords) >= 2;
}
