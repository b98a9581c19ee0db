#pragma once

// The keys of classic players, each the shortcut of a command of the table:
// a key runs the command as ludroctl and plug-ins do, and the menus show it.

#include "core/remote_control.h"

#include <QAction>
#include <QKeySequence>
#include <QList>

#include <vector>

struct CommandKey {
    const char *command;
    QList<QKeySequence> keys;
};

const std::vector<CommandKey> &commandKeys();
// The keys of a command; none for a command without keys.
QList<QKeySequence> keysOf(const char *command);

class CommandKeys : public QObject {
public:
    explicit CommandKeys(const RemoteControl &remote, QObject *parent = nullptr);

    // The keys work while `window` is the active window.
    void serve(QWidget &window);

private:
    QList<QAction *> actions_;
};
