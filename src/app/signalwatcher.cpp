#include "signalwatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t writeSocket = -1;

}

SignalWatcher::SignalWatcher(const QList<int> &watched, QObject *parent)
    : QObject(parent)
    , m_watched(watched)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, m_sockets) != 0) {
        qWarning("lexorin: cannot watch for signals");
        return;
    }
    // A burst of signals must never block the handler, nor an empty pair the reader.
    for (const int socket : m_sockets)
        ::fcntl(socket, F_SETFL, O_NONBLOCK);
    writeSocket = m_sockets[0];
    m_notifier = new QSocketNotifier(m_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::readSignal);

    struct sigaction action {};
    action.sa_handler = &SignalWatcher::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : m_watched)
        ::sigaction(signalNumber, &action, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    for (const int signalNumber : m_watched)
        ::signal(signalNumber, SIG_DFL);
    writeSocket = -1;
    for (const int socket : m_sockets) {
        if (socket >= 0)
            ::close(socket);
    }
}

// Only async-signal-safe calls here.
void SignalWatcher::handle(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    if (writeSocket >= 0) {
        // A full pair already holds a wake-up; nothing is lost by dropping this one.
        const ssize_t written = ::write(writeSocket, &number, 1);
        Q_UNUSED(written)
    }
    errno = savedErrno;
}

void SignalWatcher::readSignal()
{
    // One signal a time: a receiver may end the watcher; the notifier fires again for more.
    unsigned char number = 0;
    if (::read(m_sockets[1], &number, 1) == 1)
        emit received(number);
}
