#pragma once

// Making the player the opener of MPEG audio files (.mp1, .mp2, .mp3) and
// playlists (.m3u, .pls, .dmp) for the user, the freedesktop.org way: two
// desktop entries of our own, a MIME package of our own for what the
// system lacks, and our types' defaults in mimeapps.list. Other programs'
// types, entries and defaults are never changed.

#include <QString>
#include <QStringList>

namespace shell {

struct Registration {
    enum Outcome { Registered, NotDefault, Failed };
    Outcome outcome = Failed;
    // Why it failed; for NotDefault the desktop's own list that wins over
    // ours, else the entry xdg-mime names instead.
    QString detail;
};

// `audioIcon` and `playlistIcon` are .ico files (or empty): each is stored as
// a PNG beside our entries. Reports Registered only once `xdg-mime query
// default` names our entries.
Registration registerFileTypes(const QString &program, const QString &audioIcon, const QString &playlistIcon);

// The paths of the icon files ("*.ico") of `folders`, each folder in listing
// order, a name in an earlier folder hiding the same in a later one; at
// most 101.
QStringList iconFiles(const QStringList &folders);

// The MIME type of our own playlist type, .dmp.
inline constexpr char dmpType[] = "audio/x-ludropro-playlist";

}  // namespace shell
