#ifndef CONTENTSPAGE_H
#define CONTENTSPAGE_H

#include "chapterdetector.h"

#include <QWidget>

#include <vector>

class ChapterFilter;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QStandardItemModel;

// The contents of the book on show: its volumes and chapters, chapters indented under their
// volume, the reader's chapter marked and scrolled into view. Typing in the filter box keeps
// the entries whose title holds the text (a number such as 45 or a word of a title); a click,
// or Enter in the list or the filter box, chooses a chapter.
class ContentsPage : public QWidget
{
    Q_OBJECT

public:
    explicit ContentsPage(QWidget *parent = nullptr);

    void setChapters(const std::vector<Chapter> &chapters);
    // Marks the reader's chapter (-1 for none) and scrolls it into view.
    void setCurrentChapter(int chapter);
    void setFilter(const QString &text);
    // The chapters the filter keeps, in book order.
    std::vector<int> shownChapters() const;

signals:
    void chapterChosen(int chapter);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyFilter(const QString &text);
    void chooseItem(const QModelIndex &index);
    void chooseFirstShown();
    void showCurrent();
    void retranslate();

    QLineEdit *m_filter;
    QStandardItemModel *m_chapters;
    ChapterFilter *m_filtered;
    QListView *m_list;
    QLabel *m_emptyNotice;
    int m_current = -1;
};

#endif
