#ifndef BOOKMARKCONTROLLER_H
#define BOOKMARKCONTROLLER_H

#include "bookmark.h"
#include "bookmarksdialog.h"

#include <QObject>

#include <optional>

class Library;
class QAction;
class PageWidget;
class QWidget;
class ReadingSession;

// The bookmarks of the book on show: marks and unmarks the page, shows whether the page on
// show holds one (on the page and as the check of the marking action), and lists them to go
// to or remove.
class BookmarkController : public QObject
{
    Q_OBJECT

public:
    BookmarkController(ReadingSession *session, Library *library, PageWidget *pageWidget,
                       QAction *bookmarkAction, QWidget *dialogParent);

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
    QAction *m_bookmarkAction;
    QWidget *m_dialogParent;
};

#endif
