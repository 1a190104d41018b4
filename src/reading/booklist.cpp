#include "booklist.h"

#include "librarydatabase.h"
#include "settings.h"

#include <QFile>
#include <QSet>

#include <algorithm>

BookList::BookList(Settings &settings, LibraryDatabase *database)
    : m_settings(settings)
    , m_database(database)
{
}

// Asked again whenever the library has moved since the last look: a library that was damaged
// starts afresh without a shelf, and takes the one the store still holds.
bool BookList::libraryHoldsShelf() const
{
    if (!m_database)
        return false;
    if (m_shelf && m_shelfGeneration == m_database->shelfGeneration())
        return true;
    m_shelf.reset();
    if (!m_database->adoptShelf(m_settings.recentFiles()))
        return false;
    m_shelf = m_database->shelf();
    m_shelfGeneration = m_database->shelfGeneration();
    return true;
}

void BookList::writeStoreList(const QStringList &books)
{
    m_settings.updateRecentFiles([&books](const QStringList &) { return books; });
}

QStringList BookList::books() const
{
    return libraryHoldsShelf() ? *m_shelf : m_settings.recentFiles();
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
    if (libraryHoldsShelf()) {
        const int added = m_database->addToShelf(paths);
        if (added > 0)
            m_shelf = m_database->shelf();
        writeStoreList(*m_shelf);
        return added;
    }
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
    if (libraryHoldsShelf()) {
        m_database->removeFromShelf(path);
        m_shelf->removeAll(path);
        writeStoreList(*m_shelf);
        return;
    }
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
