#pragma once

// Saving a file of the user's in one step: the new contents go to a
// temporary file beside it, every write, the flush to disk and the close
// are checked, and only a complete file is renamed over the old one. A full
// disk or a vanished folder keeps the old file as it was.

#include <QByteArray>
#include <QString>

namespace platform {

// The system's description of the failure, or empty on success. A symbolic
// link is followed, so the file it names is replaced; an existing file's
// permissions are kept.
QString saveWholeFile(const QString &path, const QByteArray &contents);

}  // namespace platform
