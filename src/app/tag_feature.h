#pragma once

// The tag editor: the current song's from the main window's information
// button and its menu item, a playlist entry's from the playlist window; and
// the background scan that reads every playlist song's tag and length.

#include "app/feature.h"
#include "playlist/id3_form.h"
#include "playlist/playlist_scan.h"
#include "playlist/song_cache.h"
#include "playlist/song_scanner.h"

class TagFeature : public Feature {
public:
    explicit TagFeature(AppContext &app);
    // Stops the scan and keeps what it learnt.
    ~TagFeature() override;

    std::vector<FeatureWindow *> windows() override { return {&editor_}; }
    void applyTexts(const Messages &messages) override;

    TID3Form &editor() { return editor_.get(); }
    // The current song, with the playing stream's information.
    void openCurrentSong();
    void openEntry(int index);

private:
    Window<TID3Form> editor_;
    SongCache cache_;
    SongScanner scanner_;
    PlaylistScan listScan_;
};
