#pragma once

// Keeps the playlist's song columns filled: every file entry added, however
// it came (files, folders, a loaded list, the default list at start), is
// handed to the scanner once, and its results fill "Time", "Artist",
// "Album", "Genre" and the title shown through the model's change signals.

#include "playlist/playlist_model.h"
#include "playlist/song_scanner.h"

#include <QHash>
#include <QObject>
#include <QSet>

class PlaylistScan : public QObject {
public:
    PlaylistScan(PlaylistModel &playlist, SongScanner &scanner, QObject *parent = nullptr);

    // The file was written (the tag editor): read it again.
    void rescan(const QString &path);

private:
    static constexpr int RowsPerTurn = 1000;

    void requestNew(int first, int count);
    void walk();
    void show(const QList<ScannedSong> &songs);

    PlaylistModel &playlist_;
    SongScanner &scanner_;
    QSet<QString> requested_;  // asked for and not yet answered
    QHash<QString, QList<int>> rows_;  // the entries of each path
    bool rowsStale_ = false;
    int rowsKnown_ = 0;  // the list's length when rows_ was last right
    int nextRow_ = 0;    // the first row not yet walked
    bool walkQueued_ = false;
};
