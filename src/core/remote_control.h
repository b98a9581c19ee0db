#pragma once

// The player's end of the command table: one command slot, which a later
// command replaces before Timer2 takes it, and the action bound to each
// command. Arguments out of a command's range never reach its action.

#include "core/remote_commands.h"

#include <functional>
#include <map>

class RemoteControl {
public:
    using Action = std::function<void(int argument)>;

    // `name` is one of the table's names.
    void bind(const char *name, Action action);
    // The message hook's share.
    void queue(int number, int argument);
    // Timer2's share: the queued command, if any, is carried out.
    void executeQueued();
    void execute(int number, int argument) const;

private:
    std::map<int, Action> actions_;
    int queuedCommand_ = 0;
    int queuedArgument_ = 0;
};
