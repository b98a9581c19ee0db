// Sequential GETs of a 100 KB file from a loopback server: THttpCli against
// curl fetching the same URLs in one run, over http and over https (a TLS
// front with a certificate of an authority made for the run, which both
// trust). Every request is a new connection for both, as the server closes
// after each answer.
//   bench-http [REQUESTS]

#include "net/http_client.h"
#include "net/http_exception.h"
#include "support/http_test_server.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using ludro::test::HttpTestServer;

namespace {

double clientSeconds(const QString &url, int requests, qint64 size)
{
    net::THttpCli client;
    QFile sink("/dev/null");
    sink.open(QIODevice::WriteOnly);
    client.BodySink = &sink;
    client.URL = url;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < requests; ++i) {
        try {
            client.Get();
        } catch (const net::EHttpException &e) {
            std::fprintf(stderr, "bench-http: %s\n", qPrintable(e.Message()));
            std::exit(1);
        }
        if (client.BodyBytesReceived() != size) {
            std::fprintf(stderr, "bench-http: short document\n");
            std::exit(1);
        }
    }
    return clock.nsecsElapsed() / 1e9;
}

double curlSeconds(const QString &url, int requests, const QString &authority = {})
{
    QTemporaryDir dir;
    QFile config(dir.filePath("urls"));
    config.open(QIODevice::WriteOnly);
    for (int i = 0; i < requests; ++i)
        config.write(("url = \"" + url + "\"\noutput = \"/dev/null\"\n").toUtf8());
    config.close();
    QProcess curl;
    QElapsedTimer clock;
    clock.start();
    QStringList arguments{"--silent", "--show-error", "--fail", "--config", config.fileName()};
    if (!authority.isEmpty())
        arguments << "--cacert" << authority;
    curl.start("curl", arguments);
    if (!curl.waitForFinished(600000) || curl.exitStatus() != QProcess::NormalExit || curl.exitCode() != 0) {
        std::fprintf(stderr, "bench-http: curl failed: %s\n", curl.readAllStandardError().constData());
        std::exit(1);
    }
    return clock.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int requests = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const QByteArray file(100 * 1024, 'b');
    HttpTestServer server;
    server.on("/file.mp3",
              HttpTestServer::reply(200, "OK", {{"Content-Length", std::to_string(file.size())}}, file.toStdString()));
    const QString url = QString::fromStdString(server.url("/file.mp3"));

    // The machine may be busy with other work: the best of three rounds,
    // each of ours and curl's taken in turn.
    const auto compare = [requests](const char *scheme, const auto &ours, const auto &curl) {
        double best = 1e9, bestCurl = 1e9;
        for (int round = 0; round < 3; ++round) {
            best = std::min(best, ours());
            bestCurl = std::min(bestCurl, curl());
        }
        std::printf("%d sequential GETs of a 100 KB file from a loopback server over %s, best of 3\n", requests,
                    scheme);
        std::printf("THttpCli: %.3f s, %.0f requests/s\n", best, requests / best);
        std::printf("curl:     %.3f s, %.0f requests/s\n", bestCurl, requests / bestCurl);
        std::printf("time THttpCli/curl: %.2f\n", best / bestCurl);
    };
    compare("http", [&] { return clientSeconds(url, requests, file.size()); },
            [&] { return curlSeconds(url, requests); });

    QTemporaryDir folder;
    const ludro::test::TestAuthority authority(folder.path().toStdString());
    const auto certificate = authority.issue("server");
    const ludro::test::TlsTestProxy tls(server.port(), {certificate.certificateFile, certificate.keyFile});
    qputenv("SSL_CERT_FILE", QByteArray::fromStdString(authority.certificateFile()));
    const QString secure = QString::fromStdString(tls.url("/file.mp3"));
    const QString trusted = QString::fromStdString(authority.certificateFile());
    compare("https (target: THttpCli/curl at most 1.2)", [&] { return clientSeconds(secure, requests, file.size()); },
            [&] { return curlSeconds(secure, requests, trusted); });
    std::printf("TLS handshakes %d, of them resumed %d\n", tls.handshakes(), tls.resumptions());
    return 0;
}
