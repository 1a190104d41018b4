#include "cleanuprules.h"

#include "linecleaner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <utility>

namespace {

const QString FormatKey = QStringLiteral("lexorinCleanupRules");
constexpr int FormatVersion = 1;

constexpr std::array<std::pair<CleanupRule::Kind, QStringView>, 4> KindKeys{ {
        { CleanupRule::Kind::PlainText, u"plainText" },
        { CleanupRule::Kind::RegularExpression, u"regularExpression" },
        { CleanupRule::Kind::WebAddressLine, u"webAddressLine" },
        { CleanupRule::Kind::SpelledOutSiteLine, u"spelledOutSiteLine" },
} };
constexpr std::array<std::pair<CleanupRule::Scope, QStringView>, 2> ScopeKeys{ {
        { CleanupRule::Scope::WholeLine, u"wholeLine" },
        { CleanupRule::Scope::Span, u"span" },
} };

template<typename Value, size_t N>
QString keyIn(const std::array<std::pair<Value, QStringView>, N> &keys, Value value)
{
    const auto found = std::find_if(keys.begin(), keys.end(), [value](const auto &key) { return key.first == value; });
    return found == keys.end() ? QString() : found->second.toString();
}

template<typename Value, size_t N>
std::optional<Value> valueIn(const std::array<std::pair<Value, QStringView>, N> &keys, const QString &key)
{
    const auto found = std::find_if(keys.begin(), keys.end(), [&key](const auto &entry) { return entry.second == key; });
    return found == keys.end() ? std::nullopt : std::optional<Value>(found->first);
}

bool sameKind(const BookCleanupRule &a, const BookCleanupRule &b)
{
    return a.rule.kind == b.rule.kind;
}

}

std::vector<BookCleanupRule> CleanupRules::withBuiltIns(const std::vector<BookCleanupRule> &stored)
{
    std::vector<BookCleanupRule> rules;
    for (const CleanupRule &builtIn : LineCleaner::builtInRules()) {
        BookCleanupRule rule{ builtIn, true };
        const auto kept = std::find_if(stored.begin(), stored.end(),
                                       [&rule](const BookCleanupRule &other) { return sameKind(rule, other); });
        if (kept != stored.end())
            rule.rule.enabled = kept->rule.enabled;
        rules.push_back(rule);
    }
    std::copy_if(stored.begin(), stored.end(), std::back_inserter(rules),
                 [](const BookCleanupRule &rule) { return !rule.rule.isBuiltIn(); });
    return rules;
}

std::vector<CleanupRule> CleanupRules::enabled(const std::vector<BookCleanupRule> &rules)
{
    std::vector<CleanupRule> on;
    for (const BookCleanupRule &rule : rules) {
        if (rule.rule.enabled)
            on.push_back(rule.rule);
    }
    return on;
}

QByteArray CleanupRules::toJson(const std::vector<BookCleanupRule> &rules)
{
    QJsonArray list;
    for (const BookCleanupRule &rule : rules) {
        QJsonObject entry{ { QStringLiteral("kind"), keyOf(rule.rule.kind) },
                           { QStringLiteral("enabled"), rule.rule.enabled } };
        if (!rule.rule.isBuiltIn()) {
            entry.insert(QStringLiteral("name"), rule.rule.name);
            entry.insert(QStringLiteral("pattern"), rule.rule.pattern);
            entry.insert(QStringLiteral("scope"), keyOf(rule.rule.scope));
            entry.insert(QStringLiteral("replacement"), rule.rule.replacement);
            entry.insert(QStringLiteral("allBooks"), rule.forAllBooks);
        }
        list.append(entry);
    }
    return QJsonDocument(QJsonObject{ { FormatKey, FormatVersion }, { QStringLiteral("rules"), list } })
            .toJson(QJsonDocument::Indented);
}

std::optional<std::vector<BookCleanupRule>> CleanupRules::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = tr("文件不是有效的 JSON：%1").arg(parseError.errorString());
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(FormatKey).toInt() != FormatVersion || !root.value(QStringLiteral("rules")).isArray()) {
        *error = tr("文件里没有清理规则。");
        return std::nullopt;
    }
    std::vector<BookCleanupRule> rules;
    const QJsonArray list = root.value(QStringLiteral("rules")).toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject entry = list.at(i).toObject();
        const std::optional<CleanupRule::Kind> kind = kindOf(entry.value(QStringLiteral("kind")).toString());
        const std::optional<CleanupRule::Scope> scope = scopeOf(
                entry.value(QStringLiteral("scope")).toString(keyOf(CleanupRule::Scope::WholeLine)));
        BookCleanupRule rule;
        if (kind && scope) {
            rule.rule.kind = *kind;
            rule.rule.scope = *scope;
            rule.rule.name = entry.value(QStringLiteral("name")).toString();
            rule.rule.pattern = entry.value(QStringLiteral("pattern")).toString();
            rule.rule.replacement = entry.value(QStringLiteral("replacement")).toString();
            rule.rule.enabled = entry.value(QStringLiteral("enabled")).toBool(true);
            rule.forAllBooks = rule.rule.isBuiltIn() || entry.value(QStringLiteral("allBooks")).toBool(true);
        }
        if (!kind || !scope || !list.at(i).isObject() || !LineCleaner::isValid(rule.rule)) {
            *error = tr("第 %1 条规则无法使用。").arg(i + 1);
            return std::nullopt;
        }
        rules.push_back(rule);
    }
    return rules;
}

std::vector<BookCleanupRule> CleanupRules::merged(std::vector<BookCleanupRule> rules,
                                                  const std::vector<BookCleanupRule> &read)
{
    for (const BookCleanupRule &rule : read) {
        if (rule.rule.isBuiltIn()) {
            for (BookCleanupRule &builtIn : rules) {
                if (sameKind(builtIn, rule))
                    builtIn.rule.enabled = rule.rule.enabled;
            }
        } else if (std::find(rules.begin(), rules.end(), rule) == rules.end()) {
            rules.push_back(rule);
        }
    }
    return rules;
}

QString CleanupRules::keyOf(CleanupRule::Kind kind)
{
    return keyIn(KindKeys, kind);
}

std::optional<CleanupRule::Kind> CleanupRules::kindOf(const QString &key)
{
    return valueIn(KindKeys, key);
}

QString CleanupRules::keyOf(CleanupRule::Scope scope)
{
    return keyIn(ScopeKeys, scope);
}

std::optional<CleanupRule::Scope> CleanupRules::scopeOf(const QString &key)
{
    return valueIn(ScopeKeys, key);
}
