#pragma once

// Which disc-database server the player and ludro-cd ask.

#include <QString>

namespace cd {

// The public server that is the settings' default.
inline constexpr char builtInCddbServer[] = "gnudb.gnudb.org";

// The server (host[:port]) to ask for the configured one. LUDRO_CDDB_SERVER,
// when set, stands in for the default: for an empty server and for the
// built-in one, so a test or a private server never ends up in the settings.
QString cddbServer(const QString &configured);

// The address of one of the server's scripts ("/~cddb/cddb.cgi"): a server
// written with "https://" (or "http://") is asked that way, a bare
// host[:port] over http.
QString cddbAddress(const QString &server, const QString &script);

}  // namespace cd
