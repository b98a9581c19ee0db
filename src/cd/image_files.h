#pragma once

// The files libcdio opens for a disc image, and whether they can be opened
// without risk: a named pipe would block libcdio's open for good, and a
// device (a .bin linked to /dev/zero) would read without end. So every file
// of an image must be a regular file before libcdio sees it.

#include <QString>
#include <QStringList>

namespace cd {

// The file a .cue's first FILE line names, from the .cue's folder; empty
// when it names none or the .cue is no regular file.
QString cueDataFile(const QString &cue);

// The file libcdio reads a .cue's audio from: the file it names when that
// is there (disc_source.h opens it so), else the .bin of the .cue's name.
QString cueAudioFile(const QString &cue);

// Every file libcdio opens for the image `name`, the image first: a .cue
// and its audio file; a .bin and the .cue of its name; a .toc and the files
// it names, from the current folder, where libcdio looks for them.
QStringList imageFiles(const QString &name);

// "file: why" for the first file of the image that is there but cannot be
// opened as a regular file; empty when there is none (a missing file is an
// empty drive, not a fault).
QString imageProblem(const QString &name);

}  // namespace cd
