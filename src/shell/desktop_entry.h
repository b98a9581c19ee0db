#pragma once

// The desktop entry that opens one group of file types with the player.

#include <QString>
#include <QStringList>

namespace shell {

// `program` as one argument of an Exec line: "%" doubled, and with a blank or
// another reserved character quoted, the characters special inside quotes
// escaped and the whole escaped once more as a desktop-file string, so that
// the path reaches the program unchanged.
QString execArgument(const QString &program);

// The whole entry: hidden from menus, opening one file per start.
QByteArray desktopEntry(const QString &description, const QString &program, const QString &icon,
                        const QStringList &mimeTypes);

}  // namespace shell
