// ludroctl: sends a command to the running Ludro Pro player, as plug-ins and
// other programs do.
//   ludroctl COMMAND [ARGUMENT]     a name below or a number 40001-40199
//   ludroctl --handover FILE        plays FILE in the running player
// It waits until the player confirms, for a few seconds at most; the status
// is 0 only when everything arrived.

#include "core/hand_over.h"
#include "core/remote_commands.h"
#include "platform/command_channel.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: ludroctl COMMAND [ARGUMENT]\n       ludroctl --handover FILE\nCOMMAND is a number "
                         "from 40001 to 40199 or one of:");
    for (const RemoteCommand &command : remoteCommands())
        std::fprintf(stderr, " %s", command.name);
    std::fprintf(stderr, "\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args.size() > 3)
        return usage();

    std::vector<platform::WindowMessage> messages;
    if (args[1] == "--handover") {
        if (args.size() != 3)
            return usage();
        messages = handOverMessages(QFileInfo(args[2]).absoluteFilePath());
    } else {
        bool argumentOk = true;
        const long long argument = args.size() == 3 ? args[2].toLongLong(&argumentOk) : 0;
        const auto message = remoteCommandMessage(args[1], static_cast<std::intptr_t>(argument));
        if (!message || !argumentOk)
            return usage();
        messages.push_back(*message);
    }
    QString error;
    switch (platform::sendToRunningPlayer(messages, &error)) {
    case platform::Delivery::Delivered:
        return 0;
    case platform::Delivery::NoPlayer:
        std::fprintf(stderr, "ludroctl: no Ludro Pro player is running\n");
        return 1;
    case platform::Delivery::Unreachable:
        break;
    }
    std::fprintf(stderr, "ludroctl: could not reach the running player (%s)\n", qPrintable(error));
    return 1;
}
