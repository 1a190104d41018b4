#include "bookmarkcontroller.h"

#include "bookmarksdialog.h"
#include "library.h"
#include "pagewidget.h"
#include "paginator.h"
#include "readingsession.h"

#include <QAction>

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
    const qsizetype place = m_session->place();
    const qsizetype pageLength = m_session->pages().at(m_session->page()).size();
    return m_library->bookmarkWithin(m_session->book(), place, place + pageLength);
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
void BookmarkController::showBookmarks()
{
    if (m_session->state() == ReadingSession::State::Empty)
        return;
    BookmarksDialog dialog(m_dialogParent);
    const auto pageOf = [this](qint64 place) { return Paginator::pageAtOffset(m_session->pages(), place); };
    dialog.setBookmarks(m_library->bookmarks(m_session->book()), [pageOf](qint64 place) { return pageOf(place) + 1; });
    connect(&dialog, &BookmarksDialog::bookmarkChosen, m_session, &ReadingSession::goToPlace);
    connect(&dialog, &BookmarksDialog::bookmarkRemoved, m_library, &Library::removeBookmark);
    dialog.exec();
    showBookmarkState();
}
