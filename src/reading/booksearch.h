#ifndef BOOKSEARCH_H
#define BOOKSEARCH_H

#include "chapterdetector.h"

#include <QString>

#include <functional>
#include <vector>

// One place a text was found at: where in the book's text (the offset its pages join to), on
// which page, in which chapter (-1 before the first heading), and a line of text around it.
struct SearchResult
{
    qsizetype offset = 0;
    int page = 0;
    int chapter = -1;
    QString snippet;
    qsizetype snippetMatch = 0; // where the match starts in the snippet
};

// Finds every place a text stands in a book's pages, Latin letters in either case. Runs on
// any thread; a match running over a page's end is not found, as for a page-by-page search.
class BookSearch
{
public:
    static std::vector<SearchResult> findAll(const std::vector<QString> &pages,
                                             const std::vector<Chapter> &chapters,
                                             const QString &text,
                                             const std::function<bool()> &isCancelled = {});

    // Characters of context on each side of a match in its snippet.
    static constexpr qsizetype SnippetContext = 14;

private:
    static SearchResult resultAt(const QString &page, qsizetype inPage, qsizetype length);
};

#endif
