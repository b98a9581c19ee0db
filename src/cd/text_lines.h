#pragma once

// Lines of text from files and servers.

#include <QString>
#include <QStringList>

namespace cd {

// A line feed ends a line, a carriage return before it is dropped, and a
// final line feed adds no empty line.
QStringList textLines(const QString &text);

// A name from a server or the user as one line of a file or a terminal: its
// line breaks and other control characters become blanks, so it can neither
// move the lines after it nor steer a terminal, and an invisible byte order
// mark (which a reader would take for the file's) goes.
QString singleLine(QString name);

}  // namespace cd
