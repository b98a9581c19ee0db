#pragma once

// The names of a disc: what the cache file holds and the playlist's CD view shows.

#include <QString>
#include <QStringList>

namespace cd {

struct DiscNames {
    QString title;
    QString artist;
    QStringList tracks;  // one per track, in track order, no number prefix
    int revision = 0;    // of the disc-database record, 0 when none was read
    // The rest of a fetched record, kept so that sending the names back
    // does not wipe them in the shared database.
    QString year, genre;
    QString extd;        // extended data of the disc
    QStringList extt;    // of each track, in track order; may hold fewer
};

}  // namespace cd
