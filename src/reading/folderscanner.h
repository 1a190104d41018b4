#ifndef FOLDERSCANNER_H
#define FOLDERSCANNER_H

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// Finds the books below a folder: every regular file whose suffix is "txt" in any letter
// case, depth first, each folder's entries in the order the file system lists them. Links
// are followed, but every folder and every file is taken once, by its canonical path, so
// links back up the tree or across it neither loop nor multiply the books. Hidden entries
// are skipped.
//
// The scan runs on a thread of its own that nobody waits for (a listing may hang on a
// stalled network mount). While it runs, progress() tells how many books were found so
// far, a few times a second at most; at its end finished() hands over every path found,
// as the folder path given plus the way down. cancel() ends a scan at once with
// cancelled(); a new scan() cancels the one running. Destroying the scanner drops a
// running scan without a signal.
class FolderScanner : public QObject
{
    Q_OBJECT

public:
    explicit FolderScanner(QObject *parent = nullptr);
    ~FolderScanner() override;

    void scan(const QString &folderPath);
    void cancel();
    bool isScanning() const { return m_scanning; }

signals:
    void progress(int booksFound);
    void finished(QStringList paths);
    void cancelled();

private:
    struct Shared;
    class Walk;

    std::shared_ptr<Shared> m_shared;
    bool m_scanning = false;
};

#endif
