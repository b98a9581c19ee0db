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
// "/" and NUL become "_", the name is cut on a character boundary so that
// the whole is at most 255 bytes, extension and all; empty when nothing
// usable is left of the name ("", ".", "..").
QString oneComponentName(const QString &name, const QString &extension = {});

// Moves `from` to `to`; while that fails, asks the user for another name in
// the same folder, in the words of `texts`. False when the user gives up:
// `from` is then deleted.
bool placeResult(const QString &from, const QString &to, platform::Dialogs &dialogs, const Messages &texts);

}  // namespace encoder
