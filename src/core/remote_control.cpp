#include "remote_control.h"

#include <QtGlobal>

#include <utility>

namespace {

bool inRange(RemoteCommand::Argument kind, int argument)
{
    switch (kind) {
    case RemoteCommand::Argument::EntryNumber:
        return argument >= 1;
    case RemoteCommand::Argument::Volume:
        return argument >= 0 && argument <= 100;
    case RemoteCommand::Argument::None:
        break;
    }
    return true;
}

}  // namespace

void RemoteControl::bind(const char *name, Action action)
{
    const RemoteCommand *command = findRemoteCommand(QLatin1String(name));
    if (!command)
        qFatal("no remote command is named %s", name);
    actions_[command->number] = std::move(action);
}

void RemoteControl::queue(int number, int argument)
{
    queuedCommand_ = number;
    queuedArgument_ = argument;
}

void RemoteControl::executeQueued()
{
    const int command = std::exchange(queuedCommand_, 0);
    if (command != 0)
        execute(command, queuedArgument_);
}

// Numbers in the accepted range that name no command, or a command not yet
// bound, do nothing.
void RemoteControl::execute(int number, int argument) const
{
    if (ignored())
        return;
    const RemoteCommand *command = findRemoteCommand(number);
    const auto action = actions_.find(number);
    if (command && action != actions_.end() && inRange(command->argument, argument))
        action->second(argument);
}

void RemoteControl::execute(const char *name, int argument) const
{
    execute(findRemoteCommand(QLatin1String(name))->number, argument);
}
