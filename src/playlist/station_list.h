#pragma once

// A station list (.pls, .m3u) that came from the network in place of audio:
// the stations it names, to take the place of its address in the playlist.
// Only http and https addresses count: a remote list must not make the player
// open a local file, and relative names have nothing here to be relative to.

#include <QString>
#include <QStringList>

namespace playlist_files {

// Lists inside lists go no deeper than this.
inline constexpr int maxStationListDepth = 5;
inline constexpr int maxStationListEntries = 100;

struct StationList {
    QStringList addresses;   // at most maxStationListEntries, in the list's order
    bool segmented = false;  // an HLS media list of segments, not of stations
};

StationList readStationList(const QString &text);

}  // namespace playlist_files
