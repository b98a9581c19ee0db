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

}  // namespace cd
