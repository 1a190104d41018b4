#ifndef SIGNALWATCHER_H
#define SIGNALWATCHER_H

#include <QList>
#include <QObject>

class QSocketNotifier;

// Turns POSIX signals (SIGTERM at logout or from kill, SIGHUP, SIGINT) into a Qt signal
// delivered by the event loop, where the reader can close its window and write what waits.
// The handler only writes the signal's number to a socket pair; a notifier reads it.
// One watcher at a time.
class SignalWatcher : public QObject
{
    Q_OBJECT

public:
    explicit SignalWatcher(const QList<int> &watched, QObject *parent = nullptr);
    ~SignalWatcher() override;

signals:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void readSignal();

    QList<int> m_watched;
    int m_sockets[2] = { -1, -1 };
    QSocketNotifier *m_notifier = nullptr;
};

#endif
