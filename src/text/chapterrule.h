#ifndef CHAPTERRULE_H
#define CHAPTERRULE_H

#include "chapterdetector.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QString>
#include <QStringView>

#include <vector>

// How a book's headings are found: automatically (ChapterDetector), by one of a few named
// kinds of heading line, or by a regular expression of the reader's own, which a line with
// its surrounding spaces trimmed must match somewhere. A line longer than a heading can be
// is never one. A book in which the rule finds no heading gets passages, as without a rule.
// Kept as a short key: empty for automatic, "preset:<name>" or "pattern:<expression>".
class ChapterRule
{
    Q_DECLARE_TR_FUNCTIONS(ChapterRule)

public:
    enum class Kind { Automatic, NumberedChapters, EnglishChapters, NumberedWithComma, LoneNumbers, Pattern };

    ChapterRule() = default;
    explicit ChapterRule(Kind kind, const QString &pattern = QString());

    static ChapterRule fromKey(const QString &key);
    QString key() const;
    // The kinds a reader chooses from, Pattern last, and how each is named.
    static QList<Kind> kinds();
    static QString nameOf(Kind kind);

    Kind kind() const { return m_kind; }
    // The expression lines are matched with; empty for automatic detection.
    QString pattern() const;
    // Whether the rule can find headings: automatic, or an expression that compiles.
    bool isValid() const;
    QString error() const { return m_expression.errorString(); }

    std::vector<Chapter> headingsIn(const std::vector<QStringView> &lines) const;
    // The headings, or passages where there are none.
    std::vector<Chapter> contentsOf(const std::vector<QStringView> &lines) const;

    bool operator==(const ChapterRule &other) const { return key() == other.key(); }
    bool operator!=(const ChapterRule &other) const { return !(*this == other); }

private:
    static QString presetPattern(Kind kind);
    static QString presetName(Kind kind);

    Kind m_kind = Kind::Automatic;
    QString m_pattern; // the reader's own, for Pattern
    QRegularExpression m_expression;
};

#endif
