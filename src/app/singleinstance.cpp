#include "singleinstance.h"

#include "handovermessage.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int ConnectTimeoutMs = 500;
constexpr int TransferTimeoutMs = 2000;
// A window that has just taken the lock needs a moment before it listens.
constexpr int WaitForListenerMs = 5000;
constexpr int RetryDelayMs = 50;

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

bool isPrivateFolder(const QString &path)
{
    struct stat info {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0
        && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// The user at the other end of a connection, from the kernel rather than from the socket
// file's owner, which says nothing of who listens on it.
bool peerIsThisUser(const QLocalSocket &socket)
{
    ucred credentials {};
    socklen_t length = sizeof credentials;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials,
                        &length) == 0
        && credentials.uid == ::geteuid();
}

}

SingleInstance::SingleInstance(const QString &folder, const QString &key, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
    , m_key(key)
    , m_lock(lockPath())
{
    // Only a dead holder makes the lock stale: a window busy for a while still holds it.
    m_lock.setStaleLockTime(0);
}

QString SingleInstance::runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return runtime;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Lexorin/run");
}

QString SingleInstance::settingsKey()
{
    const QByteArray location =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    return QString::fromLatin1(QCryptographicHash::hash(location, QCryptographicHash::Sha256).toHex().left(16));
}

QString SingleInstance::lockPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("lexorin-%1.lock").arg(m_key));
}

QString SingleInstance::socketPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("lexorin-%1.socket").arg(m_key));
}

QString SingleInstance::unreachableMessage()
{
    return tr("Lexorin 已在运行，但它的窗口没有响应。");
}

// The folder is made private where this program made it; a folder that someone else owns or
// can look into is not used at all.
bool SingleInstance::prepareFolder() const
{
    if (!QFileInfo::exists(m_folder) && QDir().mkpath(m_folder))
        QFile::setPermissions(m_folder, OwnerOnly);
    return isPrivateFolder(m_folder);
}

SingleInstance::Outcome SingleInstance::start(const QStringList &books)
{
    if (!prepareFolder()) {
        qWarning("lexorin: %s is not a private folder; running without a single window",
                 qPrintable(m_folder));
        return Outcome::Running;
    }
    const QDeadlineTimer deadline(WaitForListenerMs);
    while (true) {
        if (m_lock.tryLock(0)) {
            listen();
            return Outcome::Running;
        }
        switch (handOver(books)) {
        case HandOver::Taken:
            return Outcome::HandedOver;
        case HandOver::NoAnswer:
            return m_lock.tryLock(0) && listen() ? Outcome::Running : Outcome::Unreachable;
        case HandOver::NoWindow:
            if (deadline.hasExpired())
                return Outcome::Unreachable;
            QThread::msleep(RetryDelayMs);
        }
    }
}

// The books go over as one message; the running window answers with one byte once it has
// them, so a start never ends before its books are safely across.
SingleInstance::HandOver SingleInstance::handOver(const QStringList &books) const
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return HandOver::NoWindow;
    if (!peerIsThisUser(socket))
        return HandOver::NoAnswer;
    socket.write(HandOverMessage::encode(books));
    if (!socket.waitForBytesWritten(TransferTimeoutMs))
        return HandOver::NoAnswer;
    return socket.waitForReadyRead(TransferTimeoutMs) && socket.read(1) == "1" ? HandOver::Taken
                                                                               : HandOver::NoAnswer;
}

// Holding the lock, this window owns the socket's name: whatever is there is a leftover.
bool SingleInstance::listen()
{
    delete m_server;
    m_server = new QLocalServer(this);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::receive);
    QLocalServer::removeServer(socketPath());
    if (m_server->listen(socketPath()))
        return true;
    qWarning("lexorin: cannot listen for later starts: %s", qPrintable(m_server->errorString()));
    return false;
}

void SingleInstance::receive()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(*socket)) {
            socket->abort();
            continue;
        }
        auto *message = new HandOverMessage;
        connect(socket, &QObject::destroyed, socket, [message] { delete message; });
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket, message] {
            switch (message->feed(socket->readAll())) {
            case HandOverMessage::State::Incomplete:
                return;
            case HandOverMessage::State::Complete:
                answer(socket, message->books());
                return;
            case HandOverMessage::State::Refused:
                socket->abort();
                return;
            }
        });
    }
}

void SingleInstance::answer(QLocalSocket *socket, QStringList books)
{
    socket->write("1");
    socket->flush();
    // The window may answer with a message box, whose event loop would delete this socket
    // under its own handler once the other start hangs up.
    QMetaObject::invokeMethod(this, [this, books = std::move(books)] { emit booksHandedOver(books); },
                              Qt::QueuedConnection);
}
