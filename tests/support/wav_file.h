#pragma once

// Reads the format and 16-bit samples of a WAV file (any chunk order).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct WavData {
    int channels = 0;
    int rate = 0;
    std::vector<int16_t> samples;  // interleaved

    std::size_t frames() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

std::optional<WavData> readWav(const std::string &path);
// Decodes a song with the mpg123 command-line program into a WAV file.
std::optional<WavData> decodeWithMpg123(const std::string &song, const std::string &wavPath);
// Energy of one channel below the given frequency, by a one-pole low-pass.
double lowBandEnergy(const WavData &wav, int channel, double cutoffHz);
