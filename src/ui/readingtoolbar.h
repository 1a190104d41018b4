#ifndef READINGTOOLBAR_H
#define READINGTOOLBAR_H

#include <QWidget>

class QToolButton;

// The buttons beside the page that act on the book on show: mark the page, list the
// book's bookmarks, reopen the book in another encoding.
class ReadingToolBar : public QWidget
{
    Q_OBJECT

public:
    explicit ReadingToolBar(QWidget *parent = nullptr);

    void setPageBookmarked(bool bookmarked);

signals:
    void bookmarkToggled();
    void bookmarksRequested();
    void encodingRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    QToolButton *addButton(const char *name);
    void retranslate();

    QToolButton *m_bookmarkButton;
    QToolButton *m_bookmarksButton;
    QToolButton *m_encodingButton;
};

#endif
