#include "headingnumbers.h"

#include <algorithm>

namespace {

constexpr QStringView Units = u"〇一二三四五六七八九";
constexpr QStringView Numerals = u"〇零一二三四五六七八九十百千两";
constexpr QStringView Scales = u"十百千";
// A heading's number is never this long; a longer run is no number to look for.
constexpr qsizetype MaxDigits = 9;

int digitValue(QChar c)
{
    return c.unicode() >= 0xFF10 ? c.unicode() - 0xFF10 : c.unicode() - u'0';
}

int digitsValue(QStringView digits)
{
    int value = 0;
    for (QChar c : digits)
        value = value * 10 + digitValue(c);
    return value;
}

// The numerals of a run of one kind starting at `start`, and where it ends.
qsizetype runEnd(QStringView text, qsizetype start, bool (*belongs)(QChar))
{
    qsizetype end = start;
    while (end < text.size() && belongs(text[end]))
        ++end;
    return end;
}

}

bool HeadingNumbers::isDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19);
}

bool HeadingNumbers::isChineseNumeral(QChar c)
{
    return Numerals.contains(c);
}

int HeadingNumbers::chineseValue(QStringView numerals)
{
    const bool counted = std::any_of(numerals.begin(), numerals.end(),
                                     [](QChar c) { return Scales.contains(c); });
    int value = 0;
    int digit = 0;
    for (QChar c : numerals) {
        const qsizetype unit = Units.indexOf(c);
        if (unit >= 0)
            digit = int(unit);
        else if (c == u'零')
            digit = 0;
        else if (c == u'两')
            digit = 2;
        else {
            const int scale = c == u'十' ? 10 : c == u'百' ? 100 : 1000;
            value += (digit == 0 ? 1 : digit) * scale;
            digit = 0;
            continue;
        }
        // Without 十, 百 or 千 the numerals are digits in a row: 一二〇 is 120.
        if (!counted)
            value = value * 10 + digit;
    }
    return counted ? value + digit : value;
}

int HeadingNumbers::valueOf(QStringView number)
{
    if (number.isEmpty() || number.size() > MaxDigits)
        return -1;
    if (runEnd(number, 0, isDigit) == number.size())
        return digitsValue(number);
    if (runEnd(number, 0, isChineseNumeral) == number.size())
        return chineseValue(number);
    return -1;
}

QList<int> HeadingNumbers::numbersIn(QStringView text)
{
    QList<int> numbers;
    qsizetype i = 0;
    while (i < text.size()) {
        const auto kind = isDigit(text[i]) ? isDigit : isChineseNumeral(text[i]) ? isChineseNumeral : nullptr;
        if (!kind) {
            ++i;
            continue;
        }
        const qsizetype end = runEnd(text, i, kind);
        if (end - i <= MaxDigits)
            numbers.append(kind == isDigit ? digitsValue(text.sliced(i, end - i))
                                           : chineseValue(text.sliced(i, end - i)));
        i = end;
    }
    return numbers;
}
