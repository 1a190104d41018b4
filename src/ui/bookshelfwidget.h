#ifndef BOOKSHELFWIDGET_H
#define BOOKSHELFWIDGET_H

#include <QListWidget>
#include <QStringList>

// The bookshelf page: every book of the list as a generated cover with its shortened title.
class BookshelfWidget : public QListWidget
{
    Q_OBJECT

public:
    explicit BookshelfWidget(QWidget *parent = nullptr);

    void setBooks(const QStringList &books);

    // The title shown under a cover: the base name, cut to 12 units plus "..." when longer
    // than 15 (11 units when the 12th would split a surrogate pair).
    static QString shelfTitle(const QString &filePath);

signals:
    void bookSelected(QString filePath);

public slots:
    void onItemClicked(QListWidgetItem *item);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refreshBooks();
    void updateGridSize();

    QStringList m_books;
};

#endif
