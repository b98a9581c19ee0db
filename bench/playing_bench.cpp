// The whole player's CPU share while it plays a song with its windows shown
// on an X server (Xvfb) and its sound going to ALSA's "null" device: in the
// built-in texture, then wearing Audacious's default Winamp skin with the
// spectrum analyser on at 1x and at 2x, and Audacious itself wearing that
// skin at 2x with its analyser, in the same run. With --https, the same song
// as a radio stream from a loopback server behind a TLS front, as fast as
// the player takes it (built-in texture only).
//   bench-playing [SECONDS] [--https]

#include "run_tool.h"
#include "support/http_test_server.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"
#include "thread_cpu.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
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

const QString PeerSkin = QStringLiteral("/usr/share/audacious/Skins/Default");

// The peer's skin as a Winamp skin folder of bitmaps, with its colours.
bool writeSkin(const QString &folder)
{
    QDir().mkpath(folder);
    for (const QString &png : QDir(PeerSkin).entryList({"*.png"}, QDir::Files))
        if (!QImage(PeerSkin + '/' + png).save(folder + '/' + QFileInfo(png).completeBaseName() + ".bmp", "BMP"))
            return false;
    return QFile::copy(PeerSkin + "/viscolor.txt", folder + "/viscolor.txt");
}

bool writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Audacious with its Winamp Classic interface on ALSA's "null" device, the
// analyser on (its default) and double size, in a home of its own: a first
// headless start writes its plug-in registry, where the interface and the
// output are then chosen. It plays a file named on its command line only
// with a session bus, so it runs under one of its own.
bool prepareAudacious(const QProcessEnvironment &env, const QString &home)
{
    QProcess first;
    first.setProcessEnvironment(env);
    first.start("audacious", {"-H"});
    const QString registry = home + "/.config/audacious/plugin-registry";
    for (int i = 0; i < 100 && !QFile::exists(registry); ++i)
        QThread::msleep(100);
    QThread::sleep(1);
    ::kill(static_cast<pid_t>(first.processId()), SIGINT);
    first.waitForFinished(5000);
    QFile file(registry);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    QByteArray entry;
    for (QByteArray &line : lines) {
        if (line.startsWith("iface ") || line.startsWith("output "))
            entry = line;
        else if (line.startsWith("enabled ") && !entry.isEmpty())
            line = entry.endsWith("/skins.so") || entry.endsWith("/alsa.so") ? "enabled 1" : "enabled 0";
        else if (!line.startsWith("stamp") && !line.startsWith("version") && !line.startsWith("flags")
                 && !line.startsWith("name") && !line.startsWith("domain") && !line.startsWith("priority")
                 && !line.startsWith("about") && !line.startsWith("config"))
            entry.clear();
    }
    return writeText(registry, lines.join('\n'))
        && writeText(home + "/.config/audacious/config",
                     "[alsa]\npcm=null\nmixer=null\n\n[skins]\ndouble_size=TRUE\nskin=" + PeerSkin.toUtf8() + "\n");
}

struct Run {
    QString title;
    QString program;
    QStringList arguments;
    QProcessEnvironment env;
    // The process measured is the child of this name of the one started.
    QString child;
};

qint64 childNamed(qint64 parent, const QString &name)
{
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(parent));
    if (!children.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &pid : children.readAll().split(' ')) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(pid)));
        if (!pid.isEmpty() && comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.toUtf8())
            return pid.toLongLong();
    }
    return 0;
}

// The CPU share of the run's process and of the X server, after a start
// of five seconds.
void measure(const Run &run, const QProcess &x, int seconds)
{
    QProcess player;
    player.setProcessEnvironment(run.env);
    player.setStandardOutputFile(QProcess::nullDevice());
    player.setStandardErrorFile(QProcess::nullDevice());
    player.start(run.program, run.arguments);
    if (!player.waitForStarted(5000))
        fail("cannot start the player");

    // Past the start-up light show and the first second of the song.
    QThread::sleep(5);
    const qint64 pid = run.child.isEmpty() ? player.processId() : childNamed(player.processId(), run.child);
    if (pid == 0)
        fail("cannot find the player's process");
    const auto playerStart = threadSeconds(pid), xStart = threadSeconds(x.processId());
    QThread::sleep(static_cast<unsigned>(seconds));
    const auto playerEnd = threadSeconds(pid), xEnd = threadSeconds(x.processId());
    if (player.state() != QProcess::Running)
        fail("the player ended early");

    const auto share = [seconds](double cpu) { return cpu / seconds * 100.0; };
    std::printf("%s, %d s: %.3f %% of one core\n", qPrintable(run.title), seconds,
                share(total(playerEnd) - total(playerStart)));
    for (const auto &[name, end] : playerEnd) {
        const auto start = playerStart.find(name);
        const double part = share(end - (start == playerStart.end() ? 0.0 : start->second));
        if (part >= 0.005)
            std::printf("  thread %-16s %.3f %%\n", qPrintable(name), part);
    }
    std::printf("  the X server drawing it: %.3f %% of one core\n", share(total(xEnd) - total(xStart)));
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    player.waitForFinished(10000);
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
    const QString what = https ? "an https stream" : "a file";
    measure({"whole player playing " + what + " with its windows shown (target under 0.5 %)", LUDRO_PROGRAM_DIR "/ludro",
             {input}, env},
            x, seconds);
    if (https || !QFileInfo::exists(PeerSkin)) {
        x.terminate();
        x.waitForFinished(5000);
        return 0;
    }

    for (const int size : {100, 200}) {
        QTemporaryDir runHome;
        if (!writeSkin(runHome.filePath("textures/Default")))
            fail("cannot convert the peer's skin");
        writeText(runHome.filePath("LudroPro.ini"),
                  "[Ludro]\nTexture=Default\nVisualizer=1\nWindowSize=" + QByteArray::number(size) + "\n");
        QProcessEnvironment skinned = env;
        skinned.insert("LUDRO_HOME", runHome.path() + '/');
        skinned.insert("XDG_RUNTIME_DIR", runHome.path());
        measure({QStringLiteral("whole player in a Winamp skin with the analyser at %1x (target under 1.0 %)").arg(size / 100),
                 LUDRO_PROGRAM_DIR "/ludro", {input}, skinned},
                x, seconds);
    }

    QTemporaryDir peerHome;
    QProcessEnvironment peer = env;
    peer.insert("HOME", peerHome.path());
    peer.insert("XDG_CONFIG_HOME", peerHome.path() + "/.config");
    peer.insert("XDG_RUNTIME_DIR", peerHome.path());
    if (QStandardPaths::findExecutable("audacious").isEmpty() || QStandardPaths::findExecutable("dbus-run-session").isEmpty()
        || !prepareAudacious(peer, peerHome.path()))
        std::printf("Audacious: not measured (not installed or not prepared)\n");
    else
        measure({"Audacious in the same skin at 2x with its analyser", "dbus-run-session", {"--", "audacious", input}, peer,
                 "audacious"},
                x, seconds);
    x.terminate();
    x.waitForFinished(5000);
    return 0;
}
