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
    bool isBound(int number) const { return actions_.contains(number); }
    // While `ignored` says so, commands are dropped (from outside, they
    // must not reach past a modal window).
    void setIgnored(std::function<bool()> ignored) { ignored_ = std::move(ignored); }
    bool ignored() const { return ignored_ && ignored_(); }
    // The message hook's share.
    void queue(int number, int argument);
    // Timer2's share: the queued command, if any, is carried out.
    void executeQueued();
    void execute(int number, int argument) const;
    // `name` is one of the table's names.
    void execute(const char *name, int argument = 0) const;

private:
    std::map<int, Action> actions_;
    std::function<bool()> ignored_;
    int queuedCommand_ = 0;
    int queuedArgument_ = 0;
};
