// Address rules of the HTTP client: URL parts, local document names, request
// targets with and without a proxy, relocation targets.

#include "net/http_request.h"
#include "net/http_url.h"

#include <gtest/gtest.h>

using namespace net;

namespace {

std::string parts(const QString &url)
{
    const UrlParts p = splitUrl(url);
    return QStringList({p.protocol, p.user, p.password, p.host, p.port, p.path}).join('|').toStdString();
}

std::string route(const HttpTarget &t)
{
    return (t.requestPath + " Host:" + t.host + " to " + t.connectHost + ":" + t.connectPort).toStdString();
}

}  // namespace

TEST(HttpUrl, SplitsIntoProtocolUserPasswordHostPortAndPath)
{
    EXPECT_EQ(parts("http://user:pw@host:8080/a/b?x=1"), "http|user|pw|host|8080|/a/b?x=1");
    EXPECT_EQ(parts("ftp://host"), "ftp|||host||");
    EXPECT_EQ(parts("HTTP:/local"), "http|||||/local");
    EXPECT_EQ(parts("mailto:me@example.org"), "mailto|me||example.org||");
    EXPECT_EQ(parts("www.site.org/page"), "|||www.site.org||/page");
    EXPECT_EQ(parts("http://a@b@host/p"), "http|a@b||host||/p");
    EXPECT_EQ(parts("/go?to=http://x/y"), "|||||/go?to=http://x/y");
}

TEST(HttpUrl, LocalDocNameIsTheLastSegmentWithoutQuery)
{
    EXPECT_EQ(localDocName("/dir/"), "dir");
    EXPECT_EQ(localDocName("/"), "document.htm");
    EXPECT_EQ(localDocName("/a.cgi?x=1"), "a.cgi");
    EXPECT_EQ(localDocName("/up/.."), "document.htm");
    EXPECT_EQ(localDocName("/" + QString(300, 'n')), QString(255, 'n'));
}

TEST(HttpUrl, TargetsAndRelocationsWithAndWithoutProxy)
{
    const HttpTarget direct = requestTarget(splitUrl("http://h:81/p"), "", "80");
    EXPECT_EQ(route(direct), "/p Host:h to h:81");
    EXPECT_EQ(route(requestTarget(splitUrl("h"), "", "80")), "/ Host:h to h:80");
    EXPECT_EQ(route(relocatedTarget(direct, "/q?x", "")), "/q?x Host:h to h:81");
    EXPECT_EQ(route(relocatedTarget(direct, "http:/s", "")), "http://h:81/s Host:h to h:81");
    const HttpTarget deep = requestTarget(splitUrl("http://h/a/b/page?x=1"), "", "80");
    EXPECT_EQ(route(relocatedTarget(deep, "next.htm?y=2", "")), "/a/b/next.htm?y=2 Host:h to h:80")
        << "a relative place is beside the document, not a host";
    EXPECT_EQ(route(relocatedTarget(deep, "../up", "")), "/a/up Host:h to h:80");

    // The port named is kept in the address (the client's proxy test), the default one is not.
    EXPECT_EQ(route(requestTarget(splitUrl("http://h:80/p"), "proxy", "3128")), "http://h/p Host:h to proxy:3128");
    const HttpTarget proxied = requestTarget(splitUrl("h:81/p"), "proxy", "3128");
    EXPECT_EQ(route(relocatedTarget(proxied, "q", "proxy")), "http://h:81/q Host:h to proxy:3128");
}
