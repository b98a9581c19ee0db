#pragma once

// The recorder's track lines, "N. name": the disc track they record and the
// name of the file they become. Only audio tracks are listed; names come
// from the disc's names file, else "AudioTrack" + number.

#include "cd/table_of_contents.h"

#include <QString>
#include <QStringList>

namespace recording {

// One line per audio track of the disc: its name in the names file ("Track
// NN" for a track the file names none), else "N. AudioTrackN" for a disc of
// fewer than 100 tracks.
QStringList discTrackLines(const cd::TableOfContents &toc, const QString &tracksFolder);

// The file names, without extension, that the lines of one run become: each
// name as one path component (see job_files.h). An empty name becomes
// "Track NN"; a name that another line of the run shares (letter case
// aside, as some file systems see it) gets the track number before it
// ("03 CD-Track"), so every track of a run makes a file of its own.
QStringList runFileNames(const QStringList &lines);

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
