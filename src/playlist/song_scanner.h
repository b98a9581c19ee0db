#pragma once

// Reads the tags and exact lengths of song files on a pool of worker
// threads, never the caller's, answering from the cache where a file is
// unchanged. Results arrive as signals on the scanner's thread, a few
// hundred songs per turn of its event loop, so a list answered at once from
// the cache never holds up the windows.

#include "playlist/song_cache.h"

#include <QList>
#include <QMutex>
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

signals:
    void scanned(const QList<ScannedSong> &songs);
    // Every file asked for so far has been told.
    void finished();

private:
    // From the workers: the songs join those to tell.
    void ready(const QList<ScannedSong> &songs);
    // On the scanner's thread: tells the next songs ready.
    void tell();

    SongCache &cache_;
    QThreadPool pool_;
    std::atomic<bool> stopping_ = false;
    qsizetype pending_ = 0;  // songs asked for and not yet told; scanner's thread only
    QMutex readyLock_;
    QList<ScannedSong> ready_;
    bool tellQueued_ = false;
};
