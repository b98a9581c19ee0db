#pragma once

// The playlist window: shown and hidden by the main window's playlist button
// and the command, told of the entry the main window points at, its font and
// columns kept in the settings, files dropped on the main window, and the
// default playlist kept across runs.

#include "app/feature.h"
#include "playlist/pl_form.h"

class PlaylistFeature : public Feature {
    Q_OBJECT

public:
    explicit PlaylistFeature(AppContext &app);

    std::vector<FeatureWindow *> windows() override { return {&window_}; }
    void restore() override;
    void store() override;
    void applyTexts(const Messages &messages) override;
    void bindCommands(RemoteControl &remote) override;

    TPLForm &form() { return window_.get(); }
    // The face, boldness, colour and size of the settings.
    void applyFont();
    // Background work: a failure keeps the old file and is not shown; an
    // empty list leaves the old file for the next start.
    void saveDefaultPlaylist();

signals:
    // The window was just made, on first use.
    void formMade(TPLForm &form);

private:
    void applyFont(TPLForm &form);
    void dropOnMainWindow(const QStringList &names);

    Window<TPLForm> window_;
};
