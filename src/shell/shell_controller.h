#pragma once

// The player in the desktop: the five tray buttons (previous, play, stop,
// open, next) that drive it while its windows are hidden or covered.

#include "shell/tray_icon.h"

#include <QStringList>

#include <array>
#include <functional>
#include <memory>

namespace shell {

class ShellController {
public:
    explicit ShellController(std::unique_ptr<TrayBackend> backend = systemTray());

    // The preferences' tray check box.
    void ShowTrayIcons(bool show);
    // Previous, play, stop, open and next, in this order.
    void setCommands(std::array<std::function<void()>, 5> commands);
    void setToolTips(const QStringList &tips);
    TTrayIcon &trayIcon(int index) { return *icons_[index]; }

private:
    std::unique_ptr<TrayBackend> backend_;
    std::array<std::unique_ptr<TTrayIcon>, 5> icons_;
};

}  // namespace shell
