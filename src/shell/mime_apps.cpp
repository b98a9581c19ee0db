#include "shell/mime_apps.h"

#include <QStringList>

namespace shell {

namespace {

const QString defaultsSection = QStringLiteral("[Default Applications]");

QStringList defaultLines(const QList<std::pair<QString, QString>> &typeEntries)
{
    QStringList lines;
    for (const auto &[type, entry] : typeEntries)
        lines << type + u'=' + entry + u';';
    return lines;
}

}  // namespace

QByteArray withDefaults(const QByteArray &list, const QList<std::pair<QString, QString>> &typeEntries)
{
    QStringList lines = QString::fromUtf8(list).split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    QStringList out;
    bool inDefaults = false, written = false;
    for (const QString &line : std::as_const(lines)) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(u'[')) {
            inDefaults = trimmed == defaultsSection;
            out << line;
            if (inDefaults && !written) {
                out << defaultLines(typeEntries);
                written = true;
            }
            continue;
        }
        const bool ours = inDefaults && std::any_of(typeEntries.begin(), typeEntries.end(), [&](const auto &te) {
            return trimmed.section(u'=', 0, 0).trimmed() == te.first;
        });
        if (!ours)
            out << line;
    }
    if (!written) {
        if (!out.isEmpty() && !out.last().trimmed().isEmpty())
            out << QString();
        out << defaultsSection << defaultLines(typeEntries);
    }
    return (out.join(u'\n') + u'\n').toUtf8();
}

}  // namespace shell
