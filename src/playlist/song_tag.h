#pragma once

// What a starting song's tag gives the main window and the playlist: the
// tag's values with their stand-ins, the title to show, and the playlist
// entry's "Artist", "Album" and "Genre" columns.

#include "playlist/id3_tag.h"
#include "playlist/playlist_model.h"

#include <QString>

#include <optional>

struct SongTag {
    bool present = false;
    QString title;  // "No ID3 Tag" without a tag
    QString artist, album, year, comment, genre;
    // Empty without a tag or title; else "artist - title", or the title alone.
    QString displayTitle;
};

SongTag songTag(const std::optional<Id3Tag> &tag);
// The entry's columns: empty without a tag, else the values or "<NA>".
void showTagColumns(PlaylistModel &playlist, int index, const std::optional<Id3Tag> &tag);
