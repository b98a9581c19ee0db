#include "command_keys.h"

#include <QWidget>

#include <algorithm>

const std::vector<CommandKey> &commandKeys()
{
    static const std::vector<CommandKey> keys = {
        {"previous", {Qt::Key_Z}},
        {"play", {Qt::Key_X}},
        {"pause", {Qt::Key_C, Qt::Key_Space}},
        {"stop", {Qt::Key_V}},
        {"next", {Qt::Key_B}},
        {"step-forward", {Qt::Key_Right}},
        {"step-back", {Qt::Key_Left}},
        {"volume-up", {Qt::Key_Up}},
        {"volume-down", {Qt::Key_Down}},
        {"delete-selected", {QKeySequence::Delete}},
        {"select-all", {QKeySequence::SelectAll}},
        {"jump-to-song", {Qt::Key_J}},
    };
    return keys;
}

QList<QKeySequence> keysOf(const char *command)
{
    const auto &keys = commandKeys();
    const auto it = std::find_if(keys.begin(), keys.end(),
                                 [command](const CommandKey &k) { return qstrcmp(k.command, command) == 0; });
    return it == keys.end() ? QList<QKeySequence>() : it->keys;
}

CommandKeys::CommandKeys(const RemoteControl &remote, QObject *parent) : QObject(parent)
{
    for (const CommandKey &key : commandKeys()) {
        auto *action = new QAction(this);
        action->setShortcuts(key.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [&remote, command = key.command] { remote.execute(command); });
        actions_ << action;
    }
}

void CommandKeys::serve(QWidget &window)
{
    window.addActions(actions_);
}
