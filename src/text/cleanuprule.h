#ifndef CLEANUPRULE_H
#define CLEANUPRULE_H

#include <QMetaType>
#include <QString>

// One rule for cleaning a book's lines: what it looks for, and whether a match drops the
// whole line or is replaced where it stands. Two kinds are built in, looking for what no
// pattern written by hand catches well: a line that is only a web address, and a line
// spelling a site's name with stray symbols between its letters.
struct CleanupRule
{
    enum class Kind { PlainText, RegularExpression, WebAddressLine, SpelledOutSiteLine };
    enum class Scope {
        WholeLine, // a line holding a match is dropped; a plain text or pattern must match all of it
        Span       // each match is replaced with the replacement
    };

    QString name;
    Kind kind = Kind::PlainText;
    QString pattern;
    Scope scope = Scope::WholeLine;
    QString replacement;
    bool enabled = true;

    bool operator==(const CleanupRule &other) const
    {
        return name == other.name && kind == other.kind && pattern == other.pattern && scope == other.scope
                && replacement == other.replacement && enabled == other.enabled;
    }
    bool operator!=(const CleanupRule &other) const { return !(*this == other); }
    bool isBuiltIn() const { return kind == Kind::WebAddressLine || kind == Kind::SpelledOutSiteLine; }
};

Q_DECLARE_METATYPE(CleanupRule)

#endif
