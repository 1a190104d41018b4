#include "chapterrule.h"

namespace {

const QString PresetPrefix = QStringLiteral("preset:");
const QString PatternPrefix = QStringLiteral("pattern:");

constexpr QStringView Numerals = u"0-9０-９零〇一二三四五六七八九十百千万两";

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

QStringView trimmed(QStringView line)
{
    while (!line.isEmpty() && isSpace(line.front()))
        line = line.sliced(1);
    while (!line.isEmpty() && isSpace(line.back()))
        line.chop(1);
    return line;
}

}

ChapterRule::ChapterRule(Kind kind, const QString &pattern)
    : m_kind(kind)
    , m_pattern(kind == Kind::Pattern ? pattern : QString())
{
    if (m_kind != Kind::Automatic)
        m_expression = QRegularExpression(this->pattern(), QRegularExpression::UseUnicodePropertiesOption);
}

QList<ChapterRule::Kind> ChapterRule::kinds()
{
    return { Kind::Automatic, Kind::NumberedChapters, Kind::EnglishChapters, Kind::NumberedWithComma,
             Kind::LoneNumbers, Kind::Pattern };
}

QString ChapterRule::nameOf(Kind kind)
{
    switch (kind) {
    case Kind::Automatic:
        return tr("自动识别");
    case Kind::NumberedChapters:
        return tr("“第…章”“第…回”“第…节”");
    case Kind::EnglishChapters:
        return tr("“Chapter N”");
    case Kind::NumberedWithComma:
        return tr("“一、”开头的行");
    case Kind::LoneNumbers:
        return tr("只有数字的行");
    case Kind::Pattern:
        return tr("正则表达式");
    }
    return {};
}

// The names kept in the key, which stay the same whatever the interface language.
QString ChapterRule::presetName(Kind kind)
{
    switch (kind) {
    case Kind::NumberedChapters:
        return QStringLiteral("numbered-chapters");
    case Kind::EnglishChapters:
        return QStringLiteral("english-chapters");
    case Kind::NumberedWithComma:
        return QStringLiteral("numbered-with-comma");
    case Kind::LoneNumbers:
        return QStringLiteral("lone-numbers");
    case Kind::Automatic:
    case Kind::Pattern:
        break;
    }
    return {};
}

QString ChapterRule::presetPattern(Kind kind)
{
    const QString numerals = Numerals.toString();
    switch (kind) {
    case Kind::NumberedChapters:
        // Prose that starts like a heading ("第三章里说过的事，…") goes on into a sentence.
        return QStringLiteral("^第[%1]+[章回节節](?!.*[，。！？；,.!?;])").arg(numerals);
    case Kind::EnglishChapters:
        return QStringLiteral("(?i)^chapter\\s+([0-9]+|[ivxlcdm]+)\\b");
    case Kind::NumberedWithComma:
        return QStringLiteral("^[%1]+、\\S").arg(numerals);
    case Kind::LoneNumbers:
        return QStringLiteral("^[0-9０-９]+$");
    case Kind::Automatic:
    case Kind::Pattern:
        break;
    }
    return {};
}

ChapterRule ChapterRule::fromKey(const QString &key)
{
    if (key.startsWith(PatternPrefix))
        return ChapterRule(Kind::Pattern, key.mid(PatternPrefix.size()));
    if (key.startsWith(PresetPrefix)) {
        const QString name = key.mid(PresetPrefix.size());
        for (Kind kind : kinds()) {
            if (!presetName(kind).isEmpty() && presetName(kind) == name)
                return ChapterRule(kind);
        }
    }
    return ChapterRule();
}

QString ChapterRule::key() const
{
    switch (m_kind) {
    case Kind::Automatic:
        return QString();
    case Kind::Pattern:
        return PatternPrefix + m_pattern;
    default:
        return PresetPrefix + presetName(m_kind);
    }
}

QString ChapterRule::pattern() const
{
    return m_kind == Kind::Pattern ? m_pattern : presetPattern(m_kind);
}

bool ChapterRule::isValid() const
{
    return m_kind == Kind::Automatic || (m_expression.isValid() && !m_expression.pattern().isEmpty());
}

std::vector<Chapter> ChapterRule::headingsIn(const std::vector<QStringView> &lines) const
{
    if (m_kind == Kind::Automatic)
        return ChapterDetector::detect(lines);
    std::vector<Chapter> headings;
    if (!isValid())
        return headings;
    qsizetype offset = 0;
    for (QStringView line : lines) {
        const QStringView title = trimmed(line);
        if (!title.isEmpty() && title.size() <= ChapterDetector::MaxHeadingLength
            && m_expression.match(title).hasMatch())
            headings.push_back({ offset, line.size(), title.toString(), Chapter::Section });
        offset += line.size() + 1;
    }
    return headings;
}

std::vector<Chapter> ChapterRule::contentsOf(const std::vector<QStringView> &lines) const
{
    if (m_kind == Kind::Automatic)
        return ChapterDetector::contents(lines);
    std::vector<Chapter> headings = headingsIn(lines);
    return headings.empty() ? ChapterDetector::passagesOf(lines) : headings;
}
