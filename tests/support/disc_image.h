#pragma once

// Disc images for the CD tests: a .bin of raw 2352-byte sectors (16-bit
// little-endian stereo, 44.1 kHz) and the .cue that describes it, with the
// .bin under the .cue's base name, where libcdio looks for it.

#include <QString>

#include <cstdint>
#include <vector>

struct ImageTrack {
    long sectors = 0;        // from INDEX 01 to the next track
    int toneHz = 0;          // audio: a sine of this frequency on both channels
    bool data = false;       // a MODE1/2352 data track instead
    long pregapSectors = 0;  // silence before INDEX 01, under INDEX 00
};

// Writes `folder`/`name`.bin, then the .cue (renamed into place, so a drive
// watching it sees a whole image); returns the .cue's path.
QString writeDiscImage(const QString &folder, const std::vector<ImageTrack> &tracks, const QString &name = "disc");

// The sample at `index` samples into the audio of a track with that tone.
int16_t toneSample(int hz, long index);
