// Decoding speed against the mpg123 program, and the engine's CPU share
// while playing in real time.
//   bench-decode [ROUNDS]

#include "support/engine_session.h"

#include "run_tool.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double seconds(const QString &program, const QStringList &args)
{
    QElapsedTimer t;
    t.start();
    if (!runTool(program, args)) {
        std::fprintf(stderr, "bench-decode: %s failed\n", qPrintable(program));
        std::exit(1);
    }
    return t.nsecsElapsed() / 1e9;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double cpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const QString wav = dir.filePath("source.wav"), song = dir.filePath("song.mp3");
    if (!runTool(LUDRO_FIXTURE_WAV, {"44100", "2", "180", wav})
        || !runTool("lame", {"--quiet", "-b", "128", wav, song})) {
        std::fprintf(stderr, "bench-decode: cannot make the 3-minute song\n");
        return 1;
    }

    std::vector<double> engine, reference, ratios;
    for (int i = 0; i < rounds; ++i) {
        const double e = seconds(LUDRO_PROGRAM_DIR "/sonark-play", {"--output", "wav:" + dir.filePath("e.wav"), song});
        const double m = seconds("mpg123", {"-q", "-w", dir.filePath("m.wav"), song});
        engine.push_back(e);
        reference.push_back(m);
        ratios.push_back(e / m);
        std::printf("round %d: engine %.3f s, mpg123 %.3f s, ratio %.3f\n", i + 1, e, m, e / m);
    }
    std::printf("3-minute 128 kbit/s stereo MP3 to WAV: engine %.3f s, mpg123 %.3f s (medians)\n", median(engine),
                median(reference));
    std::printf("median time ratio engine/mpg123: %.3f (target 1.10 or less)\n", median(ratios));

    // Real-time play into ALSA's "null" device: CPU time of this process
    // (the engine's threads) over 20 s of music.
    setenv("LUDRO_ALSA_DEVICE", "null", 1);
    EngineSession s;
    s.open(song.toStdString());
    control_message_send_II(s.player(), SK_INPUT_SEEK, 100, 180);
    s.waitForEvent(SK_NOTIFY_ACK);
    s.send(SK_PLAY);
    s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_PLAYING);
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = cpuSeconds();
    QEventLoop playing;
    QTimer::singleShot(20000, &playing, &QEventLoop::quit);
    playing.exec();
    const double share = (cpuSeconds() - cpuStart) / (wall.nsecsElapsed() / 1e9) * 100.0;
    std::printf("CPU share while playing in real time: %.2f %% of one core (target under 1 %%)\n", share);
    return 0;
}
