// The HTTP client against loopback servers: exact request bytes, response
// forms, relocations, server and local failures, Abort at every stage.

#include "net/http_client.h"
#include "net/http_exception.h"
#include "support/http_test_server.h"

#include <QBuffer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <utility>

using ludro::test::HttpTestServer;
using namespace net;

namespace {

struct Fetched {
    std::string failure;  // "message #code", or empty
    QByteArray body;
};

// Runs a request into `sink`, or into memory.
Fetched fetch(THttpCli &client, bool post = false, QIODevice *sink = nullptr)
{
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

QString url(const HttpTestServer &server, const char *path)
{
    return QString::fromStdString(server.url(path));
}

}  // namespace

TEST(HttpClient, GetSendsEveryHeaderLineAndDeliversTheDocumentWithItsEvents)
{
    HttpTestServer server;
    const QByteArray song(20000, 's');
    server.on("/dir/song.mp3",
              {"HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: 20000\r\n\r\n" + song.toStdString()});
    THttpCli client;
    client.URL = "http://user:pw@127.0.0.1:" + QString::number(server.port()) + "/dir/song.mp3";
    client.Sender = "me@example.org";
    client.Reference = "http://ref.example/";
    client.Agent = "Ludro Pro 2.0";
    client.NoCache = true;
    client.Cookie = "a=1";
    client.ModifiedSince = QDateTime(QDate(1994, 11, 6), QTime(8, 49, 37), Qt::UTC);
    QStringList events;
    bool terminated = true;
    client.OnStateChange = [&] { events << QString::number(static_cast<int>(client.State())); };
    client.OnHeaderBegin = [&] { events << "header"; };
    client.OnHeaderEnd = [&] { events << "/header"; };
    client.OnDocBegin = [&] { events << "doc"; };
    client.OnDocData = [&](const char *data, qint64 length) { terminated = terminated && data[length] == 0; };
    client.OnDocEnd = [&] { events << "/doc"; };
    client.OnRequestDone = [&] { events << "done"; };

    const Fetched got = fetch(client);
    EXPECT_EQ(got.failure, "");
    EXPECT_EQ(got.body, song);
    EXPECT_TRUE(terminated);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0], "GET /dir/song.mp3 HTTP/1.0\r\n"
                                    "From: me@example.org\r\n"
                                    "Referer: http://ref.example/\r\n"
                                    "User-Agent: Ludro Pro 2.0\r\n"
                                    "Host: 127.0.0.1\r\n"
                                    "Pragma: no-cache\r\n"
                                    "If-Modified-Since: Sun, 06 Nov 1994 08:49:37 GMT\r\n"
                                    "Authorization: Basic dXNlcjpwdw==\r\n"
                                    "Cookie: a=1\r\n\r\n");
    EXPECT_EQ(events.join(' ').toStdString(), "1 2 3 header 4 /header doc /doc 0 done");
    EXPECT_EQ(client.ResponseStatus(), 200);
    EXPECT_EQ(client.ResponseReason(), "OK");
    EXPECT_EQ(client.ResponseLength(), 20000);
    EXPECT_EQ(client.ResponseContentType(), "audio/mpeg");
    EXPECT_EQ(client.LocalDocName(), "song.mp3");
}

TEST(HttpClient, PostSendsTheBodyInPiecesAfterTheHeaderAgainAfterARelocation)
{
    HttpTestServer server;
    server.on("/cddb", {"HTTP/1.0 302 Found\r\nLocation: /cddb.cgi\r\n\r\n"});
    server.on("/cddb.cgi", HttpTestServer::ok("210 Found"));
    const QByteArray form(20000, 'f');
    QBuffer post;
    post.setData(form);
    post.open(QIODevice::ReadOnly);
    THttpCli client;
    client.URL = url(server, "/cddb");
    client.PostBody = &post;
    client.ExtraHeaders = {"Category: rock", "Discid: 0b012a02"};
    QStringList events;
    client.OnSendBegin = [&] { events << "begin"; };
    client.OnSendData = [&](const char *, qint64 length) { events << QString::number(length); };
    client.OnSendEnd = [&] { events << "end"; };

    EXPECT_EQ(fetch(client, true).body, "210 Found");
    const std::string head = "Content-Type: application/x-www-form-urlencoded\r\n"
                             "Host: 127.0.0.1\r\n"
                             "Content-Length: 20000\r\nCategory: rock\r\nDiscid: 0b012a02\r\n\r\n";
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"POST /cddb HTTP/1.0\r\n" + head + form.toStdString(),
                                                           "POST /cddb.cgi HTTP/1.0\r\n" + head + form.toStdString()}));
    EXPECT_EQ(events.join(' ').toStdString(), "begin 8192 8192 3616 end begin 8192 8192 3616 end");
    EXPECT_EQ(client.BodyBytesSent(), 20000);
}

// Header names in any letter case, as servers write them.
TEST(HttpClient, ReadsResponsesWithOrWithoutLengthAndWithBareLineFeeds)
{
    struct Case {
        const char *path;
        std::string reply;
        QByteArray body;
        const char *contentType, *docName;
        bool keptOpen = false;  // the server sends its answer and keeps the connection
    };
    const QByteArray long_(30000, 'l');
    const std::string tail(5129, 't');
    const Case cases[] = {
        {"/a.txt", "HTTP/1.1 200 OK\r\ncontent-type: text/plain\r\nCONTENT-LENGTH: 5\r\n\r\nhello", "hello",
         "text/plain", "a.txt"},
        {"/until-close", "HTTP/1.0 200 OK\r\nContent-Type: x/y\r\n\r\n" + long_.toStdString(), long_, "x/y",
         "until-close"},
        {"/setup.exe", "HTTP/1.0 200 OK\nContent-Type: text/html\nContent-Length:3\n\nabc", "abc", "text/html",
         "setup.htm"},
        {"/ten", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n0123456789" + tail, "0123456789", "", "ten"},
        {"/open", "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nopen", "open", "", "open", true},
        {"/empty", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", "", "", "empty", true},
    };
    HttpTestServer server;
    THttpCli client;
    for (const Case &c : cases) {
        server.on(c.path, {c.reply, c.keptOpen});
        client.URL = url(server, c.path);
        const Fetched got = fetch(client);
        EXPECT_EQ(got.failure, "") << c.path;
        EXPECT_EQ(got.body, c.body) << c.path;
        EXPECT_EQ(client.ResponseStatus(), 200) << c.path;
        EXPECT_EQ(client.ResponseContentType(), c.contentType) << c.path;
        EXPECT_EQ(client.LocalDocName(), c.docName) << c.path;
    }
}

TEST(HttpClient, FollowsRelocationsToAPathAndToAnotherServerButNotForever)
{
    HttpTestServer first, second;
    first.on("/old", {"HTTP/1.0 302 Found\r\nLocation: /new\r\n\r\nignored"});
    first.on("/new", HttpTestServer::ok("new"));
    first.on("/away", HttpTestServer::redirect(301, second.url("/doc")));
    second.on("/doc", HttpTestServer::ok("doc"));
    first.on("/loop", {"HTTP/1.0 302 Found\r\nLocation: /loop\r\n\r\n"});
    THttpCli client;
    QStringList moves;
    client.OnLocationChange = [&](const QString &location) { moves << location; };

    client.URL = url(first, "/old");
    EXPECT_EQ(fetch(client).body, "new");
    client.URL = url(first, "/away");
    EXPECT_EQ(fetch(client).body, "doc");
    EXPECT_EQ(client.LocalDocName(), "doc");
    EXPECT_EQ(second.requests().at(0), "GET /doc HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_EQ(moves, QStringList({"/new", url(second, "/doc")}));

    client.URL = url(first, "/loop");
    EXPECT_EQ(fetch(client).failure, "Too many relocations #404");
    EXPECT_EQ(first.requests().size(), 3 + 21);
    EXPECT_EQ(first.requests().at(1), "GET /new HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST(HttpClient, ThroughAProxyNamesTheWholeAddressAndKeepsCredentialsToTheirHost)
{
    HttpTestServer proxy;
    proxy.on("http://music.example:8080/list?x=1", {"HTTP/1.0 302 Found\r\nLocation: /list2\r\n\r\n"});
    proxy.on("http://music.example:8080/list2", {"HTTP/1.0 302 Found\r\nLocation: http://other.example/l3\r\n\r\n"});
    proxy.on("http://other.example/l3", HttpTestServer::ok("list"));
    THttpCli client;
    client.Proxy = "127.0.0.1";
    client.ProxyPort = QString::number(proxy.port());
    client.URL = "http://me:pw@music.example:8080/list?x=1";
    client.Cookie = "id=7";

    EXPECT_EQ(fetch(client).body, "list");
    const std::string credentials = "Authorization: Basic bWU6cHc=\r\nCookie: id=7\r\n\r\n";
    EXPECT_EQ(proxy.requests(),
              (std::vector<std::string>{
                  "GET http://music.example:8080/list?x=1 HTTP/1.0\r\nHost: music.example\r\n" + credentials,
                  "GET http://music.example:8080/list2 HTTP/1.0\r\nHost: music.example\r\n" + credentials,
                  "GET http://other.example/l3 HTTP/1.0\r\nHost: other.example\r\n\r\n",
              }));
    EXPECT_EQ(client.LocalDocName(), "l3");
}

// A server's error raises its reason; the document begins only after a whole
// header of a success.
TEST(HttpClient, ServerAndLocalFailuresEndTheRequestWithTheirReason)
{
    HttpTestServer server;
    server.on("/missing", {"HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here!"});
    server.on("/broken", {"HTTP/1.1 500 Internal Server Error\r\n\r\noops"});
    server.on("/nothing", {""});
    server.on("/short", {"HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly ten!!"});
    server.on("/long-line", {"HTTP/1.0 200 OK\r\nX-Long: " + std::string(9000, 'a') + "\r\n\r\n"});
    std::string manyLines = "HTTP/1.0 200 OK\r\n";
    for (int i = 0; i < 70; ++i)
        manyLines += "X-Line: " + std::string(1000, 'a') + "\r\n";
    server.on("/many-lines", {manyLines + "\r\n"});
    const std::pair<QString, std::string> cases[] = {
        {url(server, "/missing"), "Not Found #404"},
        {url(server, "/broken"), "Internal Server Error #500"},
        {url(HttpTestServer(), "/"), "Connection refused (Error #111) #404"},  // closed again
        {"http://no..such..host/", "can't resolve hostname to IP address #404"},
        {url(server, "/nothing"), "Connection closed before the response was complete #404"},
        {url(server, "/short"), "Connection closed before the response was complete #404"},
        {url(server, "/long-line"), "Response header too large #404"},
        {url(server, "/many-lines"), "Response header too large #404"},
    };
    THttpCli client;
    bool docBegun = false;
    client.OnDocBegin = [&] { docBegun = true; };
    for (const auto &[url, failure] : cases) {
        client.URL = url;
        EXPECT_EQ(fetch(client).failure, failure) << url.toStdString();
        EXPECT_EQ(client.State(), THttpState::Ready);
        EXPECT_EQ(std::exchange(docBegun, false), url.endsWith("/short")) << url.toStdString();
    }
    QFile full("/dev/full");
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    client.URL = url(server, "/short");
    EXPECT_EQ(fetch(client, false, &full).failure, "No space left on device #404");
    client.ExtraHeaders = {"User-Email: a@b\nInjected: 1"};
    EXPECT_EQ(fetch(client).failure, "Line break in a request field #404");
    client.ExtraHeaders.clear();
    client.Agent = "x\r\nInjected: 1";
    EXPECT_EQ(fetch(client).failure, "Line break in a request field #404");
}

TEST(HttpClient, AbortFromAnotherEventEndsTheRequestAtEveryStage)
{
    HttpTestServer server;
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

    THttpCli client;
    // As a Cancel button would: a separate event while the request waits.
    bool posted = false;
    const auto abortSoon = [&] {
        if (!std::exchange(posted, true))
            QMetaObject::invokeMethod(
                &client, [&client] { client.Abort(); }, Qt::QueuedConnection);
    };
    client.OnStateChange = [&] {
        if (client.State() == THttpState::Connecting && client.URL.endsWith(":" + QString::number(full.serverPort())))
            abortSoon();
    };
    client.OnHeaderData = [&](const QString &) { abortSoon(); };
    client.OnDocData = [&](const char *, qint64) { abortSoon(); };

    for (const QString &url :
         {"http://127.0.0.1:" + QString::number(full.serverPort()), url(server, "/header"), url(server, "/body")}) {
        client.URL = url;
        posted = false;
        const Fetched got = fetch(client);
        EXPECT_EQ(got.failure, "Connection aborted on request #404") << url.toStdString();
        EXPECT_EQ(got.body, url.endsWith("/body") ? "partial" : "") << url.toStdString();
    }
    client.OnHeaderData = nullptr;
    client.OnDocData = nullptr;
    client.URL = url(server, "/fine");
    EXPECT_EQ(fetch(client).body, "fine");
}

TEST(HttpClient, RefusesASecondRequestWhileBusyAndAPostWithoutBody)
{
    HttpTestServer server;
    server.on("/doc", HttpTestServer::ok("doc"));
    THttpCli client;
    client.URL = url(server, "/doc");
    std::string refusal;
    client.OnDocBegin = [&] {
        try {
            client.Get();
        } catch (const EHttpException &e) {
            refusal = e.Message().toStdString() + " #" + std::to_string(e.ErrorCode());
        }
    };
    EXPECT_EQ(fetch(client).body, "doc");
    EXPECT_EQ(refusal, "HTTP component is busy #1");
    client.OnDocBegin = nullptr;
    EXPECT_EQ(fetch(client, true).failure, "HTTP component has nothing to post #2");
    EXPECT_EQ(server.requests().size(), 1);
}
