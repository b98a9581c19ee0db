// The header of an answer to the HTTP client, line by line as the client
// splits it, with every Location followed directly and through a proxy.

#include "fuzz_input.h"
#include "net/http_request.h"
#include "net/http_url.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray raw = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (QByteArray line : raw.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            break;
        const net::HttpResponseLine parsed = net::parseResponseLine(QString::fromLatin1(line));
        if (parsed.kind == net::HttpResponseLine::ContentLength)
            fuzz::require(parsed.length >= 0 && (parsed.lengthKnown || parsed.length == 0));
        if (parsed.kind != net::HttpResponseLine::Location)
            continue;
        const net::HttpTarget page =
            net::requestTarget(net::splitUrl("http://user:pw@db.example:8080/cgi/q?x=1"), {}, "80");
        for (const QString &proxy : {QString(), QStringLiteral("proxy.example")}) {
            const net::HttpTarget next = net::relocatedTarget(page, parsed.text, proxy);
            // The document's local name is a plain file name.
            const QString name = net::localDocName(next.path);
            fuzz::require(!next.requestPath.isEmpty() && !name.isEmpty() && !name.contains('/') && name != "..");
        }
        static_cast<void>(net::requestTarget(net::splitUrl(parsed.text), {}, "80"));
    }
    return 0;
}
