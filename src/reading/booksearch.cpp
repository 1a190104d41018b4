#include "booksearch.h"

#include <QStringMatcher>

std::vector<SearchResult> BookSearch::findAll(const std::vector<QString> &pages,
                                              const std::vector<Chapter> &chapters,
                                              const QString &text,
                                              const std::function<bool()> &isCancelled)
{
    std::vector<SearchResult> results;
    if (text.isEmpty())
        return results;
    // A text without letters that have case (Chinese, digits) is matched as it is, which is
    // several times faster than folding every character of the book.
    const bool hasCase = text.toLower() != text || text.toUpper() != text;
    const QStringMatcher matcher(text, hasCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    qsizetype pageStart = 0;
    int chapter = -1;
    for (int page = 0; page < int(pages.size()); ++page) {
        if (isCancelled && isCancelled())
            return {};
        const QString &pageText = pages[size_t(page)];
        for (qsizetype at = matcher.indexIn(pageText); at >= 0; at = matcher.indexIn(pageText, at + text.size())) {
            SearchResult result = resultAt(pageText, at, text.size());
            result.offset = pageStart + at;
            result.page = page;
            // Matches come in book order, so the chapter only ever moves on.
            while (chapter + 1 < int(chapters.size()) && chapters[size_t(chapter + 1)].offset <= result.offset)
                ++chapter;
            result.chapter = chapter;
            results.push_back(std::move(result));
        }
        pageStart += pageText.size();
    }
    return results;
}

// The line the match is on, cut to some context either side, line ends shown as spaces.
SearchResult BookSearch::resultAt(const QString &page, qsizetype inPage, qsizetype length)
{
    const qsizetype from = qMax(qsizetype(0), inPage - SnippetContext);
    const qsizetype to = qMin(page.size(), inPage + length + SnippetContext);
    SearchResult result;
    result.snippet = page.mid(from, to - from).replace(u'\n', u' ');
    result.snippetMatch = inPage - from;
    return result;
}
