#pragma once

// How a job writes the user's files: its output grows in a private folder
// inside the destination, reaches its final name without ever replacing a
// file, and names that come from users or the network stay one path
// component, so nothing is written outside the destination.

#include "language/messages.h"

#include <QString>

namespace platform {
class Dialogs;
}

namespace encoder {

// A new folder only this job uses, inside `destination`; empty on failure.
QString makeJobFolder(const QString &destination);

// Moves `from` to `to` unless `to` exists; false when it exists or the move fails.
bool moveWithoutReplacing(const QString &from, const QString &to);

// `name` as one path component ending in `extension` (".wav", or none):
// "/" and NUL become "_", leading dots go (no hidden files), the name is
// cut on a character boundary so that the whole is at most 255 bytes,
// extension and all; empty when nothing usable is left of the name.
QString oneComponentName(const QString &name, const QString &extension = {});

// Where a finished result went.
struct Placement {
    QString path;           // empty: the folder took it under no name at all
    bool freeName = false;  // no other name was given: kept beside the one asked for
    explicit operator bool() const { return !path.isEmpty(); }
    // "X.wav existed: kept as X (2).wav" for a result under a free name, else empty.
    QString note(const QString &wanted) const;
};

// "Name (2).wav", "Name (3).wav" ... : `path` with a number before its
// extension.
QString numberedName(const QString &path, int number);

// Moves `from` to `to`; while that fails, asks the user for another name in
// the same folder (the question starts from the name that failed), in the
// words of `texts`. A finished result is never thrown away: when the user
// gives no name (cancel, an empty answer, or no one to ask), it is kept
// under the first free "Name (N).ext" beside `to`.
Placement placeResult(const QString &from, const QString &to, platform::Dialogs &dialogs, const Messages &texts);

}  // namespace encoder
