#include "bookmarkcontroller.h"

#include "bookmarksdialog.h"
#include "library.h"
#include "pagewidget.h"
#include "paginator.h"
#include "readingsession.h"

#include <QAction>

namespace {

constexpr qsizetype SnippetLength = 40;
constexpr qsizetype SnippetLead = 8;

}

BookmarkController::BookmarkController(ReadingSession *session, Library *library,
                                       PageWidget *pageWidget, QAction *bookmarkAction,
                                       QWidget *dialogParent)
    : QObject(dialogParent)
    , m_session(session)
    , m_library(library)
    , m_pageWidget(pageWidget)
    , m_bookmarkAction(bookmarkAction)
    , m_dialogParent(dialogParent)
{
    connect(m_session, &ReadingSession::positionChanged, this, &BookmarkController::showBookmarkState);
}

std::optional<Bookmark> BookmarkController::bookmarkOnPage() const
{
    if (m_session->state() == ReadingSession::State::Empty)
        return std::nullopt;
    const qsizetype start = Paginator::offsetOfPage(m_session->pages(), m_session->page());
    const qsizetype pageLength = m_session->pages().at(m_session->page()).size();
    return m_library->bookmarkWithin(m_session->book(), start, start + pageLength);
}

// The action's own check follows the page, not the trigger.
void BookmarkController::toggleBookmark()
{
    if (m_session->state() == ReadingSession::State::Empty) {
        m_bookmarkAction->setChecked(false);
        return;
    }
    if (const std::optional<Bookmark> bookmark = bookmarkOnPage())
        m_library->removeBookmark(bookmark->id);
    else
        m_library->addBookmark(m_session->book(), m_session->place(),
                               Library::snippetOf(m_session->pages().at(m_session->page())));
    showBookmarkState();
}

void BookmarkController::showBookmarkState()
{
    const bool bookmarked = bookmarkOnPage().has_value();
    m_pageWidget->setBookmarked(bookmarked);
    m_bookmarkAction->setChecked(bookmarked);
}

// Page numbers are those of the pages cut so far in the current format.
BookmarksDialog::Row BookmarkController::rowOf(const Bookmark &bookmark) const
{
    const std::vector<Chapter> &chapters = m_session->chapters();
    const int chapter = ChapterDetector::chapterAt(chapters, bookmark.place);
    return { chapter >= 0 ? chapters[chapter].title : QString(), textAround(bookmark.place, bookmark.snippet),
             Paginator::pageAtOffset(m_session->pages(), bookmark.place) + 1 };
}

// About forty characters from a little before the place on, on one line; the text stored with
// the bookmark where the place lies beyond the pages cut so far.
QString BookmarkController::textAround(qint64 place, const QString &stored) const
{
    const PagedText &pages = m_session->pages();
    if (pages.empty() || place >= Paginator::offsetOfPage(pages, int(pages.size())))
        return stored.left(SnippetLength);
    const int page = Paginator::pageAtOffset(pages, place);
    QString text = pages[page];
    if (page + 1 < int(pages.size()))
        text += pages[page + 1];
    const qsizetype from = qMax<qsizetype>(0, place - Paginator::offsetOfPage(pages, page) - SnippetLead);
    return text.mid(from, SnippetLength * 2).simplified().left(SnippetLength);
}

void BookmarkController::showBookmarks()
{
    if (m_session->state() == ReadingSession::State::Empty)
        return;
    BookmarksDialog dialog(m_dialogParent);
    dialog.setBookmarks(m_library->bookmarks(m_session->book()),
                        [this](const Bookmark &bookmark) { return rowOf(bookmark); });
    connect(&dialog, &BookmarksDialog::bookmarkChosen, m_session, &ReadingSession::goToPlace);
    connect(&dialog, &BookmarksDialog::bookmarkRemoved, m_library, &Library::removeBookmark);
    dialog.exec();
    showBookmarkState();
}
