#pragma once

// The playlist window's editing commands on the model, with their
// bookkeeping of the current song. Indexes are 0-based.

#include "playlist_model.h"

#include <QString>

#include <random>
#include <vector>

namespace playlist_edits {

// Removes the entries flagged in `selected` (or, with `keepSelected`, all
// the others); the current song stays on the entry that moves into place.
void deleteEntries(PlaylistModel &playlist, const std::vector<char> &selected, bool keepSelected);
void deleteAll(PlaylistModel &playlist);
// The current index moves with its song.
void reverse(PlaylistModel &playlist);
// The current index stays where it is.
void randomize(PlaylistModel &playlist, std::mt19937 &random);
// The current song moves with its entry.
void sort(PlaylistModel &playlist);
// Exchanges the entry with its neighbour; the entry's new index, or -1 when
// nothing moved (fewer than 3 entries, or at the end).
int moveUp(PlaylistModel &playlist, int index);
int moveDown(PlaylistModel &playlist, int index);
// Adds or removes the folder prefixes of file titles, then renumbers.
void applyMusicGroup(PlaylistModel &playlist);
// The first entry whose title begins with `text`, ignoring case; -1 if none.
int quickSearch(const PlaylistModel &playlist, const QString &text);
// "12 Song(s) - 46,8Mb", then the songs' total time once any is known
// ("12 Song(s) - 46,8Mb - 0:47:10"); empty for an empty list.
QString statusText(const PlaylistModel &playlist, const QString &songsWord);

}  // namespace playlist_edits
