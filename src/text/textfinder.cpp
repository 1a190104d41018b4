#include "textfinder.h"

namespace {

// How much text is searched between two checks whether the search is still wanted.
constexpr qsizetype Stretch = 1 << 20;

bool hasCase(const QString &text)
{
    return text.toLower() != text || text.toUpper() != text;
}

bool cancelled(const TextFinder::Cancelled &isCancelled)
{
    return isCancelled && isCancelled();
}

}

// A text without letters that have case (Chinese, digits) matches only itself under case
// folding, and matching it as it is runs several times faster than folding every character.
TextFinder::TextFinder(const QString &query)
    : m_query(query)
    , m_case(hasCase(query) ? Qt::CaseInsensitive : Qt::CaseSensitive)
    , m_matcher(query, m_case)
{
}

// The first match starting in [from, to), searched a stretch at a time.
qsizetype TextFinder::indexIn(QStringView text, qsizetype from, qsizetype to,
                              const Cancelled &isCancelled) const
{
    if (m_query.isEmpty())
        return -1;
    from = qMax<qsizetype>(from, 0);
    to = qMin(to, text.size() - m_query.size() + 1);
    while (from < to) {
        if (cancelled(isCancelled))
            return -1;
        const qsizetype stretchEnd = qMin(from + Stretch, to);
        // A match starting in the stretch may end after it.
        const QStringView stretch = text.sliced(from, stretchEnd - from + m_query.size() - 1);
        const qsizetype at = m_matcher.indexIn(stretch);
        if (at >= 0)
            return from + at;
        from = stretchEnd;
    }
    return -1;
}

qsizetype TextFinder::next(QStringView text, qsizetype from, const Cancelled &isCancelled) const
{
    return indexIn(text, from, text.size(), isCancelled);
}

qsizetype TextFinder::previous(QStringView text, qsizetype before, const Cancelled &isCancelled) const
{
    if (m_query.isEmpty())
        return -1;
    qsizetype to = qMin(before, text.size() - m_query.size() + 1);
    while (to > 0) {
        if (cancelled(isCancelled))
            return -1;
        const qsizetype from = qMax<qsizetype>(to - Stretch, 0);
        const QStringView stretch = text.sliced(from, to - from + m_query.size() - 1);
        const qsizetype at = stretch.lastIndexOf(m_query, to - 1 - from, m_case);
        if (at >= 0)
            return from + at;
        to = from;
    }
    return -1;
}

TextFinder::Match TextFinder::nextWrapping(QStringView text, qsizetype from) const
{
    const qsizetype at = next(text, from);
    if (at >= 0)
        return { at, false };
    const qsizetype round = indexIn(text, 0, from, {});
    return { round, round >= 0 };
}

TextFinder::Match TextFinder::previousWrapping(QStringView text, qsizetype before) const
{
    const qsizetype at = previous(text, before);
    if (at >= 0)
        return { at, false };
    qsizetype round = previous(text, text.size());
    if (round < before)
        round = -1;
    return { round, round >= 0 };
}

std::vector<qsizetype> TextFinder::all(QStringView text, const Cancelled &isCancelled) const
{
    std::vector<qsizetype> matches;
    for (qsizetype at = next(text, 0, isCancelled); at >= 0; at = next(text, at + m_query.size(), isCancelled))
        matches.push_back(at);
    if (cancelled(isCancelled))
        return {};
    return matches;
}
