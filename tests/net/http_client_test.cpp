// The HTTP client against loopback servers: exact request bytes, response
// forms, relocations, server and local failures, Abort at every stage; over
// TLS trusted through SSL_CERT_FILE, every refusal with its reason and
// without a byte in the clear.

#include "net/http_client.h"
#include "net/http_exception.h"
#include "support/http_test_server.h"
#include "support/trusted_authority.h"

#include <QBuffer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <utility>

using ludro::test::HttpTestServer;
using ludro::test::TrustedAuthority;
using namespace net;

namespace {

struct Fetched {
    std::string failure;  // "message #code", or empty
    QByteArray body;
};

class HttpClient : public testing::Test {
protected:
    QString url(const char *path) const { return QString::fromStdString(server.url(path)); }

    // Runs a request for `path` of the server (or client.URL) into `sink`, or into memory.
    Fetched fetch(const char *path = nullptr, bool post = false, QIODevice *sink = nullptr)
    {
        return fetchUrl(path ? url(path) : client.URL, post, sink);
    }
    Fetched fetchUrl(const QString &address, bool post = false, QIODevice *sink = nullptr)
    {
        client.URL = address;
        QBuffer memory;
        memory.open(QIODevice::WriteOnly);
        client.BodySink = sink ? sink : &memory;
        Fetched fetched;
        try {
            post ? client.Post() : client.Get();
        } catch (const EHttpException &e) {
            fetched.failure = e.Message().toStdString() + " #" + std::to_string(e.ErrorCode());
        }
        client.BodySink = nullptr;
        fetched.body = memory.data();
        return fetched;
    }

    HttpTestServer server;
    THttpCli client;
};

}  // namespace

TEST_F(HttpClient, GetSendsEveryHeaderLineAndDeliversTheDocument)
{
    const QByteArray song(20000, 's');
    server.on("/dir/song.mp3",
              {"HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: 20000\r\n\r\n" + song.toStdString()});
    client.URL = "http://user:pw@127.0.0.1:" + QString::number(server.port()) + "/dir/song.mp3";
    client.Sender = "me@example.org";
    client.Reference = "http://ref.example/";
    client.Agent = "Ludro Pro 2.0";
    client.NoCache = true;
    client.Cookie = "a=1";
    client.ModifiedSince = QDateTime(QDate(1994, 11, 6), QTime(9, 49, 37), Qt::OffsetFromUTC, 3600);  // sent in GMT

    EXPECT_EQ(fetch().body, song);
    EXPECT_EQ(server.requests().at(0),
              "GET /dir/song.mp3 HTTP/1.0\r\nFrom: me@example.org\r\nReferer: http://ref.example/\r\n"
              "User-Agent: Ludro Pro 2.0\r\nHost: 127.0.0.1\r\nPragma: no-cache\r\n"
              "If-Modified-Since: Sun, 06 Nov 1994 08:49:37 GMT\r\nAuthorization: Basic dXNlcjpwdw==\r\n"
              "Cookie: a=1\r\n\r\n");
}

TEST_F(HttpClient, PostSendsTheBodyAfterTheHeaderAgainAfterARelocation)
{
    server.on("/cddb", {"HTTP/1.0 302 Found\r\nLocation: /cddb.cgi\r\n\r\n"});
    server.on("/cddb.cgi", HttpTestServer::ok("210 Found"));
    QByteArray form(20000, 'f');
    QBuffer post(&form);
    post.open(QIODevice::ReadOnly);
    client.PostBody = &post;
    client.ExtraHeaders = {"Category: rock", "Discid: 0b012a02"};
    EXPECT_EQ(fetch("/cddb", true).body, "210 Found");
    const std::string head = "Content-Type: application/x-www-form-urlencoded\r\nHost: 127.0.0.1\r\n"
                             "Content-Length: 20000\r\nCategory: rock\r\nDiscid: 0b012a02\r\n\r\n";
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"POST /cddb HTTP/1.0\r\n" + head + form.toStdString(),
                                                           "POST /cddb.cgi HTTP/1.0\r\n" + head + form.toStdString()}));
}

// Header names in any letter case, as servers write them.
TEST_F(HttpClient, ReadsResponsesWithOrWithoutLengthAndWithBareLineFeeds)
{
    struct Case {
        const char *path;
        std::string reply;
        QByteArray body;
        const char *contentType;
        bool keptOpen = false;  // the server sends its answer and keeps the connection
    };
    const QByteArray long_(30000, 'l');
    const Case cases[] = {
        {"/a", "HTTP/1.1 200 OK\r\ncontent-type: text/plain\r\nCONTENT-LENGTH: 2\r\n\r\nhi", "hi", "text/plain"},
        {"/long", "HTTP/1.0 200 OK\r\nContent-Type: x/y\r\n\r\n" + long_.toStdString(), long_, "x/y"},
        {"/ten", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n0123456789" + std::string(5129, 't'), "0123456789", ""},
        {"/open", "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nopen", "open", "", true},
        {"/empty", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", "", "", true},
        {"/setup.exe", "HTTP/1.0 200 OK\nContent-Type: text/html\nContent-Length:3\n\nabc", "abc", "text/html"},
    };
    for (const Case &c : cases) {
        server.on(c.path, {c.reply, c.keptOpen});
        EXPECT_EQ(fetch(c.path).body, c.body) << c.path;
        EXPECT_EQ(client.ResponseContentType(), c.contentType) << c.path;
    }
    EXPECT_EQ(client.LocalDocName(), "setup.htm") << "named by its type";
}

TEST_F(HttpClient, FollowsRelocationsToAnotherServerButNotForever)
{
    HttpTestServer second;
    server.on("/away", HttpTestServer::redirect(301, second.url("/doc")));
    second.on("/doc", HttpTestServer::ok("doc"));
    server.on("/loop", {"HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\n"});
    EXPECT_EQ(fetch("/away").body, "doc");
    EXPECT_EQ(fetch("/loop").failure, "Too many relocations #404");
    EXPECT_EQ(server.requests().size(), 1 + 21);
}

// A plain proxy would see an https request in the clear: it is refused.
TEST_F(HttpClient, ThroughAProxyNamesTheWholeAddressAndKeepsCredentialsToTheirHost)
{
    server.on("http://music.example:8080/list?x=1",
              {"HTTP/1.0 302 Found\r\nLocation: http://other.example/l3\r\n\r\n"});
    server.on("http://other.example/l3", HttpTestServer::ok("list"));
    client.Proxy = "127.0.0.1";
    client.ProxyPort = QString::number(server.port());
    client.URL = "http://me:pw@music.example:8080/list?x=1";
    client.Cookie = "id=7";
    EXPECT_EQ(fetch().body, "list");
    const QString secure = url("/doc").replace("http:", "https:");
    EXPECT_EQ(fetchUrl(secure).failure,
              "An https address cannot be fetched through a proxy: " + secure.toStdString() + " #404");
    EXPECT_EQ(server.requests(),
              (std::vector<std::string>{"GET http://music.example:8080/list?x=1 HTTP/1.0\r\nHost: music.example\r\n"
                                        "Authorization: Basic bWU6cHc=\r\nCookie: id=7\r\n\r\n",
                                        "GET http://other.example/l3 HTTP/1.0\r\nHost: other.example\r\n\r\n"}));
}

// A server's error raises its reason; the document begins only after a whole
// header of a success.
TEST_F(HttpClient, ServerAndLocalFailuresEndTheRequestWithTheirReason)
{
    server.on("/missing", {"HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here!"});
    server.on("/broken", {"HTTP/1.1 500 Internal Server Error\r\n\r\noops"});
    server.on("/short", {"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly ten!!"});
    server.on("/long-line", {"HTTP/1.0 200 OK\r\nX-Long: " + std::string(9000, 'a') + "\r\n\r\n"});
    const QByteArray line = "X-Line: " + QByteArray(1000, 'a') + "\r\n";
    server.on("/many-lines", {"HTTP/1.0 200 OK\r\n" + line.repeated(70).toStdString() + "\r\n"});
    const std::pair<QString, std::string> cases[] = {
        {url("/missing"), "Not Found #404"},
        {url("/broken"), "Internal Server Error #500"},
        {QString::fromStdString(HttpTestServer().url()), "Connection refused (Error #111) #404"},  // closed again
        {"http://no..such..host/", "can't resolve hostname to IP address #404"},
        {url("/short"), "Connection closed before the response was complete #404"},
        {url("/long-line"), "Response header too large #404"},
        {url("/many-lines"), "Response header too large #404"},
        {"ftp://127.0.0.1/doc", "Only http and https addresses can be fetched, not ftp://127.0.0.1/doc #404"},
    };
    bool docBegun = false;
    client.OnDocBegin = [&] { docBegun = true; };
    for (const auto &[url, failure] : cases) {
        EXPECT_EQ(fetchUrl(url).failure, failure) << url.toStdString();
        EXPECT_EQ(std::exchange(docBegun, false), url.endsWith("/short")) << url.toStdString();
    }
    QFile full("/dev/full");
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_EQ(fetch("/short", false, &full).failure, "No space left on device #404");
    client.ExtraHeaders = {"User-Email: a@b\nInjected: 1"};  // every field is checked by the same loop
    EXPECT_EQ(fetch().failure, "Line break in a request field #404");
}

TEST_F(HttpClient, AbortFromAnotherEventEndsTheRequestAtEveryStage)
{
    server.on("/header", {"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n", true});
    server.on("/body", {"HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\npartial", true});
    server.on("/fine", HttpTestServer::ok("fine"));
    // A listener with a full queue leaves further connection attempts pending.
    QTcpServer full;
    full.setListenBacklogSize(0);
    ASSERT_TRUE(full.listen(QHostAddress::LocalHost));
    full.pauseAccepting();
    QTcpSocket filler;
    filler.connectToHost(QHostAddress::LocalHost, full.serverPort());
    ASSERT_TRUE(filler.waitForConnected(5000));
    const QString pending = "http://127.0.0.1:" + QString::number(full.serverPort());

    // As a Cancel button would: a separate event while the request waits.
    bool posted = false;
    const auto abortSoon = [&] {
        if (!std::exchange(posted, true))
            QMetaObject::invokeMethod(
                &client, [this] { client.Abort(); }, Qt::QueuedConnection);
    };
    client.OnStateChange = [&] {
        if (client.State() == THttpState::Connecting && client.URL == pending)
            abortSoon();
    };
    client.OnHeaderData = [&](const QString &) { abortSoon(); };
    client.OnDocData = [&](const char *, qint64) { abortSoon(); };
    for (const QString &url : {pending, url("/header"), url("/body")}) {
        posted = false;
        const Fetched got = fetchUrl(url);
        EXPECT_EQ(got.failure, "Connection aborted on request #404") << url.toStdString();
        EXPECT_EQ(got.body, url.endsWith("/body") ? "partial" : "") << url.toStdString();
    }
    posted = true;
    EXPECT_EQ(fetch("/fine").body, "fine") << "the client is usable after an abort";
}

// A post over TLS is the disc database's https lookup.
TEST_F(HttpClient, FetchesOverTlsAndRelocatesBetweenHttpAndHttps)
{
    const TrustedAuthority authority;
    const auto tls = authority.front(server.port(), authority.issue("server"));
    const QString secure = QString::fromStdString(tls->url("/doc", "localhost"));
    server.answerBy([&](const std::string &request) {
        if (request.starts_with("GET /up ") || request.starts_with("GET /down "))
            return HttpTestServer::redirect(302, request.starts_with("GET /up ") ? secure.toStdString()
                                                                                 : server.url("/doc"));
        return HttpTestServer::ok("secret", "text/plain");
    });

    EXPECT_EQ(fetchUrl(secure).body, "secret");
    EXPECT_EQ(fetch("/up").body, "secret");
    EXPECT_EQ(fetchUrl(QString::fromStdString(tls->url("/down"))).body, "secret");
    EXPECT_EQ(tls->handshakes(), 3);
    EXPECT_EQ(tls->resumptions(), 1) << "a second visit to a host and port resumes its session, only there";
}

TEST_F(HttpClient, OverTlsRefusesWhatIsNotValidAndNeverSendsInTheClear)
{
    const TrustedAuthority authority;
    server.setDefault(HttpTestServer::ok("never sent"));
    const auto refusedCertificates = authority.refusedCertificates();
    for (const auto &refused : refusedCertificates) {
        SCOPED_TRACE(refused.reason);
        const auto tls = authority.front(server.port(), refused.certificate, refused.onlyTls10);
        EXPECT_EQ(fetchUrl(QString::fromStdString(tls->url("/doc"))).failure, refused.reason + " #404");
        server.on("/to-tls", HttpTestServer::redirect(302, tls->url("/doc")));
        EXPECT_EQ(fetch("/to-tls").failure, refused.reason + " #404") << "a relocation to it is refused alike";
    }
    EXPECT_EQ(server.requests().size(), refusedCertificates.size()) << "only the plain requests for the relocations";
}
