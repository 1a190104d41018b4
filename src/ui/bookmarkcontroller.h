#ifndef BOOKMARKCONTROLLER_H
#define BOOKMARKCONTROLLER_H

#include "bookmark.h"
#include "bookmarksdialog.h"

#include <QObject>

#include <optional>

class Library;
class PageWidget;
class QWidget;
class ReadingSession;
class ReadingToolBar;

// The bookmarks of the book on show: marks and unmarks the page, shows whether the page on
// show holds one, and lists them to go to or remove.
class BookmarkController : public QObject
{
    Q_OBJECT

public:
    BookmarkController(ReadingSession *session, Library *library, PageWidget *pageWidget,
                       ReadingToolBar *readingTools, QWidget *dialogParent);

    void toggleBookmark();
    void showBookmarks();

private:
    void showBookmarkState();
    std::optional<Bookmark> bookmarkOnPage() const;
    BookmarksDialog::Row rowOf(const Bookmark &bookmark) const;
    QString textAround(qint64 place, const QString &stored) const;

    ReadingSession *m_session;
    Library *m_library;
    PageWidget *m_pageWidget;
    ReadingToolBar *m_readingTools;
    QWidget *m_dialogParent;
};

#endif
