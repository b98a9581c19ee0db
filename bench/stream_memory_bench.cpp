// Memory of the engine while it plays, in real time, a stream that a
// loopback server sends as fast as it can. The resident size and the bytes
// the server got rid of should level off after the first seconds.
//   bench-stream-memory [SECONDS]

#include "support/engine_session.h"
#include "support/http_test_server.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// VmRSS of this process in MB.
double residentMegabytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0.0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0.0;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
    setenv("LUDRO_ALSA_DEVICE", "null", 1);

    QFile song(QString::fromStdString(fixture("l3-44k-joint-long.mp3")));
    if (!song.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench-stream-memory: cannot read the song\n");
        return 1;
    }
    using ludro::test::HttpTestServer;
    HttpTestServer server;
    server.on("/radio",
              HttpTestServer::Response().send(HttpTestServer::icyHead(0)).endless(song.readAll().toStdString()));

    EngineSession s;
    s.open(server.url("/radio"));
    s.send(SK_PLAY);
    if (!s.waitForEvent(SK_NOTIFY_INPUT_STREAM_INFO)) {
        std::fprintf(stderr, "bench-stream-memory: the stream does not play\n");
        return 1;
    }
    std::printf("seconds  resident MB  sent by the server MB\n");
    for (int t = 0; t <= seconds; t += 2) {
        std::printf("%7d  %11.1f  %21.1f\n", t, residentMegabytes(), server.bytesSent() / 1048576.0);
        std::fflush(stdout);
        s.waitFor([] { return false; }, std::chrono::seconds(2));
    }
    return 0;
}
