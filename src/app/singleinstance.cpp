#include "singleinstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int ConnectTimeoutMs = 500;
constexpr int TransferTimeoutMs = 2000;

}

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent)
    , m_name(name)
{
}

QString SingleInstance::defaultName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    return QStringLiteral("lexorin-") + user;
}

// The books go over as UTF-8 lines; the running window answers with one byte once it has
// them, so a start never ends before its books are safely across.
bool SingleInstance::handOver(const QStringList &books)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(books.join(QLatin1Char('\n')).toUtf8() + '\0');
    if (!socket.waitForBytesWritten(TransferTimeoutMs))
        return false;
    return socket.waitForReadyRead(TransferTimeoutMs) && socket.read(1) == "1";
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::receive);
    if (m_server->listen(m_name))
        return true;
    // Nobody answered handOver(), so a socket of that name is a crashed window's leftover.
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void SingleInstance::receive()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (!socket->peek(socket->bytesAvailable()).contains('\0'))
                return;
            const QByteArray message = socket->readAll();
            socket->write("1");
            socket->flush();
            const QString text = QString::fromUtf8(message.left(message.indexOf('\0')));
            const QStringList books = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
            // The window may answer with a message box, whose event loop would delete this
            // socket under its own handler once the other start hangs up.
            QMetaObject::invokeMethod(this, [this, books] { emit booksHandedOver(books); },
                                      Qt::QueuedConnection);
        });
    }
}
