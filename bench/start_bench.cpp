// Start-up as the user sees it: from exec to the main window mapped on an X
// server (Xvfb), and the resident memory 3 s after exec, median of the runs.
// Audacious is measured the same way in the same run when it is installed.
//   bench-start [RUNS]

#include "run_tool.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void fail(const char *what)
{
    std::fprintf(stderr, "bench-start: %s\n", what);
    std::exit(1);
}

struct Run {
    double mappedMs = 0;
    long residentKb = 0;
};

// The instance part of a window's WM_CLASS.
std::string windowClass(xcb_connection_t *x, xcb_window_t window)
{
    const auto cookie = xcb_get_property(x, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(x, cookie, nullptr);
    if (!reply)
        return {};
    const std::string value(static_cast<const char *>(xcb_get_property_value(reply)),
                            strnlen(static_cast<const char *>(xcb_get_property_value(reply)),
                                    xcb_get_property_value_length(reply)));
    free(reply);
    return value;
}

long residentKb(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// Waits for the first top-level window of class `wmClass` to be mapped.
bool waitMapped(xcb_connection_t *x, const std::string &wmClass, std::chrono::steady_clock::time_point deadline)
{
    const int fd = xcb_get_file_descriptor(x);
    while (std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            bool found = false;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                found = !map->override_redirect && windowClass(x, map->window) == wmClass;
            }
            free(event);
            if (found)
                return true;
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
    }
    return false;
}

Run runOnce(const QString &display, const std::vector<std::string> &command, const std::string &wmClass,
            const QStringList &environment)
{
    xcb_connection_t *x = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    if (xcb_connection_has_error(x))
        fail(qPrintable("cannot reach the X server " + display));
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        for (const QString &assignment : environment)
            putenv(strdup(assignment.toLocal8Bit().constData()));
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char *> argv;
        for (const std::string &part : command)
            argv.push_back(const_cast<char *>(part.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    Run run;
    if (!waitMapped(x, wmClass, start + std::chrono::seconds(20)))
        fail("the main window never showed");
    run.mappedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::this_thread::sleep_until(start + std::chrono::seconds(3));
    run.residentKb = residentKb(child);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    xcb_disconnect(x);
    return run;
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void measure(const char *name, const QString &display, const std::vector<std::string> &command,
             const std::string &wmClass, const QStringList &environment, int runs)
{
    std::vector<double> times;
    std::vector<long> memory;
    runOnce(display, command, wmClass, environment);  // warms the file cache
    for (int i = 0; i < runs; ++i) {
        const Run run = runOnce(display, command, wmClass, environment);
        times.push_back(run.mappedMs);
        memory.push_back(run.residentKb);
    }
    std::printf("%-10s exec to main window mapped: median %.0f ms (min %.0f, max %.0f); resident at 3 s: %.1f MB\n",
                name, median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), median(memory) / 1024.0);
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir home;
    const QString wav = home.filePath("source.wav"), song = home.filePath("song.mp3");
    if (!runTool(LUDRO_FIXTURE_WAV, {"44100", "2", "60", wav}) || !runTool("lame", {"--quiet", "-b", "128", wav, song}))
        fail("cannot make the song");

    QProcess xServer;
    xServer.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    if (!xServer.waitForReadyRead(10000))
        fail("cannot start Xvfb");
    const QString display = ':' + QString::fromLatin1(xServer.readLine().trimmed());

    const QStringList common = {"DISPLAY=" + display, "XDG_RUNTIME_DIR=" + home.path(),
                                "XDG_CONFIG_HOME=" + home.filePath("config"),
                                "XDG_DATA_HOME=" + home.filePath("data"), "HOME=" + home.path()};
    QDir(home.path()).mkpath("ludro");
    measure("Ludro Pro", display, {LUDRO_PROGRAM_DIR "/ludro", song.toStdString()}, "ludro",
            common + QStringList{"QT_QPA_PLATFORM=xcb", "LUDRO_ALSA_DEVICE=null", "LUDRO_HOME=" + home.filePath("ludro/")},
            runs);
    if (const QString audacious = QStandardPaths::findExecutable("audacious"); !audacious.isEmpty()) {
        // Its sound to ALSA's "null" device too, so no error box comes first.
        QDir(home.path()).mkpath("config/audacious");
        QFile config(home.filePath("config/audacious/config"));
        if (!config.open(QIODevice::WriteOnly) || config.write("[alsa]\npcm=null\nmixer=null\n") < 0)
            fail("cannot write Audacious's settings");
        config.close();
        measure("Audacious", display, {audacious.toStdString(), song.toStdString()}, "audacious", common, runs);
    } else
        std::printf("Audacious is not installed: no comparison\n");
    xServer.terminate();
    xServer.waitForFinished();
    return 0;
}
