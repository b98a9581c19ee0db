#include "cddb_sites.h"

#include "text_lines.h"

#include "platform/data_folders.h"
#include "platform/whole_file.h"

#include <QRegularExpression>

namespace cd {

namespace {

// A DNS name or an IPv4 address, and a port from 1 to 65535.
bool isServer(const QString &token)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?(?:\.[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*(?::([0-9]{1,5}))?$)"));
    if (token.size() > 253 + 6)
        return false;
    const QRegularExpressionMatch match = form.match(token);
    if (!match.hasMatch())
        return false;
    const QString port = match.captured(1);
    return port.isEmpty() || (port.toInt() >= 1 && port.toInt() <= 65535);
}

}  // namespace

std::optional<QStringList> parseSitesAnswer(const QStringList &answer)
{
    if (answer.size() < 2 || answer.first().section(' ', 0, 0) != QLatin1String("210") ||
        answer.last() != QLatin1String("."))
        return std::nullopt;
    QStringList sites;
    for (qsizetype i = 1; i + 1 < answer.size() && sites.size() < maxSites; ++i) {
        const QString line = singleLine(answer[i]).trimmed();
        if (isServer(siteServer(line)))
            sites << line;
    }
    return sites;
}

QString siteServer(const QString &line)
{
    return line.section(' ', 0, 0);
}

QString serverListFile()
{
    return platform::DataFolders::current().user() + "cddb.ini";
}

QStringList loadServerList(const QString &path)
{
    return readTextLines(path).value_or(QStringList()).mid(0, maxSites);
}

bool saveServerList(const QString &path, const QStringList &sites)
{
    QString text;
    for (const QString &site : sites)
        text += site + '\n';
    return platform::saveWholeFile(path, text.toUtf8()).isEmpty();
}

}  // namespace cd
