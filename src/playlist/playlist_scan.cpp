#include "playlist/playlist_scan.h"

#include "playlist/song_tag.h"

PlaylistScan::PlaylistScan(PlaylistModel &playlist, SongScanner &scanner, QObject *parent)
    : QObject(parent), playlist_(playlist), scanner_(scanner)
{
    connect(&playlist, &PlaylistModel::changed, this, [this](PlaylistModel::Level level, int, int) {
        if (level == PlaylistModel::Level::Structure)
            requestNew();
    });
    connect(&scanner, &SongScanner::scanned, this, &PlaylistScan::show);
    requestNew();
}

void PlaylistScan::rescan(const QString &path)
{
    requested_.remove(path);
    requestNew();
}

void PlaylistScan::requestNew()
{
    rowsStale_ = true;
    QStringList paths;
    for (int i = 0; i < playlist_.entryCount(); ++i) {
        if ((*playlist_.entryAt(i))[PlaylistEntry::Path].isEmpty())
            continue;
        const QString path = playlist_.entryPath(i);
        if (!requested_.contains(path)) {
            requested_.insert(path);
            paths << path;
        }
    }
    if (!paths.isEmpty())
        scanner_.scan(paths);
}

void PlaylistScan::show(const QList<ScannedSong> &songs)
{
    if (rowsStale_) {
        rows_.clear();
        for (int i = 0; i < playlist_.entryCount(); ++i)
            rows_[playlist_.entryPath(i)] << i;
        rowsStale_ = false;
    }
    for (const ScannedSong &song : songs) {
        const SongTag tag = songTag(song.facts.tag);
        const int seconds = song.facts.seconds;
        for (const int row : rows_.value(song.path)) {
            // The list may have changed since its change was told.
            if (playlist_.entryPath(row) != song.path)
                continue;
            if (seconds >= 0)
                playlist_.setColumn(row, PlaylistEntry::Time,
                                    QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0')));
            showTagColumns(playlist_, row, song.facts.tag);
            playlist_.setShownTitle(row, tag.displayTitle);
        }
    }
}
