#include "http_request.h"

#include <array>

namespace net {

QStringList requestHeaderLines(const HttpRequestHeader &h)
{
    QStringList lines{h.method + " " + h.requestPath + " HTTP/1.0"};
    auto add = [&lines](const char *name, const QString &value) {
        if (!value.isEmpty())
            lines << name + value;
    };
    add("From: ", h.sender);
    add("Referer: ", h.reference);
    if (h.post)
        add("Content-Type: ", h.postContentType);
    add("User-Agent: ", h.agent);
    lines << "Host: " + h.host;
    if (h.noCache)
        lines << "Pragma: no-cache";
    if (h.post)
        lines << "Content-Length: " + QString::number(h.postLength);
    if (h.modifiedSince.isValid())
        lines << "If-Modified-Since: " + httpDate(h.modifiedSince);
    if (!h.username.isEmpty())
        lines << "Authorization: Basic " + (h.username + ":" + h.password).toUtf8().toBase64();
    add("Cookie: ", h.cookie);
    return lines + h.extra;
}

HttpResponseLine parseResponseLine(const QString &line)
{
    HttpResponseLine parsed;
    if (line.startsWith("HTTP/1.0") || line.startsWith("HTTP/1.1")) {
        parsed.kind = HttpResponseLine::Status;
        parsed.status = line.mid(9, 3).toInt();
        parsed.text = line.mid(13);
        return parsed;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return parsed;
    const QString field = line.left(colon).toLower();
    // The blank after the colon is optional.
    parsed.text = line.mid(colon + 1).trimmed();
    if (field == "location") {
        parsed.kind = HttpResponseLine::Location;
    } else if (field == "content-length") {
        parsed.kind = HttpResponseLine::ContentLength;
        parsed.length = parsed.text.toLongLong(&parsed.lengthKnown);
        if (parsed.length < 0) {
            parsed.length = 0;
            parsed.lengthKnown = false;
        }
    } else if (field == "content-type") {
        parsed.kind = HttpResponseLine::ContentType;
    } else if (field == "www-authenticate") {
        parsed.kind = HttpResponseLine::Challenge;
    }
    return parsed;
}

QString httpDate(const QDateTime &time)
{
    static constexpr std::array<const char *, 7> days{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static constexpr std::array<const char *, 12> months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDateTime utc = time.toUTC();
    const QDate d = utc.date();
    const QTime t = utc.time();
    return QString::asprintf("%s, %2.2d %s %4.4d %2.2d:%2.2d:%2.2d GMT", days[d.dayOfWeek() - 1], d.day(),
                             months[d.month() - 1], d.year(), t.hour(), t.minute(), t.second());
}

}  // namespace net
