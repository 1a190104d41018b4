#ifndef BOOKSEARCH_H
#define BOOKSEARCH_H

#include "chapterdetector.h"
#include "pagedtext.h"

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

// Finds every place a text stands in a book's pages, letters in either case, also where a
// match runs over a page's end (its page is the one it starts on). Runs on any thread.
class BookSearch
{
public:
    static std::vector<SearchResult> findAll(const PagedText &pages,
                                             const std::vector<Chapter> &chapters,
                                             const QString &text,
                                             const std::function<bool()> &isCancelled = {});
    static std::vector<SearchResult> findAll(const std::vector<QString> &pages,
                                             const std::vector<Chapter> &chapters,
                                             const QString &text,
                                             const std::function<bool()> &isCancelled = {});

    // Characters of context on each side of a match in its snippet.
    static constexpr qsizetype SnippetContext = 14;

private:
    static SearchResult resultAt(QStringView text, qsizetype at, qsizetype length);
};

#endif
