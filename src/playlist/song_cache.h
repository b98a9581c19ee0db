#pragma once

// What the scanner learnt of each song file, kept between runs in one file
// of the user's folder: the tag and the length, valid while the file's size
// and modification time stay as they were. Safe to use from any thread.

#include "playlist/id3_tag.h"

#include <QHash>
#include <QMutex>
#include <QString>

#include <optional>

struct SongFacts {
    std::optional<Id3Tag> tag;
    int seconds = -1;  // -1 when the file holds no MPEG audio
};

class SongCache {
public:
    // Songs beyond this many are dropped at saving, the longest unseen first.
    static constexpr int MaxSongs = 50000;

    explicit SongCache(QString file) : file_(std::move(file)) {}

    // Reads the file once, on first use; a missing or damaged file gives an
    // empty cache.
    std::optional<SongFacts> find(const QString &path, qint64 size, qint64 modified);
    void store(const QString &path, qint64 size, qint64 modified, const SongFacts &facts);
    // Writes the file whole when anything changed since the last save;
    // returns the error's description, or empty.
    QString save();

private:
    struct Record {
        qint64 size = 0;
        qint64 modified = 0;
        SongFacts facts;
        quint32 seen = 0;  // the run that last found the song
    };

    void loadOnce();

    const QString file_;
    QMutex mutex_;
    QMutex saving_;
    bool loaded_ = false;
    bool dirty_ = false;
    quint32 run_ = 1;
    QHash<QString, Record> songs_;
};
