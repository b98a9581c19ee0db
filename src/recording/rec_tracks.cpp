#include "recording/rec_tracks.h"

#include "cd/disc_id.h"
#include "cd/track_names.h"

namespace recording {

QStringList discTrackLines(const cd::TableOfContents &toc, const QString &tracksFolder)
{
    const int count = static_cast<int>(toc.tracks.size());
    cd::DiscNames names;
    QStringList lines;
    if (cd::loadTrackNames(tracksFolder, cd::computeDiscId(toc), {}, count, names)) {
        for (int i = 0; i < std::min<int>(count, names.tracks.size()); ++i)
            lines << trackLine(i + 1, names.tracks[i]);
    } else if (count < 100) {
        for (int i = 1; i <= count; ++i)
            lines << trackLine(i, QStringLiteral("AudioTrack%1").arg(i));
    }
    return lines;
}

int lineTrack(const QString &line)
{
    const qsizetype dot = line.indexOf(QLatin1Char('.'));
    return dot > 0 ? line.left(dot).toInt() : 0;
}

QString lineName(const QString &line)
{
    const qsizetype dot = line.indexOf(QLatin1Char('.'));
    return dot < 0 ? line : line.mid(dot + 1).trimmed();
}

QString trackLine(int track, const QString &name)
{
    return QString::number(track) + QStringLiteral(". ") + name;
}

}  // namespace recording
