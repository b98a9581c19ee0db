#pragma once

// The header of an HTTP/1.0 request, line by line.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace net {

struct HttpRequestHeader {
    QString method, requestPath, host;
    QString sender, reference, agent, cookie, username, password;
    bool noCache = false;
    QDateTime modifiedSince;  // invalid: not sent
    bool post = false;
    QString postContentType;
    qint64 postLength = 0;
};

// The lines without line ends and without the closing empty line.
QStringList requestHeaderLines(const HttpRequestHeader &h);

// "Sun, 06 Nov 1994 08:49:37 GMT"
QString httpDate(const QDateTime &time);

}  // namespace net
