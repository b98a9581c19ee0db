#include "command_channel.h"

#include "instance_lock.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>

#include <optional>
#include <utility>

namespace platform {
namespace {

// A sender that never ends its line cannot make the player hoard memory.
constexpr qint64 maxLineBytes = 256;

// How long a sender waits for a player that holds the lock: its start-up
// included.
constexpr int patienceMs = 10000;

const QByteArray confirmation = "ok\n";

std::optional<WindowMessage> parse(const QByteArray &line)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3)
        return std::nullopt;
    bool ok[3] = {false, false, false};
    const WindowMessage m{parts[0].toUInt(&ok[0]), static_cast<std::uintptr_t>(parts[1].toULongLong(&ok[1])),
                          static_cast<std::intptr_t>(parts[2].toLongLong(&ok[2]))};
    if (ok[0] && ok[1] && ok[2])
        return m;
    return std::nullopt;
}

QByteArray lines(const std::vector<WindowMessage> &messages)
{
    QByteArray text;
    for (const WindowMessage &m : messages)
        text += QByteArray::number(m.msg) + ' ' + QByteArray::number(static_cast<qulonglong>(m.wParam)) + ' '
            + QByteArray::number(static_cast<qlonglong>(m.lParam)) + '\n';
    return text + '\n';
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return static_cast<int>(deadline.remainingTime());
}

// One attempt: true once the player has confirmed every message.
bool exchange(QLocalSocket &socket, const QByteArray &text, const QDeadlineTimer &deadline)
{
    socket.write(text);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(remainingMs(deadline)))
            return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(remainingMs(deadline)))
            return false;
    return socket.readLine() == confirmation;
}

}  // namespace

QString commandChannelName(QString *error)
{
    return runtimePath(playerInstanceName, QStringLiteral(".socket"), error);
}

CommandChannel::CommandChannel(const QString &name, QObject *parent) : QObject(parent), name_(name)
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_.nextPendingConnection()) {
            auto batch = std::make_shared<Batch>();
            QObject::connect(socket, &QLocalSocket::readyRead, this, [this, socket, batch] { readFrom(socket, batch); });
            // A sender that does not ask for the confirmation still has its messages taken.
            QObject::connect(socket, &QLocalSocket::disconnected, this, [this, socket, batch] {
                readFrom(socket, batch);
                hand(std::exchange(*batch, {}));
                socket->deleteLater();
            });
            readFrom(socket, batch);
        }
    });
}

// Whatever arrives while the program closes is not confirmed, so its
// sender can tell.
CommandChannel::~CommandChannel()
{
    for (QLocalSocket *socket : server_.findChildren<QLocalSocket *>())
        socket->disconnect(this);
}

bool CommandChannel::listen()
{
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void CommandChannel::deliverTo(Handler handler)
{
    handler_ = std::move(handler);
    hand({});
}

// The handler may wait in a dialog while the socket goes: the batch is held
// here too, and the socket is checked after each hand-on.
void CommandChannel::readFrom(QLocalSocket *socket, std::shared_ptr<Batch> batch)
{
    const QPointer<QLocalSocket> alive(socket);
    while (alive && socket->canReadLine()) {
        const QByteArray line = socket->readLine(maxLineBytes).trimmed();
        if (line.isEmpty()) {
            hand(std::exchange(*batch, {}));
            if (alive) {
                socket->write(confirmation);
                socket->flush();
            }
        } else if (const auto message = parse(line)) {
            batch->push_back(*message);
            if (batch->size() > maxMessagesPerSender) {
                batch->clear();
                socket->abort();
            }
        }
    }
    if (alive && socket->bytesAvailable() > maxLineBytes) {
        batch->clear();
        socket->abort();
    }
}

// A handler that waits in a dialog may let another sender's messages in:
// they are kept and follow once the current ones are through.
void CommandChannel::hand(const Batch &batch)
{
    kept_.insert(kept_.end(), batch.begin(), batch.end());
    if (!handler_ || delivering_)
        return;
    delivering_ = true;
    while (!kept_.empty())
        for (const WindowMessage &m : std::exchange(kept_, {}))
            handler_(m);
    delivering_ = false;
}

Delivery sendToRunningPlayer(const std::vector<WindowMessage> &messages, QString *error)
{
    QString problem;
    const QString name = commandChannelName(&problem);
    if (messages.size() > maxMessagesPerSender)
        problem = QStringLiteral("too many messages for one sender");
    const QByteArray text = lines(messages);
    const QDeadlineTimer deadline(patienceMs);
    while (!name.isEmpty() && problem.isEmpty()) {
        if (!InstanceLock::isHeld(playerInstanceName))
            return Delivery::NoPlayer;
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(remainingMs(deadline)) && exchange(socket, text, deadline))
            return Delivery::Delivered;
        if (deadline.hasExpired()) {
            problem = socket.state() == QLocalSocket::ConnectedState
                ? QStringLiteral("no answer within %1 seconds").arg(patienceMs / 1000)
                : socket.errorString();
            break;
        }
        QThread::msleep(100);
    }
    if (error)
        *error = problem;
    return Delivery::Unreachable;
}

}  // namespace platform
