#pragma once

// The names of every disc the player has met, one file per disc in the
// folder "tracks" of the program folder, named by the disc id: the disc
// title, the artist, then one line per track name. Older versions named the
// file by the lengths of the first three tracks and kept track names only;
// such a file is moved to the disc id's name when its disc comes back.

#include "disc_id.h"
#include "disc_names.h"

#include <QString>

namespace cd {

// The program folder's "tracks/".
QString tracksFolder();

// The names of the disc from its file (the older file first), no more than
// `trackCount` (0: all the file holds); true when one was found. Else
// numbered placeholders "CD-Track" for 0 < trackCount < 100, and false.
// `legacyName` empty: the disc has no older file.
bool loadTrackNames(const QString &tracksFolder, const DiscId &id, const QString &legacyName, int trackCount,
                    DiscNames &names);

// Replaces the disc's file as a whole, making the folder when missing; false
// when it cannot be written. Names without tracks are not saved (true).
bool saveTrackNames(const QString &tracksFolder, const QString &discId, const DiscNames &names);

}  // namespace cd
