#include "booksearch.h"

#include "textfinder.h"

std::vector<SearchResult> BookSearch::findAll(const PagedText &pages, const std::vector<Chapter> &chapters,
                                              const QString &text,
                                              const std::function<bool()> &isCancelled)
{
    std::vector<SearchResult> results;
    const QStringView book = pages.text();
    int chapter = -1;
    for (qsizetype at : TextFinder(text).all(book, isCancelled)) {
        SearchResult result = resultAt(book, at, text.size());
        result.offset = at;
        result.page = pages.pageAt(at);
        // Matches come in book order, so the chapter only ever moves on.
        while (chapter + 1 < int(chapters.size()) && chapters[size_t(chapter + 1)].offset <= at)
            ++chapter;
        result.chapter = chapter;
        results.push_back(std::move(result));
    }
    return results;
}

std::vector<SearchResult> BookSearch::findAll(const std::vector<QString> &pages,
                                              const std::vector<Chapter> &chapters,
                                              const QString &text,
                                              const std::function<bool()> &isCancelled)
{
    return findAll(PagedText(pages), chapters, text, isCancelled);
}

// The text around the match, cut to some context either side, line ends shown as spaces.
SearchResult BookSearch::resultAt(QStringView text, qsizetype at, qsizetype length)
{
    const qsizetype from = qMax(qsizetype(0), at - SnippetContext);
    const qsizetype to = qMin(text.size(), at + length + SnippetContext);
    SearchResult result;
    result.snippet = text.sliced(from, to - from).toString().replace(u'\n', u' ');
    result.snippetMatch = at - from;
    return result;
}
