#ifndef BOOKLIST_H
#define BOOKLIST_H

#include <QStringList>

class Settings;

// The books the reader has opened, newest first, kept in the settings store. Additions come
// in batches and are found with a set, so adding a large folder stays linear; every change
// is merged with the store's list, which another window may have changed meanwhile.
class BookList
{
public:
    explicit BookList(Settings &settings);

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
    Settings &m_settings;
};

#endif
