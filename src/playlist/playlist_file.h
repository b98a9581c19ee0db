#pragma once

// Reading a playlist file into the playlist: one entry per line, addresses
// as network entries, relative names from the list's own folder.

#include "playlist_model.h"

#include <QString>

// Appends the entries; a file that cannot be read adds nothing.
void appendPlaylistFile(PlaylistModel &playlist, const QString &path);
