#ifndef SEARCHRESULTSLIST_H
#define SEARCHRESULTSLIST_H

#include "booksearch.h"

#include <QFutureWatcher>
#include <QWidget>

#include <atomic>
#include <memory>
#include <vector>

class QLabel;
class ScriptConverter;
class QListView;
class QStringListModel;

// Every place a text stands in the book on show, found on a worker thread: each result names
// its chapter and page and shows the text around the match. A click (or Enter) on a result
// chooses it. A new search drops the one still running.
class SearchResultsList : public QWidget
{
    Q_OBJECT

public:
    explicit SearchResultsList(QWidget *parent = nullptr);
    ~SearchResultsList() override;

    // Searches the pages at hand; complete is false while the book is still being cut, which
    // the list then says.
    void search(const PagedText &pages, const std::vector<Chapter> &chapters,
                const QString &text, bool complete);
    // The script the results are shown in; the search itself runs on the book's own text.
    void setTextConversion(std::shared_ptr<const ScriptConverter> converter);
    bool isSearching() const { return m_watcher.isRunning(); }
    const std::vector<SearchResult> &results() const { return m_results; }
    QString status() const;

signals:
    void resultChosen(qsizetype offset, qsizetype length);
    void searchFinished();

private:
    void showResults();
    void choose(const QModelIndex &index);
    QString describe(const SearchResult &result) const;
    QString shown(const QString &bookText) const;
    void cancelRunning();

    QLabel *m_status;
    QListView *m_view;
    QStringListModel *m_model;
    QFutureWatcher<std::vector<SearchResult>> m_watcher;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    std::vector<SearchResult> m_results;
    std::vector<Chapter> m_chapters;
    std::shared_ptr<const ScriptConverter> m_conversion;
    QString m_text;
    bool m_complete = true;
    int m_pagesSearched = 0;
};

#endif
