#include "playlist/playlist_scan.h"

#include "playlist/song_tag.h"

#include <QMetaObject>

#include <algorithm>

PlaylistScan::PlaylistScan(PlaylistModel &playlist, SongScanner &scanner, QObject *parent)
    : QObject(parent), playlist_(playlist), scanner_(scanner)
{
    connect(&playlist, &PlaylistModel::changed, this, [this](PlaylistModel::Level level, int first, int count) {
        if (level == PlaylistModel::Level::Structure)
            requestNew(first, count);
    });
    connect(&scanner, &SongScanner::scanned, this, &PlaylistScan::show);
    requestNew(0, playlist.entryCount());
}

void PlaylistScan::rescan(const QString &path)
{
    requested_.remove(path);
    requestNew(0, playlist_.entryCount());
}

// Rows added at the end leave the others in place: only they are new, and
// the rows of each path grow. Any other change may have moved every row, so
// the whole list is walked again and its rows found anew.
void PlaylistScan::requestNew(int first, int count)
{
    const bool appended = first == rowsKnown_ && count >= 0;
    rowsStale_ = rowsStale_ || !appended;
    rowsKnown_ = playlist_.entryCount();
    nextRow_ = appended ? std::min(nextRow_, first) : 0;
    if (!walkQueued_)
        walk();
}

// A slice of the list per turn of the event loop, so a list of thousands
// never holds up the windows.
void PlaylistScan::walk()
{
    const int end = std::min(nextRow_ + RowsPerTurn, playlist_.entryCount());
    QStringList paths;
    for (int i = nextRow_; i < end; ++i) {
        if ((*playlist_.entryAt(i))[PlaylistEntry::Path].isEmpty())
            continue;
        const QString path = playlist_.entryPath(i);
        if (!rowsStale_)
            rows_[path] << i;
        if (!requested_.contains(path)) {
            requested_.insert(path);
            paths << path;
        }
    }
    nextRow_ = std::max(nextRow_, end);
    if (!paths.isEmpty())
        scanner_.scan(paths);
    walkQueued_ = nextRow_ < playlist_.entryCount();
    if (walkQueued_)
        QMetaObject::invokeMethod(this, &PlaylistScan::walk, Qt::QueuedConnection);
}

void PlaylistScan::show(const QList<ScannedSong> &songs)
{
    if (rowsStale_) {
        rows_.clear();
        for (int i = 0; i < playlist_.entryCount(); ++i)
            rows_[playlist_.entryPath(i)] << i;
        rowsStale_ = false;
        rowsKnown_ = playlist_.entryCount();
    }
    for (const ScannedSong &song : songs) {
        // A song added again later is asked for again: the cache answers.
        requested_.remove(song.path);
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
