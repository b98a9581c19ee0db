// Switching textures with the main, playlist and equalizer windows shown on
// an X server (Xvfb, started here), each switch loaded from its folder and
// drawn; then the CPU a hover animation costs once it has finished.
//   bench-texture [SWITCHES]

#include "app/main_form.h"
#include "playlist/pl_form.h"
#include "sound/eq_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class SilentDialogs : public platform::QtDialogs {
public:
    QString askAddress() override { return {}; }
    int chooseSong(const QStringList &) override { return -1; }
};

void fail(const char *what)
{
    std::fprintf(stderr, "bench-texture: %s\n", what);
    std::exit(1);
}

// Timer events delivered to anything but the bench's own waits.
class TimerCount : public QObject {
public:
    int count = 0;
    QObject *ignored = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer && watched != ignored)
            ++count;
        return false;
    }
};

// The process's CPU time while its event loop waits for `ms`, and the timer
// events the program had meanwhile.
std::pair<double, int> idle(int ms)
{
    TimerCount timers;
    QCoreApplication::instance()->installEventFilter(&timers);
    const double start = processCpuMs();
    QEventLoop loop;
    QTimer wait;
    timers.ignored = &wait;
    wait.setSingleShot(true);
    QObject::connect(&wait, &QTimer::timeout, &loop, &QEventLoop::quit);
    wait.start(ms);
    loop.exec();
    return {processCpuMs() - start, timers.count};
}

}  // namespace

int main(int argc, char **argv)
{
    QProcess x;
    x.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!x.waitForReadyRead(10000))
        fail("cannot start Xvfb");
    qputenv("DISPLAY", ':' + x.readLine().trimmed());
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const int switches = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;

    TextureManager textures({LUDRO_PROGRAM_DIR "/textures/"});
    SilentDialogs dialogs;
    PlaylistModel playlist;
    TMainForm main(textures);
    TPLForm playlistWindow(playlist, dialogs, textures);
    TEQForm equalizer(textures, {LUDRO_PROGRAM_DIR "/presets/"}, dialogs);
    const std::vector<QWidget *> windows{&main, &playlistWindow, &equalizer};
    for (QWidget *window : windows)
        window->show();
    idle(500);

    const QStringList names{"Ember", "Moss", TextureManager::BuiltinName};
    std::vector<double> times;
    for (int i = 0; i < switches; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!textures.apply(names[i % names.size()]))
            fail("a shipped texture cannot be loaded (build the 'textures' target)");
        for (QWidget *window : windows)
            window->repaint();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("switching textures, loaded and drawn in three windows, %d switches: median %.1f ms, slowest %.1f ms "
                "(target under 100 ms)\n",
                switches, times[times.size() / 2], times.back());

    if (!textures.apply("Ember"))
        fail("cannot load Ember");
    const auto [quietCpu, quietTimers] = idle(3000);
    std::printf("3 s with the windows shown and nothing happening: %.2f ms of CPU, %d timer events\n", quietCpu,
                quietTimers);
    const QPoint play = textures.texture()->layout.main.play.center();
    QMouseEvent move(QEvent::MouseMove, QPointF(play), main.mapToGlobal(QPointF(play)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&main, &move);
    const double animationStart = processCpuMs();
    QElapsedTimer animation;
    animation.start();
    while (main.hoverAnimating())
        idle(5);
    std::printf("hover animation of %d frames: %lld ms, %.1f ms of CPU\n", textures.texture()->hoverFrames,
                animation.elapsed(), processCpuMs() - animationStart);
    const auto [restingCpu, restingTimers] = idle(3000);
    std::printf("after it finished, 3 s with the pointer resting on the button: %.2f ms of CPU, %d timer events "
                "(target: no timer runs, CPU as when nothing happens)\n",
                restingCpu, restingTimers);
    x.terminate();
    x.waitForFinished(5000);
    return 0;
}
