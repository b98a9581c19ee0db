#pragma once

// The tag editor: the current song's from the main window's information
// button and its menu item, a playlist entry's from the playlist window.

#include "app/feature.h"
#include "playlist/id3_form.h"

class TagFeature : public Feature {
public:
    explicit TagFeature(AppContext &app);

    std::vector<FeatureWindow *> windows() override { return {&editor_}; }
    void applyTexts(const Messages &messages) override;

    TID3Form &editor() { return editor_.get(); }
    // The current song, with the playing stream's information.
    void openCurrentSong();
    void openEntry(int index);

private:
    Window<TID3Form> editor_;
};
