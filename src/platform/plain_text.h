#pragma once

// Texts from outside the program (tags, file and disc names, language files,
// textures, servers) are shown as they are written. Qt reads a tooltip, and
// a label left in its automatic format, as HTML when the text looks like it:
// "<b>" turns bold and "<img src=...>" makes it open any file on the GUI
// thread (a named pipe blocks it for good). Labels showing such texts are
// set to Qt::PlainText; tooltips, menu items and window titles, which have
// no format, take their text through these.

#include <QString>

namespace platform {

// The text itself when Qt shows it as plain text anyway, else HTML that
// shows exactly the text.
QString plainToolTip(const QString &text);
// "&" doubled, so that a menu item shows it instead of marking a shortcut key.
QString plainMenuText(const QString &text);
// "[*]" doubled, so that a window title shows it instead of a modified mark.
QString plainWindowTitle(const QString &text);

}  // namespace platform
