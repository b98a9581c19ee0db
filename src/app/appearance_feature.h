#pragma once

// The program's look and language: the texture worn, the main window's mode
// (normal or Cool Bar) from its button, its menu item and the command, and
// the language the windows speak. Choosing either keeps it as the setting.
// Windows docked to the main window stay docked when a texture of another
// size is worn.

#include "app/feature.h"

namespace shell {
class WindowDocking;
}

class AppearanceFeature : public Feature {
public:
    AppearanceFeature(AppContext &app, shell::WindowDocking &docking);

    void restore() override;
    void store() override;
    void bindCommands(RemoteControl &remote) override;

    // A texture that cannot be worn changes neither the look nor the
    // setting, and is reported.
    void chooseTexture(const QString &name);
    void chooseLanguage(const QString &name);
    // Timer1's first tick: the language once more, for windows made while
    // the program started.
    void applyLanguageAgain();

private:
    shell::WindowDocking &docking_;
    bool languageAgain_ = false;
};
