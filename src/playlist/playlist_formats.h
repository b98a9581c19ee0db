#pragma once

// The text of a playlist file in the kind its name's extension asks for:
// PLS ([playlist], FileN, TitleN, LengthN, NumberOfEntries, Version=2),
// extended M3U (#EXTM3U, #EXTINF with length and title) for .m3u and .m3u8,
// one name a line for any other name. Always UTF-8.

#include "playlist_model.h"

#include <QByteArray>
#include <QString>

namespace playlist_files {

enum class ListKind { Pls, ExtendedM3u, Lines };

ListKind listKindOf(const QString &name);
QByteArray playlistText(const PlaylistModel &playlist, ListKind kind);
// What a list names for an entry: its address, or its file's path (as a
// "file:" address when a line break is in it).
QString listedName(const PlaylistModel &playlist, int index);
// The entry's title for other players: the artist and title when known,
// else the file name without its extension.
QString listedTitle(const PlaylistModel &playlist, int index);
// The time column's "m:ss" (or "h:mm:ss") in seconds; -1 when not known.
int listedSeconds(const QString &time);

}  // namespace playlist_files
