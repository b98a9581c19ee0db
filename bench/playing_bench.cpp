// The whole player's CPU share while it plays a song with its windows shown
// on an X server (Xvfb) and its sound going to ALSA's "null" device.
//   bench-playing [SECONDS]

#include "run_tool.h"
#include "thread_cpu.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>

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
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 20;
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

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("LUDRO_HOME", home.path() + '/');
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.insert("LUDRO_ALSA_DEVICE", "null");
    QProcess player;
    player.setProcessEnvironment(env);
    player.setStandardOutputFile(QProcess::nullDevice());
    player.start(LUDRO_PROGRAM_DIR "/ludro", {song});
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
    std::printf("whole player playing with its windows shown, %d s: %.3f %% of one core (target under 0.5 %%)\n",
                seconds, share(total(playerEnd) - total(playerStart)));
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
