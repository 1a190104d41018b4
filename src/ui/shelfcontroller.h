#ifndef SHELFCONTROLLER_H
#define SHELFCONTROLLER_H

#include "booklist.h"
#include "fileprober.h"

#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QSet>
#include <QStringList>

class BookshelfWidget;
struct BookRecord;
class FolderScanner;
class Library;
class PagePresenter;
class QMimeData;
class QProgressDialog;
class QWidget;
class ReadingSession;
class Settings;
class ViewStack;

// The bookshelf and every way a book reaches the reader: the open file and folder dialogs,
// folders scanned on a worker while the window stays live, books and folders dropped on the
// window, the shelf's context menu with the book's properties, the encoding a book is read
// in, and the book opened at start or handed over by a later start of the program.
class ShelfController : public QObject
{
    Q_OBJECT

public:
    ShelfController(Settings &settings, Library *library, ReadingSession *session,
                    BookshelfWidget *shelf, ViewStack *views, PagePresenter *presenter,
                    QWidget *window);

    const BookList &books() const { return m_bookList; }

    void openFile();
    void openFolder();
    // Scans the folder and puts the books found on the shelf, telling the reader how many.
    void addFolder(const QString &folder);
    // Scans the folder without adding what it finds; folderScanned() hands the books over.
    void scanFolder(const QString &folder);
    bool isScanning() const;

    void showShelf();
    void showBookList();
    void openFromShelf(const QString &path);
    void openAt(int index);
    void openBook(const QString &path);

    // Opens this book instead of the newest one at start, putting it on the shelf if new.
    void openAtStart(const QString &path);
    // Opens the book the reader read last, or the one asked for at start; only the first
    // call opens anything.
    void openStartBook();
    // Opens a book handed over by a later start of the program.
    void openFromOutside(const QString &path);

    void chooseEncoding();

    static QStringList droppedPaths(const QMimeData *data);
    // Takes the dropped books and folders in once the drop has returned to its source.
    void takeDrop(const QStringList &paths);

    // Empties the library's memory after a reset of the settings.
    void reset();

signals:
    void folderScanned(const QStringList &books);
    void scanCancelled(int booksFound);

private:
    struct Scan
    {
        QString folder;
        bool addFound = false;
    };

    void queueScan(const Scan &scan);
    void startNextScan();
    void endScan();
    void onScanFinished(const QStringList &found);
    void onScanCancelled();
    void reportAdded(const QStringList &found);
    void addBooks(const QStringList &paths);
    void addDroppedBooks(const QStringList &paths);
    void reopenInEncoding(const QByteArray &encoding);
    void reopenMovedBook(const QString &path, const BookRecord &record);
    void showShelfMenu(const QString &path, const QPoint &globalPos);
    void removeFromShelf(const QString &path);
    void offerToRemoveBook(const QString &path);
    void showBookProperties(const QString &path);
    void openChosenBook(const QString &path, const FileProber::Facts &file);
    void openLastReadBook(const QString &path, const FileProber::Facts &file);
    void openNewestBook();
    void offerToRemoveMissingBook(const QString &path);
    void showLibraryNotice();

    Settings &m_settings;
    BookList m_bookList;
    Library *m_library;
    ReadingSession *m_session;
    BookshelfWidget *m_shelf;
    ViewStack *m_views;
    PagePresenter *m_presenter;
    QWidget *m_window;
    FolderScanner *m_scanner;
    FileProber *m_prober;
    // The book last chosen on the shelf, opened once its file is known to be there.
    QString m_chosenFromShelf;
    QQueue<Scan> m_scans;
    Scan m_scan;
    bool m_scanning = false;
    int m_foundSoFar = 0;
    QPointer<QProgressDialog> m_progress;
    bool m_startBookOpened = false;
    QString m_startBook;
    // The book read last, opened at start once its file is known to be there.
    QString m_lastReadAtStart;
    QString m_missingStartBook;
    QString m_startProblem;
    QSet<QString> m_libraryNoticesShown;
};

#endif
