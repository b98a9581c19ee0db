#pragma once

// The skinned windows' size: 1x, 1.5x, 2x or 3x from the options menu, and
// double size (Ctrl+D, its menu item and the command) between 1x and 2x.
// Windows docked to the main window stay docked. The size is kept as the
// setting "WindowSize"; the screen's device pixel ratio comes on top of it,
// from Qt, so a first start is 1x.

#include "app/feature.h"

namespace shell {
class WindowDocking;
}

class WindowSizeFeature : public Feature {
public:
    WindowSizeFeature(AppContext &app, shell::WindowDocking &docking);

    void restore() override;
    void store() override;
    void bindCommands(RemoteControl &remote) override;

    // In percent: 100, 150, 200 or 300.
    int size() const;
    void setSize(int percent);
    void toggleDoubleSize();

private:
    void showChecks();

    shell::WindowDocking &docking_;
};
