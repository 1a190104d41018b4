#ifndef LINECLEANER_H
#define LINECLEANER_H

#include "cleanuprule.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QString>
#include <QStringView>

#include <vector>

// Applies a list of clean-up rules to the lines of a book: which lines are dropped, and what
// the others read with their spans replaced. The built-in rules drop the watermarks download
// sites scatter through their books ("www.example.net", "小-说-t-xt-天.堂", "wＷw．exＡmple．neｔ")
// and nothing else: a line with words of prose around an address, or any sentence, is kept.
class LineCleaner
{
    Q_DECLARE_TR_FUNCTIONS(LineCleaner)

public:
    explicit LineCleaner(std::vector<CleanupRule> rules = builtInRules());

    static std::vector<CleanupRule> builtInRules();
    const std::vector<CleanupRule> &rules() const { return m_rules; }
    // Whether a rule written by hand is valid (a pattern that compiles, matching something).
    static bool isValid(const CleanupRule &rule);

    // The first enabled rule dropping the line, or -1.
    int droppingRule(QStringView line) const;
    // The line with the spans of the enabled span rules replaced.
    QString replaced(QStringView line) const;
    // Where the enabled span rules match in the line, as sorted, non-overlapping ranges, each
    // with what replaces it (overlapping matches take the first one's).
    struct Span
    {
        qsizetype start;
        qsizetype end;
        QString replacement;
    };
    std::vector<Span> spans(QStringView line) const;
    // How many of the lines each rule drops or changes, in the order of the rules.
    std::vector<int> hits(const std::vector<QStringView> &lines) const;

    static bool isWebAddressLine(QStringView line);
    static bool isSpelledOutSiteLine(QStringView line);

private:
    bool matchesWholeLine(size_t rule, QStringView line) const;
    static QString replacementOf(const CleanupRule &rule, const QRegularExpressionMatch &match);

    std::vector<CleanupRule> m_rules;
    std::vector<QRegularExpression> m_expressions; // one for each rule; empty for the built-in kinds
};

#endif
