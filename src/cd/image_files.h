#pragma once

// The files libcdio opens for a disc image, and whether they can be opened
// without risk: a named pipe would block libcdio's open for good, and a
// device (a .bin linked to /dev/zero) would read without end. So every file
// of an image must be a regular file before libcdio sees it, and a .toc
// one its reader takes safely (see toc_sheet.h).

#include <QString>

namespace cd {

// The other file of a .cue/.bin pair as libcdio names it: the suffix
// swapped in its case ("disc.CUE": "disc.BIN"); empty for a suffix in mixed
// case, which libcdio pairs with nothing.
QString imagePair(const QString &name);

// The file libcdio reads a .cue's audio from: the file its first FILE line
// names, from the .cue's folder, when that is there (disc_source.h opens it
// so), else the .bin of the pair.
QString cueAudioFile(const QString &cue);

// "file: why" for the first file libcdio would open for the image `name`
// that is there but no regular file, or what keeps a .toc from being read
// safely; empty when there is none (a missing file is an empty drive, not
// a fault). The files: a .cue and its audio file; a .bin and the .cue of its
// name; a .toc and every file it names, from the current folder, where
// libcdio looks for them.
QString imageProblem(const QString &name);

}  // namespace cd
