#include "booklist.h"

#include "settings.h"

#include <QFile>
#include <QSet>

#include <algorithm>

BookList::BookList(Settings &settings)
    : m_settings(settings)
{
}

QStringList BookList::books() const
{
    return m_settings.recentFiles();
}

bool BookList::contains(const QString &path) const
{
    return books().contains(path, Qt::CaseSensitive);
}

QStringList BookList::sampleBooks()
{
    return { QStringLiteral(":/book/A Pocketful of Weather.txt"),
             QStringLiteral(":/book/星灯童话集.txt") };
}

int BookList::add(const QStringList &paths)
{
    int added = 0;
    m_settings.updateRecentFiles([&paths, &added](QStringList list) {
        QSet<QString> known(list.cbegin(), list.cend());
        QStringList fresh;
        for (const QString &path : paths) {
            if (!known.contains(path)) {
                known.insert(path);
                fresh.append(path);
            }
        }
        // Each new book goes in front of the ones before it, as if added one by one.
        std::reverse(fresh.begin(), fresh.end());
        added = int(fresh.size());
        return fresh + list;
    });
    return added;
}

void BookList::remove(const QString &path)
{
    if (sampleBooks().contains(path))
        m_settings.addRemovedSampleBook(path);
    m_settings.updateRecentFiles([&path](QStringList list) {
        list.removeAll(path);
        return list;
    });
}

void BookList::mergeSampleBooks()
{
    QStringList present;
    const QStringList removed = m_settings.removedSampleBooks();
    for (const QString &sample : sampleBooks()) {
        if (QFile::exists(sample) && !removed.contains(sample))
            present.append(sample);
    }
    add(present);
}
