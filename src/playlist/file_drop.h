#pragma once

// What dropped files do to the playlist: songs join it, other files are
// read as playlists.

#include "playlist_model.h"

#include <QStringList>

namespace file_drop {

struct DropOptions {
    bool clearList = false;  // "Clear Playlist on Filedrop"
    bool startPlay = true;   // "Start Playing on Filedrop"
};

// Names whose third- and second-last characters are "m" and "p" become
// songs; with `startPlay` the last of them is asked to play. Returns one
// error text per file that could not be read.
QStringList dropOnMainWindow(PlaylistModel &playlist, const QStringList &names, const DropOptions &options);
// ".mp1", ".mp2", ".mp3" become songs; nothing is cleared or started.
QStringList dropOnPlaylistWindow(PlaylistModel &playlist, const QStringList &names);

// Names from the command line or a second start, in order: addresses and
// songs join the list, other files are read as playlists; the caller
// settles the list. Returns one error text per file that could not be read.
QStringList addNamed(PlaylistModel &playlist, const QStringList &names);

}  // namespace file_drop
