#pragma once

// The header of an HTTP/1.0 request, line by line, and what each line of
// the answer's header says.

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
    QStringList extra;  // "Name: value", last
};

// The lines without line ends and without the closing empty line.
QStringList requestHeaderLines(const HttpRequestHeader &h);

// One received header line, without its line end.
struct HttpResponseLine {
    enum Kind { Other, Status, Location, ContentLength, ContentType, Challenge };
    Kind kind = Other;
    int status = 0;
    QString text;  // the reason of a status line, else the field's value
    qint64 length = 0;
    bool lengthKnown = false;  // a Content-Length of a number 0 or more
};

HttpResponseLine parseResponseLine(const QString &line);

// "Sun, 06 Nov 1994 08:49:37 GMT"
QString httpDate(const QDateTime &time);

}  // namespace net
