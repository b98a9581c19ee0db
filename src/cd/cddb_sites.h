#pragma once

// The list of disc-database servers: the answer to the "sites" command and
// the file "cddb.ini" that keeps it, one server a line as the server sent it
// ("host[:port] protocol port address latitude longitude description").

#include <QString>
#include <QStringList>

#include <optional>

namespace cd {

// More than the public servers ever listed; an answer goes no further.
inline constexpr int maxSites = 1000;

// The site lines of a complete answer (status 210, then the lines, then the
// "." terminator); none for an error or a cut-off answer. Only lines that
// begin with a host name or address (with an optional ":port") are taken,
// their control characters made blanks, at most maxSites of them.
std::optional<QStringList> parseSitesAnswer(const QStringList &answer);

// The server a site line names: its text up to the first blank.
QString siteServer(const QString &line);

// The program folder's "cddb.ini".
QString serverListFile();

// The lines of the file, at most maxSites; none when it is missing.
QStringList loadServerList(const QString &path);

// Replaces the file as a whole; false when it cannot be written, the old
// file then kept.
bool saveServerList(const QString &path, const QStringList &sites);

}  // namespace cd
