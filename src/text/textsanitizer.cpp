#include "textsanitizer.h"

#include <algorithm>

qsizetype TextSanitizer::sanitize(QString &text)
{
    // Nearly every book is clean: look before detaching the string.
    const auto first = std::find_if(text.cbegin(), text.cend(), needsReplacement);
    if (first == text.cend())
        return 0;

    qsizetype replaced = 0;
    for (auto it = text.begin() + (first - text.cbegin()); it != text.end(); ++it) {
        const QChar replacement = replacementFor(*it);
        if (replacement != *it) {
            *it = replacement;
            ++replaced;
        }
    }
    return replaced;
}

QChar TextSanitizer::replacementFor(QChar c)
{
    const char16_t unit = c.unicode();
    switch (unit) {
    case u'\t':
    case u'\n':
    case u'\r':
        return c;
    case u'\v':
    case u'\f':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return u'\n';
    default:
        break;
    }
    const bool isControl = unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
    return isControl ? QChar(QChar::ReplacementCharacter) : c;
}
