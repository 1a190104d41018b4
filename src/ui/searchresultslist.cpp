#include "searchresultslist.h"

#include "scriptconverter.h"

#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QtConcurrent>

SearchResultsList::SearchResultsList(QWidget *parent)
    : QWidget(parent)
    , m_status(new QLabel(this))
    , m_view(new QListView(this))
    , m_model(new QStringListModel(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_view);
    m_status->setWordWrap(true);
    m_view->setModel(m_model);
    m_view->setUniformItemSizes(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    setFocusProxy(m_view);
    connect(&m_watcher, &QFutureWatcher<std::vector<SearchResult>>::finished, this,
            &SearchResultsList::showResults);
    connect(m_view, &QListView::clicked, this, &SearchResultsList::choose);
    connect(m_view, &QListView::activated, this, &SearchResultsList::choose);
}

// The running search stops at its next page; nothing waits for more than that.
SearchResultsList::~SearchResultsList()
{
    cancelRunning();
    m_watcher.waitForFinished();
}

void SearchResultsList::search(const PagedText &pages, const std::vector<Chapter> &chapters,
                               const QString &text, bool complete)
{
    cancelRunning();
    m_results.clear();
    m_model->setStringList({});
    m_chapters = chapters;
    m_text = text;
    m_complete = complete;
    m_pagesSearched = pages.size();
    m_status->setText(tr("正在查找“%1”……").arg(text));
    auto cancelled = std::make_shared<std::atomic_bool>(false);
    m_cancelled = cancelled;
    m_watcher.setFuture(QtConcurrent::run([pages, chapters, text, cancelled] {
        return BookSearch::findAll(pages, chapters, text, [&cancelled] { return cancelled->load(); });
    }));
}

void SearchResultsList::cancelRunning()
{
    if (m_cancelled)
        m_cancelled->store(true);
}

void SearchResultsList::showResults()
{
    if (m_cancelled && m_cancelled->load())
        return;
    m_results = m_watcher.result();
    QStringList rows;
    rows.reserve(qsizetype(m_results.size()));
    for (const SearchResult &result : m_results)
        rows.append(describe(result));
    m_model->setStringList(rows);
    m_status->setText(status());
    emit searchFinished();
}

QString SearchResultsList::status() const
{
    if (isSearching())
        return tr("正在查找“%1”……").arg(m_text);
    const QString found = tr("“%1”共找到 %2 处").arg(m_text).arg(m_results.size());
    if (m_complete)
        return found;
    return found + u'\n' + tr("书还在分页，只查找了已分好的 %1 页。").arg(m_pagesSearched);
}

void SearchResultsList::setTextConversion(std::shared_ptr<const ScriptConverter> converter)
{
    m_conversion = std::move(converter);
}

QString SearchResultsList::describe(const SearchResult &result) const
{
    const QString page = tr("第 %1 页").arg(result.page + 1);
    const QString where = result.chapter >= 0
            ? shown(m_chapters[size_t(result.chapter)].title) + QStringLiteral(" · ") + page
            : page;
    return where + QStringLiteral("　") + shown(result.snippet);
}

QString SearchResultsList::shown(const QString &bookText) const
{
    return m_conversion ? m_conversion->convert(bookText) : bookText;
}

void SearchResultsList::choose(const QModelIndex &index)
{
    if (index.isValid() && size_t(index.row()) < m_results.size())
        emit resultChosen(m_results[size_t(index.row())].offset, m_text.size());
}
