// The CD device playing a disc image into ALSA's "null" device: the time from
// open() and play() to the first audio heard, and the CPU share while it plays.
//   bench-cd [SECONDS]

#include "cd/cd_device.h"
#include "support/disc_image.h"
#include "thread_cpu.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 20;
    if (qEnvironmentVariableIsEmpty("LUDRO_ALSA_DEVICE"))
        qputenv("LUDRO_ALSA_DEVICE", "null");
    QTemporaryDir dir;
    const long sectors = (seconds + 5) * 75L / 3;
    const QString image = writeDiscImage(dir.path(), {{sectors, 440}, {sectors + 1, 550}, {sectors + 2, 660}});
    if (image.isEmpty()) {
        std::fprintf(stderr, "bench-cd: cannot write the disc image\n");
        return 1;
    }

    cd::CdDevice device(image);
    device.setTimeFormat(cd::CdDevice::TimeFormat::Msf);
    QElapsedTimer clock;
    clock.start();
    if (!device.open()) {
        std::fprintf(stderr, "bench-cd: cannot open the image\n");
        return 1;
    }
    device.play();
    const double playing = clock.nsecsElapsed() / 1e6;
    while (device.position() == cd::msfFromFrames(150) && clock.elapsed() < 5000)
        QThread::usleep(500);
    const double heard = clock.nsecsElapsed() / 1e6;
    std::printf("open() + play() to Playing: %.2f ms, to the first audio heard: %.1f ms (target under 1 s)\n", playing,
                heard);

    QThread::sleep(1);
    const auto start = threadSeconds(QCoreApplication::applicationPid());
    QThread::sleep(static_cast<unsigned>(seconds));
    const auto end = threadSeconds(QCoreApplication::applicationPid());
    if (device.mode() != cd::CdDevice::Mode::Playing) {
        std::fprintf(stderr, "bench-cd: the disc stopped early\n");
        return 1;
    }
    const auto share = [seconds](double cpu) { return cpu / seconds * 100.0; };
    std::printf("playing the image, %d s: %.3f %% of one core (target under 1 %%)\n", seconds,
                share(total(end) - total(start)));
    for (const auto &[name, after] : end) {
        const auto before = start.find(name);
        std::printf("  thread %-16s %.3f %%\n", qPrintable(name),
                    share(after - (before == start.end() ? 0.0 : before->second)));
    }
    return 0;
}
