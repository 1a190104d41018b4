#ifndef TEXTFINDER_H
#define TEXTFINDER_H

#include <QString>
#include <QStringMatcher>
#include <QStringView>

#include <functional>
#include <vector>

// Finds a text in a book's text, literally, letters matching in either case (Unicode case
// folding: Latin, Greek, Cyrillic and the like; Chinese has no case). The book is searched as
// one text, so a match may run over a page break. Offsets are those of the text searched.
// A long search checks now and then whether it is still wanted.
class TextFinder
{
public:
    using Cancelled = std::function<bool()>;

    struct Match
    {
        qsizetype offset = -1;
        // Found only after going round from the other end of the text.
        bool wrapped = false;
        bool isValid() const { return offset >= 0; }
    };

    explicit TextFinder(const QString &query);

    QString query() const { return m_query; }
    qsizetype length() const { return m_query.size(); }

    // The first match starting at or after from, or -1.
    qsizetype next(QStringView text, qsizetype from, const Cancelled &isCancelled = {}) const;
    // The last match starting before before, or -1.
    qsizetype previous(QStringView text, qsizetype before, const Cancelled &isCancelled = {}) const;
    // The same, going round to the start (or the end) when nothing lies that way.
    Match nextWrapping(QStringView text, qsizetype from) const;
    Match previousWrapping(QStringView text, qsizetype before) const;
    // Every match, none overlapping the one before; none at all when cancelled.
    std::vector<qsizetype> all(QStringView text, const Cancelled &isCancelled = {}) const;

private:
    qsizetype indexIn(QStringView text, qsizetype from, qsizetype to,
                      const Cancelled &isCancelled) const;

    QString m_query;
    Qt::CaseSensitivity m_case;
    QStringMatcher m_matcher;
};

#endif
