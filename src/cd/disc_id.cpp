#include "disc_id.h"

#include "cd_time.h"

#include <algorithm>

namespace cd {
namespace {

int digitSum(long value)
{
    int sum = 0;
    for (; value > 0; value /= 10)
        sum += static_cast<int>(value % 10);
    return sum;
}

}  // namespace

DiscId computeDiscId(const TableOfContents &toc)
{
    DiscId disc;
    if (toc.empty())
        return disc;
    const auto count = static_cast<long>(toc.tracks.size());
    long checksum = 0;
    QString offsets;
    for (const CdTrack &track : toc.tracks) {
        disc.offsets.push_back(track.startFrame);
        checksum += digitSum(track.startFrame / framesPerSecond);
        offsets += '+' + QString::number(track.startFrame);
    }
    disc.discSeconds = static_cast<int>(toc.leadoutFrame / framesPerSecond);
    const long playing = disc.discSeconds - toc.tracks.front().startFrame / framesPerSecond;
    const unsigned long id = static_cast<unsigned long>(checksum % 255) << 24 |
                             static_cast<unsigned long>(std::max(playing, 0L)) << 8 | static_cast<unsigned long>(count);
    disc.id = QStringLiteral("%1").arg(id & 0xffffffffUL, 8, 16, QLatin1Char('0'));
    disc.queryArgument = disc.id + '+' + QString::number(count) + offsets + '+' + QString::number(disc.discSeconds);
    return disc;
}

QString legacyCacheName(const TableOfContents &toc)
{
    QString name;
    const std::size_t shown = std::min<std::size_t>(toc.tracks.size(), 3);
    for (std::size_t i = 0; i < shown; ++i) {
        const bool last = i + 1 == toc.tracks.size();
        name += QString::number(msfFromFrames(toc.tracks[i].lengthFrames - (last ? 1 : 0)));
    }
    return name;
}

}  // namespace cd
