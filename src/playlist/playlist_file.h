#pragma once

// Playlist files (.m3u, .m3u8, .pls, .dmp): written in the kind the name's
// extension says (playlist_formats.h); read leniently, as other players
// write them.

#include "playlist_model.h"

#include <QString>
#include <QStringList>

namespace playlist_files {

// The names a list's text holds, in order: the "FileN=" values of a .pls
// list (`plsName`: the list is named so) that has such keys, every other
// line but an extended M3U comment otherwise. A "file:" address is
// given as the local path it names.
QStringList namesInList(QString text, bool plsName);
// The playlist window's reader: appends the addresses and the existing
// MPEG audio files the file names. Relative names are found from the
// playlist's own folder. Returns the system's description of a failure to
// read, empty on success.
QString readPlaylistFile(PlaylistModel &playlist, const QString &name);
// The main window's open: a song or a stream address alone, or every line
// of a playlist whether its file exists or not; a list that cannot be read
// gives an empty list.
// A file that holds no text is no playlist: the list stays as it was and
// the message to show is returned (empty otherwise).
QString openFromMainWindow(PlaylistModel &playlist, const QString &name);
// Writes every entry in the kind of the name, replacing the file only once
// it is whole.
// Returns the system's description of a failure, empty on success.
QString writePlaylistFile(const PlaylistModel &playlist, const QString &name);
// "Ludro.m3u" in the folder of the user's files.
QString defaultPlaylistPath();

}  // namespace playlist_files
