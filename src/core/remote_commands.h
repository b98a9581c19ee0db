#pragma once

// The commands other programs, plug-ins and the player's own windows send
// it: one table of names, numbers and what the argument means, read by
// ludroctl, the message hook and every later front end.

#include "platform/window_messages.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

struct RemoteCommand {
    enum class Argument { None, EntryNumber, Volume };
    const char *name;
    int number;
    Argument argument;
};

// Every command the player accepts, numbers above 40000 and below 40200.
const std::vector<RemoteCommand> &remoteCommands();
const RemoteCommand *findRemoteCommand(int number);
const RemoteCommand *findRemoteCommand(const QString &name);

// WM_COMMAND, the message that carries a command.
constexpr std::uint32_t commandMessageNumber = 273;

// The message for a command given by name or number; nothing when it names
// no command.
std::optional<platform::WindowMessage> remoteCommandMessage(const QString &command, std::intptr_t argument);
