#include "remote_commands.h"

#include <algorithm>

namespace {

using A = RemoteCommand::Argument;

const std::vector<RemoteCommand> table = {
    {"preferences", 40012, A::None},   {"open", 40029, A::None},        {"equalizer", 40036, A::None},
    {"playlist", 40040, A::None},      {"browser", 40041, A::None},     {"previous", 40044, A::None},
    {"play", 40045, A::None},          {"pause", 40046, A::None},       {"stop", 40047, A::None},
    {"next", 40048, A::None},          {"volume-up", 40058, A::None},   {"volume-down", 40059, A::None},
    {"forward", 40060, A::None},       {"back", 40061, A::None},        {"repeat", 40090, A::None},
    {"shuffle", 40091, A::None},       {"cd-mode", 40092, A::None},     {"mode", 40093, A::None},
    {"time", 40094, A::None},          {"play-entry", 40095, A::EntryNumber}, {"volume", 40096, A::Volume},
    {"jump-back", 40144, A::None},     {"load", 40145, A::None},        {"jump-forward", 40148, A::None},
    {"first", 40154, A::None},         {"url", 40155, A::None},         {"last", 40158, A::None},
    {"step-forward", 40160, A::None},  {"step-back", 40161, A::None},   {"select-all", 40162, A::None},
    {"delete-selected", 40163, A::None}, {"jump-to-song", 40164, A::None}, {"double-size", 40165, A::None},
};

}  // namespace

const std::vector<RemoteCommand> &remoteCommands()
{
    return table;
}

const RemoteCommand *findRemoteCommand(int number)
{
    const auto it = std::find_if(table.begin(), table.end(), [number](const RemoteCommand &c) { return c.number == number; });
    return it == table.end() ? nullptr : &*it;
}

const RemoteCommand *findRemoteCommand(const QString &name)
{
    const auto it = std::find_if(table.begin(), table.end(), [&name](const RemoteCommand &c) {
        return name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0;
    });
    return it == table.end() ? nullptr : &*it;
}

std::optional<platform::WindowMessage> remoteCommandMessage(const QString &command, std::intptr_t argument)
{
    bool isNumber = false;
    int number = command.toInt(&isNumber);
    if (!isNumber) {
        const RemoteCommand *named = findRemoteCommand(command);
        if (!named)
            return std::nullopt;
        number = named->number;
    }
    if (number <= 40000 || number >= 40200)
        return std::nullopt;
    return platform::WindowMessage{commandMessageNumber, static_cast<std::uintptr_t>(number), argument};
}
