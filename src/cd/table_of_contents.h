#pragma once

// A disc's table of contents as read from the drive, in absolute frames
// (MSF address frames: LSN + 150).

#include <vector>

namespace cd {

struct CdTrack {
    int number = 0;         // 1-based
    long startFrame = 0;    // absolute (00:02.00 = 150 for a normal disc)
    long lengthFrames = 0;  // true length: next track's start (or the lead-out) minus this start
    bool audio = true;
    long endFrame() const { return startFrame + lengthFrames; }
    bool operator==(const CdTrack &) const = default;
};

struct TableOfContents {
    std::vector<CdTrack> tracks;
    long leadoutFrame = 0;  // absolute
    // An image cut short: where its sectors end (absolute), before the
    // lead-out its tracks ask for; 0 when it holds all of them.
    long imageEndFrame = 0;
    bool empty() const { return tracks.empty(); }
    bool operator==(const TableOfContents &) const = default;
    bool hasAudio() const;
    // Where the disc's sectors end: the lead-out, or the end of a short image.
    long dataEndFrame() const { return imageEndFrame > 0 ? imageEndFrame : leadoutFrame; }
    // Where playback ends: the end of the last audio track (0 without one),
    // or of the sectors before it.
    long audioEndFrame() const;
    // The track holding `frame`, 1-based; the last track at or past the lead-out,
    // 0 before the first track or without tracks.
    int trackAt(long frame) const;
};

}  // namespace cd
