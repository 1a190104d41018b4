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
        if (needsReplacement(*it)) {
            *it = replacementFor(*it);
            ++replaced;
        }
    }
    return replaced;
}

QChar TextSanitizer::replacementFor(QChar c)
{
    switch (c.unicode()) {
    case u'\v':
    case u'\f':
    case 0x2028:
    case 0x2029:
        return u'\n';
    default:
        return QChar::ReplacementCharacter;
    }
}
