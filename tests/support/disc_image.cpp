#include "disc_image.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <numbers>

namespace {

constexpr long framesPerSector = 588;
constexpr int sectorBytes = 2352;

QString cueTime(long sectors)
{
    return QString::asprintf("%02ld:%02ld:%02ld", sectors / 75 / 60, sectors / 75 % 60, sectors % 75);
}

}  // namespace

int16_t toneSample(int hz, long index)
{
    return static_cast<int16_t>(std::lround(12000 * std::sin(2 * std::numbers::pi * hz * index / 44100.0)));
}

QString writeDiscImage(const QString &folder, const std::vector<ImageTrack> &tracks, const QString &name)
{
    QDir().mkpath(folder);
    const QString base = QDir(folder).filePath(name);
    QByteArray bin;
    QString cue = QStringLiteral("FILE \"%1.bin\" BINARY\n").arg(name);
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const ImageTrack &track = tracks[i];
        cue += QString::asprintf("  TRACK %02zu %s\n", i + 1, track.data ? "MODE1/2352" : "AUDIO");
        if (track.pregapSectors > 0)
            cue += "    INDEX 00 " + cueTime(bin.size() / sectorBytes) + '\n';
        bin.append(QByteArray(track.pregapSectors * sectorBytes, '\0'));
        cue += "    INDEX 01 " + cueTime(bin.size() / sectorBytes) + '\n';
        // Data sectors are zeros; audio has the tone on both channels.
        for (long sample = 0; sample < track.sectors * framesPerSector * 2; ++sample) {
            const int16_t value = track.data ? 0 : toneSample(track.toneHz, sample / 2);
            bin.append(static_cast<char>(value & 0xff)).append(static_cast<char>((value >> 8) & 0xff));
        }
    }
    writeFile(base + ".bin", bin);
    writeFile(base + ".cue.part", cue.toUtf8());
    QFile::remove(base + ".cue");
    return QFile::rename(base + ".cue.part", base + ".cue") ? base + ".cue" : QString{};
}
