#include "recording/rec_tracks.h"

#include "cd/disc_id.h"
#include "cd/track_names.h"

#include <algorithm>

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

QStringList addedLines(const QStringList &list, const QStringList &chosen)
{
    QStringList result = list;
    for (const QString &line : chosen)
        if (std::none_of(result.begin(), result.end(), [&](const QString &l) { return lineTrack(l) == lineTrack(line); }))
            result << line;
    return result;
}

int trackSeconds(const cd::TableOfContents &toc, int track)
{
    return track >= 1 && track <= static_cast<int>(toc.tracks.size()) ? toc.tracks[track - 1].lengthFrames / 75 : 0;
}

QString listSummary(const QStringList &lines, const cd::TableOfContents &toc, const QString &tracksWord)
{
    int seconds = 0;
    for (const QString &line : lines)
        seconds += trackSeconds(toc, lineTrack(line));
    const qint64 megabytes = qint64{seconds} * 176400 / 1024 / 1024;
    return QString::number(lines.size()) + QLatin1Char(' ') + tracksWord
        + QStringLiteral(" (%1:%2)       WAV: %3Mb").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0')).arg(megabytes);
}

}  // namespace recording
