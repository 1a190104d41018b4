#ifndef CHAPTERFILTER_H
#define CHAPTERFILTER_H

#include <QSortFilterProxyModel>

// Keeps the chapters whose title holds the text typed, in any letter case, or, for a number
// typed, the chapters counted with that number in any numerals: 120, １２０ and 一百二十.
class ChapterFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ChapterFilter(QObject *parent = nullptr);

    void setWanted(const QString &text);
    QString wanted() const { return m_wanted; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    QString m_wanted;
    int m_number = -1;
};

#endif
