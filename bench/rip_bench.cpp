// Ripping every track of a 10-minute disc image to WAV files: `ludro-cd rip`
// against `cd-paranoia -B` reading the same image, best of three runs each.
// Targets: at most 1.2 x cd-paranoia's time, at least 20 x real time. The
// two rips must agree byte for byte.
//   bench-rip

#include "support/disc_image.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int trackCount = 10;
constexpr double discSeconds = 600;

// Seconds of the best of three runs of `program` in `folder`; negative when it fails.
double bestOf3(const QString &program, const QStringList &args, const QString &folder)
{
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QProcess p;
        p.setWorkingDirectory(folder);
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        p.start(program, args);
        if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return -1;
        best = std::min(best, clock.nsecsElapsed() / 1e9);
    }
    return best;
}

QByteArray file(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    std::vector<ImageTrack> tracks;
    for (int i = 0; i < trackCount; ++i)  // odd lengths, 45000 sectors in all
        tracks.push_back({4491 + 2 * i, 220 + 55 * i});
    const QString cue = writeDiscImage(dir.path(), tracks);
    const QString ours = dir.filePath("ludro"), theirs = dir.filePath("paranoia");
    const double ludro = bestOf3(LUDRO_PROGRAM_DIR "/ludro-cd", {"--device", cue, "rip", "--dest", ours}, ours);
    const double paranoia = bestOf3("cd-paranoia", {"-d", cue, "-B", "1-"}, theirs);
    if (ludro < 0 || paranoia < 0) {
        std::fprintf(stderr, "bench-rip: %s failed\n", ludro < 0 ? "ludro-cd rip" : "cd-paranoia (scripts/setup installs it)");
        return 1;
    }
    for (int i = 1; i <= trackCount; ++i) {
        const QByteArray a = file(QStringLiteral("%1/AudioTrack%2.wav").arg(ours).arg(i));
        const QByteArray b = file(QStringLiteral("%1/track%2.cdda.wav").arg(theirs).arg(i, 2, 10, QLatin1Char('0')));
        if (a.size() <= 44 || a.mid(44) != b.mid(44)) {
            std::fprintf(stderr, "bench-rip: track %d differs from cd-paranoia's\n", i);
            return 1;
        }
    }
    std::printf("10-minute image, %d tracks to WAV: ludro-cd rip %.3f s, cd-paranoia %.3f s\n", trackCount, ludro,
                paranoia);
    std::printf("  %.2f x cd-paranoia's time (target <= 1.2), %.0f x real time (target >= 20)\n", ludro / paranoia,
                discSeconds / ludro);
    return 0;
}
