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
};

}  // namespace cd
