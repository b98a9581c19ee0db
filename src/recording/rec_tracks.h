#pragma once

// The recorder's track lines, "N. name": the disc track they record and the
// name of the file they become. Names come from the disc's names file, else
// "AudioTrack" + number.

#include "cd/table_of_contents.h"

#include <QString>
#include <QStringList>

namespace recording {

// One line per track of the disc: the names file's track names (none beyond
// the track count), else "N. AudioTrackN" for a disc of fewer than 100 tracks.
QStringList discTrackLines(const cd::TableOfContents &toc, const QString &tracksFolder);

// The disc track of a line (the digits before the '.'), 0 when it has none.
int lineTrack(const QString &line);
// The name of a line: what follows "N. ".
QString lineName(const QString &line);
QString trackLine(int track, const QString &name);

// `list` with the `chosen` lines appended whose tracks it does not hold yet.
QStringList addedLines(const QStringList &list, const QStringList &chosen);
// Whole seconds of a track's length (0 for a track the disc lacks).
int trackSeconds(const cd::TableOfContents &toc, int track);
// "N Tracks (m:ss)       WAV: sMb" for `lines` of the disc, with `tracksWord`.
QString listSummary(const QStringList &lines, const cd::TableOfContents &toc, const QString &tracksWord);

}  // namespace recording
