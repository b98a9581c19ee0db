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

QString cddbAddress(const QString &server, const QString &script)
{
    const bool withScheme = server.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                            server.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    QString base = withScheme ? server : "http://" + server;
    while (base.endsWith('/'))
        base.chop(1);
    return base + script;
}

}  // namespace cd
