#include "chapterfilter.h"

#include "headingnumbers.h"

ChapterFilter::ChapterFilter(QObject *parent)
    : QSortFilterProxyModel(parent)
{
}

void ChapterFilter::setWanted(const QString &text)
{
    const QString wanted = text.trimmed();
    if (wanted == m_wanted)
        return;
    m_wanted = wanted;
    m_number = HeadingNumbers::valueOf(wanted);
    invalidateRowsFilter();
}

bool ChapterFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_wanted.isEmpty())
        return true;
    const QString title = sourceModel()->index(sourceRow, 0, sourceParent).data().toString();
    return title.contains(m_wanted, Qt::CaseInsensitive)
            || (m_number >= 0 && HeadingNumbers::numbersIn(title).contains(m_number));
}
