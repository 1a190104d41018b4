#ifndef BOOKSHELFWIDGET_H
#define BOOKSHELFWIDGET_H

#include "fileprober.h"

#include <QHash>
#include <QListWidget>
#include <QStringList>

// The bookshelf page: every book of the list as a generated cover with its shortened title,
// a bar showing how far the reader is in it, and a grey cover with a mark when its file is
// gone. Whether a file is there is asked of a prober, off the GUI thread; a cover is marked
// once the answer is in.
class BookshelfWidget : public QListWidget
{
    Q_OBJECT

public:
    explicit BookshelfWidget(QWidget *parent = nullptr);

    // progress holds how far the reader is in each book it names, from 0 to 1. A book's cover
    // colour follows its position in coverOrder (the list in the order books were added), or
    // in books when that is empty, so a book keeps its colour whatever order it is shown in.
    void setBooks(const QStringList &books, const QHash<QString, double> &progress = {},
                  const QStringList &coverOrder = {});

    // The title shown under a cover: the base name, cut to 12 units plus "..." when longer
    // than 15 (11 units when the 12th would split a surrogate pair).
    static QString shelfTitle(const QString &filePath);

    // The shelf has a prober of its own until it is given one to share.
    void setFileProber(FileProber *prober);
    FileProber *fileProber() const { return m_prober; }

signals:
    void bookSelected(QString filePath);
    void bookMenuRequested(const QString &filePath, const QPoint &globalPos);

public slots:
    void onItemClicked(QListWidgetItem *item);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void refreshBooks();
    void markBook(const QString &filePath, const FileProber::Facts &facts);
    bool isDark() const;
    void updateGridSize();

    QStringList m_books;
    QHash<QString, double> m_progress;
    QStringList m_coverOrder;
    bool m_dark = false;
    FileProber *m_prober;
    QHash<QString, QListWidgetItem *> m_items;
};

#endif
