#pragma once

// The player in the desktop: the tray buttons, the media-player service on
// the session bus, and the file types registered on the user's request with
// the icons chosen in the preferences.

#include "app/feature.h"
#include "app/mpris_bridge.h"
#include "shell/shell_controller.h"

#include <memory>

class CdFeature;

class ShellFeature : public Feature {
public:
    ShellFeature(AppContext &app, CdFeature &cd);

    void restore() override;
    void applyTexts(const Messages &messages) override;
    // The bus is joined once the main window shows.
    void started() override;

    shell::ShellController &tray() { return tray_; }
    // The settings "Icon1" and "Icon2" pick the icons; the outcome is shown
    // in a message box.
    void registerFileTypes();

private:
    CdFeature &cd_;
    shell::ShellController tray_;
    // On the session bus when there is one.
    std::unique_ptr<MprisBridge> mpris_;
};
