#ifndef FILEPROBER_H
#define FILEPROBER_H

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Looks at books' files on worker threads: on a network mount that hangs, asking whether a
// file is there blocks for as long as the mount does, and the window must keep working.
// Answers come back on the prober's thread; the last one for each path is kept, so a menu
// or a dialog can use what is known without waiting.
class FileProber : public QObject
{
    Q_OBJECT

public:
    struct Facts
    {
        bool exists = false;
        bool isFile = false;
        qint64 size = -1;
        // Whether the folder holding the path is there.
        bool folderExists = false;
        // Empty when the file is not there.
        QString canonicalPath;
    };
    using Check = std::function<Facts(const QString &path)>;

    explicit FileProber(QObject *parent = nullptr);
    ~FileProber() override;

    // Tests put a check of their own in place of the file system's.
    void setCheck(Check check);
    static Facts checkFile(const QString &path);

    // Asks about the file again; probed() answers. A path already asked about and not yet
    // answered is not asked twice, so a hung file ties up one worker only.
    void probe(const QString &path);
    std::optional<Facts> known(const QString &path) const;

signals:
    void probed(const QString &path, const FileProber::Facts &facts);

private:
    struct Mailbox;

    void deliver(const QString &path, const Facts &facts);

    Check m_check;
    std::shared_ptr<Mailbox> m_mailbox;
    QSet<QString> m_asked;
    QHash<QString, Facts> m_known;
};

#endif
