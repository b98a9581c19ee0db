#pragma once

// Text files made here are UTF-8; files made on the original platform are
// Windows-1252. A file that is not valid UTF-8 is read as the latter.

#include <QByteArray>
#include <QString>

namespace platform {

QString decodeText(const QByteArray &bytes);

}  // namespace platform
