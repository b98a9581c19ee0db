// The HTTP client over TLS: GET and POST to https addresses trusted through
// SSL_CERT_FILE, relocations between http and https, and every refusal with
// its reason and without a byte in the clear.

#include "net/http_client.h"
#include "net/http_exception.h"
#include "support/http_test_server.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using ludro::test::HttpTestServer;
using ludro::test::TestAuthority;
using ludro::test::TlsTestProxy;
using namespace net;

namespace {

class HttpsClient : public testing::Test {
protected:
    void SetUp() override { qputenv("SSL_CERT_FILE", QByteArray::fromStdString(authority.certificateFile())); }
    void TearDown() override { qunsetenv("SSL_CERT_FILE"); }

    std::unique_ptr<TlsTestProxy> front(const TestAuthority::Issued &certificate, bool onlyTls10 = false)
    {
        return std::make_unique<TlsTestProxy>(
            server.port(), TlsTestProxy::Options{certificate.certificateFile, certificate.keyFile, onlyTls10});
    }

    // The body, or "message #code".
    QByteArray fetch(const QString &url, QByteArray post = {})
    {
        THttpCli client;
        client.URL = url;
        QBuffer body(&post), answer;
        body.open(QIODevice::ReadOnly);
        answer.open(QIODevice::WriteOnly);
        client.BodySink = &answer;
        if (!post.isEmpty())
            client.PostBody = &body;
        try {
            post.isEmpty() ? client.Get() : client.Post();
        } catch (const EHttpException &e) {
            return e.Message().toUtf8() + " #" + QByteArray::number(e.ErrorCode());
        }
        return answer.data();
    }

    QTemporaryDir dir;
    TestAuthority authority{dir.path().toStdString()};
    HttpTestServer server;
};

}  // namespace

TEST_F(HttpsClient, FetchesAndPostsOverTlsAndRelocatesBetweenHttpAndHttps)
{
    const auto tls = front(authority.issue("server"));
    const QString secure = QString::fromStdString(tls->url("/doc", "localhost"));
    server.answerBy([&](const std::string &request) {
        if (request.rfind("POST /form ", 0) == 0)
            return HttpTestServer::ok(request.substr(request.find("\r\n\r\n") + 4), "text/plain");
        if (request.rfind("GET /up ", 0) == 0)
            return HttpTestServer::redirect(302, secure.toStdString());
        if (request.rfind("GET /down ", 0) == 0)
            return HttpTestServer::redirect(302, server.url("/doc"));
        return HttpTestServer::ok("secret", "text/plain");
    });

    EXPECT_EQ(fetch(secure), "secret");
    EXPECT_EQ(fetch(QString::fromStdString(tls->url("/form")), "cmd=hello"), "cmd=hello");
    EXPECT_EQ(fetch(QString::fromStdString(server.url("/up"))), "secret");
    EXPECT_EQ(fetch(QString::fromStdString(tls->url("/down"))), "secret");
    EXPECT_EQ(tls->handshakes(), 4);
    EXPECT_EQ(tls->resumptions(), 2) << "a second visit to a host and port resumes its session";
}

TEST_F(HttpsClient, RefusesWhatIsNotValidAndNeverSendsInTheClear)
{
    QTemporaryDir strangerDir;
    const TestAuthority stranger(strangerDir.path().toStdString());
    server.setDefault(HttpTestServer::ok("never sent"));
    struct Case {
        TestAuthority::Issued certificate;
        bool onlyTls10;
        QByteArray failure;
    };
    const Case cases[] = {
        {authority.issue("elsewhere", {.names = {"radio.example"}}), false,
         "TLS: the certificate of 127.0.0.1 is for another name #404"},
        {authority.issue("expired", {.validFromSeconds = -2 * 86400, .validToSeconds = -86400}), false,
         "TLS: the certificate of 127.0.0.1 has expired #404"},
        {authority.issue("own", {.selfSigned = true}), false, "TLS: the certificate of 127.0.0.1 is self-signed #404"},
        {stranger.issue("stranger"), false, "TLS: the certificate of 127.0.0.1 is not from a trusted authority #404"},
        {authority.issue("old"), true, "TLS: 127.0.0.1 offers no TLS version from 1.2 on #404"},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.failure.toStdString());
        const auto tls = front(test.certificate, test.onlyTls10);
        EXPECT_EQ(fetch(QString::fromStdString(tls->url("/doc"))), test.failure);
        const QString relocated = QString::fromStdString(server.url("/to-tls"));
        server.on("/to-tls", HttpTestServer::redirect(302, tls->url("/doc")));
        EXPECT_EQ(fetch(relocated), test.failure) << "a relocation to it is refused alike";
    }
    EXPECT_EQ(server.requests().size(), std::size(cases)) << "only the plain requests for the relocations";

    THttpCli client;
    client.URL = QString::fromStdString(server.url("/doc")).replace("http:", "https:");
    client.Proxy = "127.0.0.1";
    client.ProxyPort = QString::number(server.port());
    EXPECT_THROW(client.Get(), EHttpException);
    EXPECT_EQ(client.ResponseReason(), "An https address cannot be fetched through a proxy: " + client.URL);
    EXPECT_EQ(fetch("ftp://127.0.0.1/doc"),
              "Only http and https addresses can be fetched, not ftp://127.0.0.1/doc #404");
    EXPECT_EQ(server.requests().size(), std::size(cases));
}
