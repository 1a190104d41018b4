#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

// Keeps the reader to one window per settings location. The window that holds a lock file
// in the user's runtime folder is the one; it listens on a socket beside the lock for later
// starts, which hand it the books they were asked to open and end. Both ends check that the
// other runs as the same user, so nobody else can listen for the books or answer for the
// window. A lock left by a crashed window is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Running, // this start is the one window (it may not have been able to listen)
        HandedOver, // the running window took the books; this start should end
        Unreachable, // a window holds the lock but does not answer
    };
    Q_ENUM(Outcome)

    // The folder holds the lock and the socket; the key tells apart the windows of separate
    // settings locations.
    explicit SingleInstance(const QString &folder = runtimeFolder(), const QString &key = settingsKey(),
                            QObject *parent = nullptr);

    Outcome start(const QStringList &books);

    QString lockPath() const;
    QString socketPath() const;
    // What the reader is told when the running window does not answer.
    static QString unreachableMessage();

    // $XDG_RUNTIME_DIR where it is the user's own, else a private folder of the program's.
    static QString runtimeFolder();
    static QString settingsKey();

signals:
    // Another start asked for these books (possibly none: it only wants the window shown).
    void booksHandedOver(const QStringList &books);

private:
    enum class HandOver { Taken, NoWindow, NoAnswer };

    bool prepareFolder() const;
    HandOver handOver(const QStringList &books) const;
    bool listen();
    void receive();
    void answer(QLocalSocket *socket, QStringList books);

    QString m_folder;
    QString m_key;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};

#endif
