// The whole player's CPU share while it plays a song with its windows shown
// on an X server (Xvfb) and its sound going to ALSA's "null" device; with
// --https, the same song as a radio stream from a loopback server behind a
// TLS front, as fast as the player takes it.
//   bench-playing [SECONDS] [--https]

#include "run_tool.h"
#include "support/http_test_server.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"
#include "thread_cpu.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace {

void fail(const char *what)
{
    std::fprintf(stderr, "bench-playing: %s\n", what);
    std::exit(1);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const bool https = arguments.contains("--https");
    const int seconds = arguments.size() > 1 && arguments[1] != "--https" ? std::max(5, arguments[1].toInt()) : 20;
    QTemporaryDir home;
    const QString wav = home.filePath("source.wav"), song = home.filePath("song.mp3");
    if (!runTool(LUDRO_FIXTURE_WAV, {"44100", "2", QString::number(seconds + 30), wav})
        || !runTool("lame", {"--quiet", "-b", "128", wav, song}))
        fail("cannot make the song");

    QProcess x;
    x.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!x.waitForReadyRead(10000))
        fail("cannot start Xvfb");
    const QString display = ':' + QString::fromLatin1(x.readLine().trimmed());

    // The station: the song over and over, from the start of the playing.
    using ludro::test::HttpTestServer;
    HttpTestServer server;
    std::unique_ptr<ludro::test::TestAuthority> authority;
    std::unique_ptr<ludro::test::TlsTestProxy> tls;
    QString input = song;
    if (https) {
        QFile mp3(song);
        if (!mp3.open(QIODevice::ReadOnly))
            fail("cannot read the song");
        server.setDefault(
            HttpTestServer::Response().send(HttpTestServer::icyHead(0)).endless(mp3.readAll().toStdString()));
        authority = std::make_unique<ludro::test::TestAuthority>(home.path().toStdString());
        const auto certificate = authority->issue("station");
        tls = std::make_unique<ludro::test::TlsTestProxy>(
            server.port(), ludro::test::TlsTestProxy::Options{certificate.certificateFile, certificate.keyFile});
        input = QString::fromStdString(tls->url("/live", "localhost"));
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (authority)
        env.insert("SSL_CERT_FILE", QString::fromStdString(authority->certificateFile()));
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("LUDRO_HOME", home.path() + '/');
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.insert("LUDRO_ALSA_DEVICE", "null");
    QProcess player;
    player.setProcessEnvironment(env);
    player.setStandardOutputFile(QProcess::nullDevice());
    player.start(LUDRO_PROGRAM_DIR "/ludro", {input});
    if (!player.waitForStarted(5000))
        fail("cannot start the player");

    // Past the start-up light show and the first second of the song.
    QThread::sleep(5);
    const auto playerStart = threadSeconds(player.processId()), xStart = threadSeconds(x.processId());
    QThread::sleep(static_cast<unsigned>(seconds));
    const auto playerEnd = threadSeconds(player.processId()), xEnd = threadSeconds(x.processId());
    if (player.state() != QProcess::Running)
        fail("the player ended early");

    const auto share = [seconds](double cpu) { return cpu / seconds * 100.0; };
    std::printf("whole player playing %s with its windows shown, %d s: %.3f %% of one core (target under 0.5 %%)\n",
                https ? "an https stream" : "a file", seconds, share(total(playerEnd) - total(playerStart)));
    for (const auto &[name, end] : playerEnd) {
        const auto start = playerStart.find(name);
        std::printf("  thread %-16s %.3f %%\n", qPrintable(name),
                    share(end - (start == playerStart.end() ? 0.0 : start->second)));
    }
    std::printf("the X server drawing it: %.3f %% of one core\n", share(total(xEnd) - total(xStart)));
    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    player.waitForFinished(10000);
    x.terminate();
    x.waitForFinished(5000);
    return 0;
}
