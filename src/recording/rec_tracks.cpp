#include "recording/rec_tracks.h"

#include "cd/disc_id.h"
#include "cd/track_names.h"
#include "encoder/job_files.h"

#include <algorithm>

namespace recording {

namespace {

QString numberedTrack(int track)
{
    return QStringLiteral("Track %1").arg(track, 2, 10, QLatin1Char('0'));
}

}  // namespace

QStringList discTrackLines(const cd::TableOfContents &toc, const QString &tracksFolder)
{
    const int count = static_cast<int>(toc.tracks.size());
    cd::DiscNames names;
    const bool named = cd::loadTrackNames(tracksFolder, cd::computeDiscId(toc), {}, count, names);
    if (!named && count >= 100)
        return {};
    QStringList lines;
    for (const cd::CdTrack &track : toc.tracks) {
        if (!track.audio)
            continue;
        const int i = track.number;
        lines << trackLine(i, !named                         ? QStringLiteral("AudioTrack%1").arg(i)
                              : i <= names.tracks.size()     ? names.tracks[i - 1]
                                                             : numberedTrack(i));
    }
    return lines;
}

QStringList runFileNames(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines) {
        const QString name = encoder::oneComponentName(lineName(line));
        names << (name.isEmpty() ? numberedTrack(lineTrack(line)) : name);
    }
    QStringList files = names;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const auto same = [&](const QString &other) { return other.compare(names[i], Qt::CaseInsensitive) == 0; };
        if (std::count_if(names.begin(), names.end(), same) > 1)
            files[i] = QStringLiteral("%1 %2").arg(lineTrack(lines[i]), 2, 10, QLatin1Char('0')).arg(names[i]);
    }
    return files;
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
