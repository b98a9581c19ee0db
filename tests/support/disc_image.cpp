#include "disc_image.h"

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

void appendTone(QByteArray &bin, long sectors, int hz)
{
    for (long i = 0; i < sectors * framesPerSector; ++i) {
        const int16_t sample = toneSample(hz, i);
        for (int channel = 0; channel < 2; ++channel) {
            bin.append(static_cast<char>(sample & 0xff));
            bin.append(static_cast<char>((sample >> 8) & 0xff));
        }
    }
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
    long at = 0;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const ImageTrack &track = tracks[i];
        cue += QString::asprintf("  TRACK %02zu %s\n", i + 1, track.data ? "MODE1/2352" : "AUDIO");
        if (track.pregapSectors > 0) {
            cue += "    INDEX 00 " + cueTime(at) + '\n';
            bin.append(QByteArray(track.pregapSectors * sectorBytes, '\0'));
            at += track.pregapSectors;
        }
        cue += "    INDEX 01 " + cueTime(at) + '\n';
        if (track.data)
            bin.append(QByteArray(track.sectors * sectorBytes, '\0'));
        else
            appendTone(bin, track.sectors, track.toneHz);
        at += track.sectors;
    }
    QFile binFile(base + ".bin"), cueFile(base + ".cue.part");
    if (!binFile.open(QIODevice::WriteOnly) || binFile.write(bin) != bin.size() ||
        !cueFile.open(QIODevice::WriteOnly) || cueFile.write(cue.toUtf8()) < 0)
        return {};
    binFile.close();
    cueFile.close();
    QFile::remove(base + ".cue");
    return QFile::rename(base + ".cue.part", base + ".cue") ? base + ".cue" : QString{};
}
