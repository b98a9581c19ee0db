#include "command_channel.h"

#include "instance_lock.h"

#include <QLocalSocket>

namespace platform {
namespace {

// A sender that never ends its line cannot make the player hoard memory.
constexpr qint64 maxLineBytes = 256;

}  // namespace

QString commandChannelName()
{
    return runtimePath(playerInstanceName, QStringLiteral(".socket"));
}

CommandChannel::CommandChannel(const QString &name, Handler handler, QObject *parent)
    : QObject(parent), name_(name), handler_(std::move(handler))
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            readFrom(socket);
        }
    });
}

// The lock is ours, so a socket file left by a crashed player is stale.
bool CommandChannel::listen()
{
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void CommandChannel::readFrom(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QList<QByteArray> parts = socket->readLine(maxLineBytes).trimmed().split(' ');
        bool ok[3] = {false, false, false};
        if (parts.size() == 3) {
            const WindowMessage m{parts[0].toUInt(&ok[0]), static_cast<std::uintptr_t>(parts[1].toULongLong(&ok[1])),
                                  static_cast<std::intptr_t>(parts[2].toLongLong(&ok[2]))};
            if (ok[0] && ok[1] && ok[2])
                handler_(m);
        }
    }
    if (socket->bytesAvailable() > maxLineBytes)
        socket->abort();
}

bool sendToRunningPlayer(const std::vector<WindowMessage> &messages, QString *error)
{
    QLocalSocket socket;
    socket.connectToServer(commandChannelName());
    if (!socket.waitForConnected(2000)) {
        if (error)
            *error = socket.errorString();
        return false;
    }
    QByteArray lines;
    for (const WindowMessage &m : messages)
        lines += QByteArray::number(m.msg) + ' ' + QByteArray::number(static_cast<qulonglong>(m.wParam)) + ' '
            + QByteArray::number(static_cast<qlonglong>(m.lParam)) + '\n';
    socket.write(lines);
    const bool sent = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (!sent && error)
        *error = socket.errorString();
    return sent;
}

}  // namespace platform
