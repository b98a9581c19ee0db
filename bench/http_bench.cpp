// Sequential GETs of a 100 KB file from a loopback server: THttpCli against
// curl fetching the same URLs in one run. Every request is a new connection
// for both, as the server closes after each answer.
//   bench-http [REQUESTS]

#include "net/http_client.h"
#include "net/http_exception.h"
#include "support/http_test_server.h"

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

double curlSeconds(const QString &url, int requests)
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
    curl.start("curl", {"--silent", "--show-error", "--fail", "--config", config.fileName()});
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

    const double ours = clientSeconds(url, requests, file.size());
    const double curl = curlSeconds(url, requests);
    std::printf("%d sequential GETs of a 100 KB file from a loopback server\n", requests);
    std::printf("THttpCli: %.3f s, %.0f requests/s\n", ours, requests / ours);
    std::printf("curl:     %.3f s, %.0f requests/s\n", curl, requests / curl);
    std::printf("requests/s THttpCli/curl: %.2f\n", curl / ours);
    return 0;
}
