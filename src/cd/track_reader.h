#pragma once

// Reads one audio track as the disc stores it, for bit-exact copies: from
// its first sector up to the first sector of the next track (the lead-out
// after the last), as fast as the drive delivers. Opens a handle of its own,
// so the player's device can stay open meanwhile. An image cut short inside
// the track is read up to its end only, never past it.

#include "disc_source.h"

#include <QString>

#include <memory>

namespace cd {

class SectorReader;

inline constexpr int bytesPerSector = 2352;

class TrackReader {
public:
    // Null with `error` set when the drive cannot be opened or `track`
    // (1-based) is not an audio track of its disc.
    static std::unique_ptr<TrackReader> open(const DiscSource &source, int track, QString &error);
    ~TrackReader();

    long sectors() const { return end_ - first_; }
    // Of those, the ones the disc holds: fewer when the image ends inside the track.
    long sectorsHeld() const { return held_ - first_; }
    long sectorsRead() const { return next_ - first_; }
    bool atEnd() const { return next_ >= held_; }
    // Up to `maxSectors` further sectors, appended to `bytes`.
    void read(int maxSectors, QByteArray &bytes);

private:
    TrackReader() = default;

    std::unique_ptr<QTemporaryDir> links_;
    CdIo_t *cdio_ = nullptr;
    std::unique_ptr<SectorReader> reader_;
    long first_ = 0, next_ = 0, held_ = 0, end_ = 0;  // LSN
};

}  // namespace cd
