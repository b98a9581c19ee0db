// Time from "play" to the first sound of a loopback https radio stream: the
// engine opens the address and plays, and the first sound is the first
// decoded audio it hands to the sound device (ALSA "null"), which the
// stream's facts announce. Two servers: a loopback ICY stream behind a TLS
// front, and Icecast with its own TLS fed at real-time rate, whose own wait
// before the first audio byte is measured too.
//   bench-stream-start [RUNS]

#include "support/engine_session.h"
#include "support/http_test_server.h"
#include "support/icecast_server.h"
#include "support/run_until.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void fail(const char *what)
{
    std::fprintf(stderr, "bench-stream-start: %s\n", what);
    std::exit(1);
}

// Milliseconds from Play to the first sound, for each run.
std::vector<double> startTimes(EngineSession &s, const std::string &address, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const std::size_t since = s.mark();
        const auto start = Clock::now();
        s.open(address);
        s.send(SK_PLAY);
        if (!s.waitForEvent(SK_NOTIFY_INPUT_STREAM_INFO, since, {}, std::chrono::seconds(10)))
            fail("the stream does not play");
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        const std::size_t stopped = s.mark();
        s.send(SK_STOP);
        s.waitForEvent(SK_NOTIFY_PLAYER_STATE, stopped, SK_STATE_STOPPED);
    }
    return times;
}

// Milliseconds until the first byte after the answer's header, for a plain
// listener that only reads: how long the server itself takes.
double firstAudioByteMs(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto start = Clock::now();
    const std::string request = "GET /live HTTP/1.0\r\nIcy-MetaData: 1\r\n\r\n";
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
        fail("cannot reach Icecast");
    std::string received;
    char buffer[65536];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) {
        received.append(buffer, static_cast<std::size_t>(n));
        const auto end = received.find("\r\n\r\n");
        if (end != std::string::npos && received.size() > end + 4)
            break;
    }
    ::close(fd);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char *server, std::vector<double> times)
{
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("%-40s first %6.1f ms, median %6.1f ms, slowest %6.1f ms (%zu runs, target 300 ms)\n", server, first,
                times[times.size() / 2], times.back(), times.size());
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    setenv("LUDRO_ALSA_DEVICE", "null", 1);
    QFile song(QString::fromStdString(fixture("l3-44k-joint-long.mp3")));
    if (!song.open(QIODevice::ReadOnly))
        fail("cannot read the song");
    const std::string audio = song.readAll().toStdString();

    QTemporaryDir folder, icecastFolder;
    const ludro::test::TestAuthority authority(folder.path().toStdString());
    setenv("SSL_CERT_FILE", authority.certificateFile().c_str(), 1);
    const auto certificate = authority.issue("server");

    using ludro::test::HttpTestServer;
    HttpTestServer server;
    server.setDefault(HttpTestServer::Response().send(HttpTestServer::icyHead(0)).endless(audio));
    const ludro::test::TlsTestProxy tls(server.port(), {certificate.certificateFile, certificate.keyFile});
    EngineSession s;
    report("loopback ICY stream behind a TLS front", startTimes(s, tls.url("/radio", "localhost"), runs));

    ludro::test::IcecastServer icecast(icecastFolder.path(), certificate.combinedFile);
    if (!icecast.start())
        fail(qPrintable("Icecast does not start: " + icecast.log()));
    icecast.feed("/live", audio, 12000);
    if (!runUntil([&] { return icecast.isLive("/live"); }, 10000))
        fail("Icecast's mount has no source");
    report("Icecast 2.4, plain http", startTimes(s, icecast.url("/live"), runs));
    report("Icecast 2.4 with its own TLS", startTimes(s, icecast.tlsUrl("/live"), runs));
    std::vector<double> waits;
    for (int i = 0; i < runs; ++i)
        waits.push_back(firstAudioByteMs(icecast.port()));
    report("Icecast's own wait for its first audio", waits);
    return 0;
}
