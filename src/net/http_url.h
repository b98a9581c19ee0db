#pragma once

// Addresses as the HTTP client reads them: splitting a URL, the target of a
// request (with or without a proxy), the target after a relocation, and the
// local file name of a document.

#include <QString>

namespace net {

struct UrlParts {
    QString protocol, user, password, host, port, path;  // empty when the URL names none
};

UrlParts splitUrl(const QString &url);

struct HttpTarget {
    QString protocol = "http";  // or "https"; any other is refused when fetched
    QString host;  // the document's host, for the Host line
    QString port = "80";
    QString path = "/";   // the document's path
    QString requestPath;  // the request line's target: the path, or the whole URL
    QString connectHost, connectPort;
};

// A missing port is the protocol's own: 443 for https, 80 otherwise.
HttpTarget requestTarget(const UrlParts &url, const QString &proxy, const QString &proxyPort);
HttpTarget relocatedTarget(const HttpTarget &current, const QString &location, const QString &proxy);

bool isHttps(const QString &protocol);

// The last segment of the path without its query, or "document.htm".
QString localDocName(const QString &path);

}  // namespace net
