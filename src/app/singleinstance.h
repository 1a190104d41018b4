#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// Keeps the reader to one window per user. A start that finds a running window hands it the
// books it was asked to open and ends; the first start listens for such hand-overs. A socket
// left behind by a crashed window is removed rather than blocking the start.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &name = defaultName(), QObject *parent = nullptr);

    // True when a running window took the books; this start should end.
    bool handOver(const QStringList &books);
    // Starts listening for later starts; false when the channel cannot be set up (the reader
    // then runs on its own).
    bool listen();

    // One name per user, so the windows of two users never meet.
    static QString defaultName();

signals:
    // Another start asked for these books (possibly none: it only wants the window shown).
    void booksHandedOver(const QStringList &books);

private:
    void receive();

    QString m_name;
    QLocalServer *m_server = nullptr;
};

#endif
