#pragma once

// The user's mimeapps.list with the player made the default for some types.

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace shell {

// `list` with each type's line of [Default Applications] naming its entry;
// every other line and section is kept as it was, and a missing section is
// added at the end.
QByteArray withDefaults(const QByteArray &list, const QList<std::pair<QString, QString>> &typeEntries);

}  // namespace shell
