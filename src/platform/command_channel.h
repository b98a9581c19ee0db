#pragma once

// Window messages from other programs: the running player listens on a
// per-user local socket; each message is one line "msg wParam lParam".

#include "window_messages.h"

#include <QLocalServer>
#include <QString>

#include <functional>
#include <vector>

namespace platform {

class CommandChannel : public QObject {
public:
    using Handler = std::function<void(const WindowMessage &)>;

    CommandChannel(const QString &name, Handler handler, QObject *parent = nullptr);
    bool listen();

private:
    void readFrom(class QLocalSocket *socket);

    QString name_;
    Handler handler_;
    QLocalServer server_;
};

// The per-user socket name of the player.
QString commandChannelName();

// Sends the messages to the running player; false when none runs.
bool sendToRunningPlayer(const std::vector<WindowMessage> &messages, QString *error = nullptr);

}  // namespace platform
