#include "wav_file.h"

#include <QFile>
#include <QProcess>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

uint32_t le(const char *p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

}  // namespace

std::optional<WavData> readWav(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    WavData wav;
    for (std::size_t at = 12, size; at + 8 <= std::size_t(bytes.size()); at += 8 + size + (size & 1)) {
        size = le(bytes.constData() + at + 4, 4);
        const char *body = bytes.constData() + at + 8;
        const std::size_t available = std::min<std::size_t>(size, bytes.size() - at - 8);
        if (bytes.mid(at, 4) == "fmt " && available >= 16) {
            wav.channels = static_cast<int>(le(body + 2, 2));
            wav.rate = static_cast<int>(le(body + 4, 4));
        } else if (bytes.mid(at, 4) == "data") {
            wav.samples.resize(available / 2);
            if (!wav.samples.empty())
                std::memcpy(wav.samples.data(), body, wav.samples.size() * 2);
            return wav;
        }
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
