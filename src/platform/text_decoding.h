#pragma once

// Text files made here are UTF-8; files made on the original platform are
// Windows-1252. A file that is not valid UTF-8 is read as the latter.

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

QString decodeText(const QByteArray &bytes);

// The text, or nothing when the bytes are no text file at all: NUL bytes,
// or neither UTF-8 nor Windows-1252 without control characters (a song, an
// archive or a picture opened by mistake).
std::optional<QString> decodeTextFile(const QByteArray &bytes);

}  // namespace platform
