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
    QString protocol = "http";
    QString host;  // the document's host, for the Host line
    QString port = "80";
    QString path = "/";   // the document's path
    QString requestPath;  // the request line's target: the path, or the whole URL
    QString connectHost, connectPort;
};

HttpTarget requestTarget(const UrlParts &url, const QString &proxy, const QString &proxyPort);
HttpTarget relocatedTarget(const HttpTarget &current, const QString &location, const QString &proxy);

// The last segment of the path without its query, or "document.htm".
QString localDocName(const QString &path);

}  // namespace net
