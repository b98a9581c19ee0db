#pragma once

// Folders users fill by hand (textures, languages): what a name taken from
// the settings may be, how the folder is listed and how a file in it is read.
// Nothing here changes the process's current folder.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// A name of one folder or file within a user folder: not empty, no "/",
// not "." or "..", not hidden. Anything else counts as missing.
bool isPlainName(const QString &name);

// The plain names of the sub-folders of `folder`, sorted without regard to
// letter case.
QStringList subfolderNames(const QString &folder);

// The names of the files in `folder`, hidden ones too.
QStringList fileNames(const QString &folder);

// The name among `names` spelt as `name` without regard to letter case, the
// exact spelling first; empty when there is none.
QString findIgnoringCase(const QStringList &names, const QString &name);

// The contents of the regular file at `path`; nothing when it is missing,
// unreadable or larger than `limit` bytes.
std::optional<QByteArray> readLimitedFile(const QString &path, qint64 limit);

}  // namespace platform
