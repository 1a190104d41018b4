#ifndef BOOKLIST_H
#define BOOKLIST_H

#include <QStringList>

#include <optional>

class LibraryDatabase;
class Settings;

// The books on the shelf, newest addition first, kept by the library database. The settings
// store's list is written along after every change, so that an older version of the reader
// still finds the shelf; it is read once, to set up the shelf of a library that has none yet,
// and stands in for the library while the library works without memory. Additions come in
// batches and are found with a set, so adding a large folder stays linear. The library's
// shelf is read once and kept, along with the changes made through the list, until the
// library moves it under the list's feet (a reset, a library started afresh).
class BookList
{
public:
    // Without a database, or while it cannot be used, the shelf is the store's list alone.
    explicit BookList(Settings &settings, LibraryDatabase *database = nullptr);

    QStringList books() const;
    int size() const { return int(books().size()); }
    bool contains(const QString &path) const;

    // Puts the books that are not in the list yet at its front, keeping their order; returns
    // how many were new.
    int add(const QStringList &paths);
    // Takes a book off the list; a book that comes with the reader stays off at later starts.
    void remove(const QString &path);

    // The books that come with the reader, as the list of a first start holds them.
    static QStringList sampleBooks();
    void mergeSampleBooks();

private:
    bool libraryHoldsShelf() const;
    void writeStoreList(const QStringList &books);

    Settings &m_settings;
    LibraryDatabase *m_database;
    // The library's shelf as last read, while the library holds it.
    mutable std::optional<QStringList> m_shelf;
    mutable quint64 m_shelfGeneration = 0;
};

#endif
