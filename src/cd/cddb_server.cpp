#include "cddb_server.h"

namespace cd {

QString cddbServer(const QString &configured)
{
    const QString server = configured.trimmed();
    if (!server.isEmpty() && server != QLatin1String(builtInCddbServer))
        return server;
    const QString replaced = qEnvironmentVariable("LUDRO_CDDB_SERVER").trimmed();
    return replaced.isEmpty() ? QString::fromLatin1(builtInCddbServer) : replaced;
}

}  // namespace cd
