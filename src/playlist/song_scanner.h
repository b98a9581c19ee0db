#pragma once

// Reads the tags and exact lengths of song files on a pool of worker
// threads, never the caller's, answering from the cache where a file is
// unchanged. Results arrive as signals on the scanner's thread, in batches.

#include "playlist/song_cache.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>

struct ScannedSong {
    QString path;
    SongFacts facts;
};

class SongScanner : public QObject {
    Q_OBJECT

public:
    explicit SongScanner(SongCache &cache, QObject *parent = nullptr);
    // Waits for the workers; results not yet told are dropped.
    ~SongScanner() override;

    void scan(const QStringList &paths);
    // Writes the cache's file on a worker.
    void saveCache();
    // Drops the files not yet begun and waits for the workers.
    void stop();
    bool busy() const { return pending_ > 0; }

signals:
    void scanned(const QList<ScannedSong> &songs);
    // Every file asked for so far has been told.
    void finished();

private:
    void tell(const QList<ScannedSong> &songs);

    SongCache &cache_;
    QThreadPool pool_;
    std::atomic<bool> stopping_ = false;
    int pending_ = 0;  // batches not yet told; GUI thread only
};

// One file's facts, read now on the calling thread.
SongFacts readSongFacts(const QString &path);
