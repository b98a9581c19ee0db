#pragma once

// The keys of classic players on the main and playlist windows, each a
// command of the table, and the "jump to song" box that J opens.

#include "app/command_keys.h"
#include "app/feature.h"

class PlaylistFeature;

class KeysFeature : public Feature {
public:
    KeysFeature(AppContext &app, PlaylistFeature &playlist);

    void bindCommands(RemoteControl &remote) override;
    // The box, then the song chosen plays.
    void jumpToSong();

private:
    CommandKeys keys_;
};
