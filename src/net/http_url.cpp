#include "http_url.h"

#include <QRegularExpression>
#include <QUrl>

namespace net {
namespace {

// A "://" counts only after a scheme name, so a path or query holding an
// address ("/go?to=http://x") is not taken for one.
bool isScheme(const QString &text)
{
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]*$");
    return scheme.match(text).hasMatch();
}

QString defaultPort(const QString &protocol)
{
    return isHttps(protocol) ? QStringLiteral("443") : QStringLiteral("80");
}

// The port is named unless it is the default, so a proxy reaches the right one.
QString absoluteUrl(const HttpTarget &t)
{
    return t.protocol + "://" + t.host + (t.port == defaultPort(t.protocol) ? QString() : ":" + t.port) + t.path;
}

void connectDirectly(HttpTarget &t)
{
    t.requestPath = t.path;
    t.connectHost = t.host;
    t.connectPort = t.port;
}

}  // namespace

UrlParts splitUrl(const QString &url)
{
    UrlParts parts;
    QString rest = url;
    const qsizetype separator = url.indexOf("://");
    if (separator > 0 && isScheme(url.left(separator))) {
        parts.protocol = url.left(separator);
        rest = url.mid(separator + 3);
    } else if (url.startsWith("http:", Qt::CaseInsensitive)) {
        parts.protocol = "http";
        rest = url.mid(5);
    } else if (url.startsWith("mailto:", Qt::CaseInsensitive)) {
        parts.protocol = "mailto";
        rest = url.mid(7);
    }
    const qsizetype slash = rest.indexOf('/');
    QString hostPart = slash < 0 ? rest : rest.left(slash);
    parts.path = slash < 0 ? QString() : rest.mid(slash);

    const qsizetype at = hostPart.lastIndexOf('@');
    if (at >= 0) {
        const QString credentials = hostPart.left(at);
        const qsizetype colon = credentials.indexOf(':');
        parts.user = credentials.left(colon);
        parts.password = colon < 0 ? QString() : credentials.mid(colon + 1);
        hostPart = hostPart.mid(at + 1);
    }
    const qsizetype colon = hostPart.indexOf(':');
    parts.host = hostPart.left(colon);
    parts.port = colon < 0 ? QString() : hostPart.mid(colon + 1);
    return parts;
}

HttpTarget requestTarget(const UrlParts &url, const QString &proxy, const QString &proxyPort)
{
    HttpTarget t;
    if (!url.protocol.isEmpty())
        t.protocol = url.protocol;
    t.host = url.host;
    t.port = url.port.isEmpty() ? defaultPort(t.protocol) : url.port;
    if (!url.path.isEmpty())
        t.path = url.path;
    if (proxy.isEmpty()) {
        connectDirectly(t);
    } else {
        t.requestPath = absoluteUrl(t);
        t.connectHost = proxy;
        t.connectPort = proxyPort;
    }
    return t;
}

HttpTarget relocatedTarget(const HttpTarget &current, const QString &location, const QString &proxy)
{
    const UrlParts v = splitUrl(location);
    HttpTarget t = current;
    // "page.htm" or "../up" is a place beside the document, not a host name.
    if (const QUrl reference(location);
        v.protocol.isEmpty() && !location.isEmpty() && !location.startsWith('/') && reference.isRelative()) {
        const QUrl resolved = QUrl(QStringLiteral("http://host") + current.path).resolved(reference);
        t.path = resolved.path(QUrl::FullyEncoded);
        if (t.path.isEmpty())
            t.path = "/";
        if (resolved.hasQuery())
            t.path += '?' + resolved.query(QUrl::FullyEncoded);
        t.requestPath = proxy.isEmpty() ? t.path : absoluteUrl(t);
        return t;
    }
    if (!v.protocol.isEmpty())
        t.protocol = v.protocol;
    t.path = v.path.isEmpty() ? "/" : v.path;
    if (v.host.isEmpty()) {
        t.requestPath = proxy.isEmpty() && location.startsWith('/') ? location : absoluteUrl(t);
        return t;
    }
    // Another host: its own port, or its protocol's, not the old host's.
    t.host = v.host;
    t.port = v.port.isEmpty() ? defaultPort(t.protocol) : v.port;
    if (proxy.isEmpty())
        connectDirectly(t);
    else
        t.requestPath = absoluteUrl(t);
    return t;
}

bool isHttps(const QString &protocol)
{
    return protocol.compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

QString localDocName(const QString &path)
{
    QString name = path;
    if (name != "/" && name.endsWith('/'))
        name.chop(1);
    name = name.mid(name.lastIndexOf('/') + 1).left(255);
    const qsizetype query = name.indexOf('?');
    if (query >= 0)
        name.truncate(query);
    // "." and ".." would name folders, not files.
    if (name.isEmpty() || name == "." || name == "..")
        return "document.htm";
    return name;
}

}  // namespace net
