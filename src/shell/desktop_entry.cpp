#include "shell/desktop_entry.h"

#include <algorithm>

namespace shell {

QString execArgument(const QString &program)
{
    // Plain paths stay unquoted: older xdg-mime reads the first word as is.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool quote = std::any_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); });
    if (!quote)
        return QString(program).replace(u'%', QStringLiteral("%%"));
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
        if (c == u'%')
            quoted += u'%';
    }
    quoted += u'"';
    // The value is read as a desktop-file string before it is split.
    return quoted.replace(u'\\', QStringLiteral("\\\\"));
}

QByteArray desktopEntry(const QString &description, const QString &program, const QString &icon,
                        const QStringList &mimeTypes)
{
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2 %f\n")
                       .arg(description, execArgument(program));
    if (!icon.isEmpty())
        text += QStringLiteral("Icon=%1\n").arg(icon);
    text += QStringLiteral("NoDisplay=true\nTerminal=false\nMimeType=%1;\n").arg(mimeTypes.join(u';'));
    return text.toUtf8();
}

}  // namespace shell
