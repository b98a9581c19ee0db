#include "wav_file.h"

#include <QProcess>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>

namespace {

uint32_t le(const unsigned char *p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

}  // namespace

std::optional<WavData> readWav(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavData wav;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = le(&bytes[at + 4], 4);
        const std::size_t body = at + 8;
        const std::size_t available = std::min<std::size_t>(size, bytes.size() - body);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && available >= 16) {
            wav.channels = static_cast<int>(le(&bytes[body + 2], 2));
            wav.rate = static_cast<int>(le(&bytes[body + 4], 4));
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            wav.samples.resize(available / 2);
            if (!wav.samples.empty())
                std::memcpy(wav.samples.data(), &bytes[body], wav.samples.size() * 2);
            return wav;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<WavData> decodeWithMpg123(const std::string &song, const std::string &wavPath)
{
    QProcess mpg123;
    mpg123.start("mpg123", {"-q", "-w", QString::fromStdString(wavPath), QString::fromStdString(song)});
    if (!mpg123.waitForFinished(60000) || mpg123.exitCode() != 0)
        return std::nullopt;
    return readWav(wavPath);
}

double lowBandEnergy(const WavData &wav, int channel, double cutoffHz)
{
    const double a = 1.0 - std::exp(-2.0 * std::numbers::pi * cutoffHz / wav.rate);
    double y = 0, energy = 0;
    for (std::size_t i = 0; i < wav.frames(); ++i) {
        y += a * (wav.samples[i * static_cast<std::size_t>(wav.channels) + static_cast<std::size_t>(channel)] - y);
        energy += y * y;
    }
    return energy / std::max<std::size_t>(1, wav.frames());
}
