#pragma once

// The main window as a player: its transport buttons, knobs and read-outs,
// the pop-up menu's recent files, the hints kept up to date, the scrolling
// title, and the playback commands of the table.

#include "app/feature.h"
#include "appearance/title_scroller.h"

#include <QTimer>

class PlayerFeature : public Feature {
public:
    explicit PlayerFeature(AppContext &app);

    void restore() override;
    void store() override;
    void bindCommands(RemoteControl &remote) override;

    // Timer1's share: the hints of the volume, balance, position and title.
    void updateHints();
    // Timer2's share: one step of the scrolling title.
    void scrollTitle();
    // The address window, then the address it gave.
    void openAddress();

private:
    void showRecentFiles();

    TitleScroller titleScroller_;
    QTimer wheelRest_;
};
