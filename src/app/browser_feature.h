#pragma once

// The music browser: shown from the menu and by the command, the help page
// of every window, its place kept in the settings.

#include "app/feature.h"
#include "browser/browser_controller.h"

class BrowserFeature : public Feature {
public:
    explicit BrowserFeature(AppContext &app);

    std::vector<FeatureWindow *> windows() override { return {&window_}; }
    void applyTexts(const Messages &messages) override;
    void bindCommands(RemoteControl &remote) override;

    BrowserController &browser() { return browser_; }
    void openHelpPage(const QString &page) { browser_.OpenHelpPage(page); }

private:
    BrowserController browser_;
    FeatureWindow window_;
};
