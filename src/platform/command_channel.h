#pragma once

// Window messages from other programs: the running player listens on a
// per-user local socket. A sender writes one line "msg wParam lParam" per
// message, then an empty line; the player answers "ok" once it holds every
// message before it. One sender's messages are handed on together, so
// senders at the same instant never mix their hand-overs.

#include "window_messages.h"

#include <QLocalServer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QLocalSocket;

namespace platform {

// Most messages one sender may send: a file name as long as one command-line
// argument can be (128 KiB) and its end.
constexpr std::size_t maxMessagesPerSender = 128 * 1024 + 1;

class CommandChannel : public QObject {
public:
    using Handler = std::function<void(const WindowMessage &)>;

    explicit CommandChannel(const QString &name, QObject *parent = nullptr);
    ~CommandChannel() override;

    // For the holder of the instance lock only: a socket file found there was
    // left by a crashed player and is replaced.
    bool listen();
    QString errorString() const { return server_.errorString(); }

    // Messages are kept until the program is ready for them: from now on
    // they go to `handler`, the kept ones first.
    void deliverTo(Handler handler);

private:
    using Batch = std::vector<WindowMessage>;
    void readFrom(QLocalSocket *socket, std::shared_ptr<Batch> batch);
    void hand(const Batch &batch);

    QString name_;
    Handler handler_;
    Batch kept_;
    bool delivering_ = false;
    QLocalServer server_;
};

// The per-user socket name of the player; empty, with the reason in *error,
// when there is no safe folder for it.
QString commandChannelName(QString *error = nullptr);

enum class Delivery { Delivered, NoPlayer, Unreachable };

// Sends the messages to the running player and waits for its answer. While a
// player holds the instance lock but does not answer (it may be starting),
// it tries again for a few seconds; NoPlayer when none holds the lock.
Delivery sendToRunningPlayer(const std::vector<WindowMessage> &messages, QString *error = nullptr);

}  // namespace platform
