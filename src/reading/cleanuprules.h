#ifndef CLEANUPRULES_H
#define CLEANUPRULES_H

#include "bookcleanuprule.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>
#include <vector>

// A book's list of clean-up rules: the built-in ones first, always there once, then the
// reader's own. Also how the list is written out and read back as JSON, and how each kind
// and scope is named where the list is stored.
class CleanupRules
{
    Q_DECLARE_TR_FUNCTIONS(CleanupRules)

public:
    // The built-in rules, on unless stored as off, followed by the reader's rules as stored.
    static std::vector<BookCleanupRule> withBuiltIns(const std::vector<BookCleanupRule> &stored);
    // The rules a book is cleaned with: those turned on.
    static std::vector<CleanupRule> enabled(const std::vector<BookCleanupRule> &rules);

    static QByteArray toJson(const std::vector<BookCleanupRule> &rules);
    // The rules of a JSON file written by toJson; nothing and the reason (in the reader's
    // language) when the file is not such a list or holds a rule that cannot work.
    static std::optional<std::vector<BookCleanupRule>> fromJson(const QByteArray &json, QString *error);
    // The rules with those read merged in: a built-in rule takes the state read, a rule of
    // the reader's is added unless the same one is there already.
    static std::vector<BookCleanupRule> merged(std::vector<BookCleanupRule> rules,
                                               const std::vector<BookCleanupRule> &read);

    static QString keyOf(CleanupRule::Kind kind);
    static std::optional<CleanupRule::Kind> kindOf(const QString &key);
    static QString keyOf(CleanupRule::Scope scope);
    static std::optional<CleanupRule::Scope> scopeOf(const QString &key);
};

#endif
