// The converter against the plain tools in the same run: a batch of WAV
// files to MP3 against a serial loop of lame, and MP3 to WAV against
// mpg123 -w.
//   bench-convert [FILES] [ROUNDS]

#include "encoder/conversion.h"
#include "support/recording_dialogs.h"

#include "run_tool.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace encoder;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void need(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "bench-convert: %s failed\n", what);
        std::exit(1);
    }
}

// Seconds the converter takes for `files`, writing into `destination`.
double convert(const QStringList &files, const QString &destination)
{
    QDir(destination).removeRecursively();
    QDir().mkpath(destination);
    RecordingDialogs dialogs;
    Conversion conversion(dialogs);
    QStringList lines;
    for (const QString &file : files)
        lines << conversionLine(file);
    QEventLoop loop;
    QObject::connect(&conversion, &Conversion::finished, &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    need(conversion.start(lines, {"lame", switchesOf(EncoderKind::Lame), {128000, false, false}, destination,
                                     QThread::idealThreadCount()}),
        "the converter");
    loop.exec();
    const double s = t.nsecsElapsed() / 1e9;
    for (const QString &line : conversion.lines())
        need(line.startsWith(convertedLabel()), "a conversion");
    return s;
}

double timed(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 6;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTemporaryDir dir;
    QStringList wavs;
    for (int i = 0; i < count; ++i) {
        wavs << dir.filePath(QStringLiteral("source%1.wav").arg(i));
        need(runTool(LUDRO_FIXTURE_WAV, {"44100", "2", "30", wavs.back()}), "making the WAV files");
    }
    const QString song = dir.filePath("song.mp3");
    need(runTool("lame", {"--quiet", "-b", "128", wavs[0], dir.filePath("w.mp3")})
            && runTool(LUDRO_FIXTURE_WAV, {"44100", "2", "180", dir.filePath("long.wav")})
            && runTool("lame", {"--quiet", "-b", "128", dir.filePath("long.wav"), song}),
        "making the 3-minute song");

    std::vector<double> batch, serial, decode, mpg123;
    for (int r = 0; r < rounds; ++r) {
        batch.push_back(convert(wavs, dir.filePath("batch")));
        serial.push_back(timed([&] {
            for (const QString &wav : wavs)
                need(runTool("lame", {"--quiet", "-b", "128", wav, dir.filePath("serial.mp3")}), "lame");
        }));
        decode.push_back(convert({song}, dir.filePath("decode")));
        mpg123.push_back(timed([&] { need(runTool("mpg123", {"-q", "-w", dir.filePath("m.wav"), song}), "mpg123"); }));
        std::printf("round %d: batch %.3f s, serial lame %.3f s; MP3 to WAV %.3f s, mpg123 %.3f s\n", r + 1,
            batch.back(), serial.back(), decode.back(), mpg123.back());
    }
    std::printf("%d WAV files of 30 s to MP3 with %d encoders: %.3f s, serial lame loop %.3f s, ratio %.3f "
                "(target 0.65 or less)\n",
        count, QThread::idealThreadCount(), median(batch), median(serial), median(batch) / median(serial));
    std::printf("3-minute MP3 to WAV: converter %.3f s, mpg123 -w %.3f s, ratio %.3f (target 1.10 or less)\n",
        median(decode), median(mpg123), median(decode) / median(mpg123));
    return 0;
}
