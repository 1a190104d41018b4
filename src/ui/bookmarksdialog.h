#ifndef BOOKMARKSDIALOG_H
#define BOOKMARKSDIALOG_H

#include "bookmark.h"

#include <QDialog>
#include <QList>

#include <functional>

QT_BEGIN_NAMESPACE
namespace Ui {
class BookmarksDialog;
}
QT_END_NAMESPACE

// The bookmarks of the book on show: the chapter and the text around the marked place, its
// page number as the book is cut now, and when it was marked. The reader jumps to one or
// deletes it.
class BookmarksDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BookmarksDialog(QWidget *parent = nullptr);
    ~BookmarksDialog() override;

    struct Row
    {
        QString chapter; // empty outside chapters
        QString text;
        int page; // from 1
    };
    void setBookmarks(const QList<Bookmark> &bookmarks, const std::function<Row(const Bookmark &)> &rowOf);
    int count() const;

signals:
    void bookmarkChosen(qint64 place);
    void bookmarkRemoved(qint64 bookmarkId);

private:
    void goToSelected();
    void removeSelected();
    void updateButtons();

    Ui::BookmarksDialog *ui;
};

#endif
