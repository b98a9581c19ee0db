// Ludro Pro: the program entry.

#include "core/app_dialogs.h"
#include "core/hand_over.h"
#include "core/ludro_app.h"
#include "core/settings.h"
#include "platform/command_channel.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<bool> terminationRequested{false};

// A logout, Ctrl+C or a service manager ends the player as its Exit does,
// settings and default playlist and all.
void quitOnTermination()
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, [](int) { terminationRequested = true; });
    auto *watch = new QTimer(QCoreApplication::instance());
    QObject::connect(watch, &QTimer::timeout, [] {
        if (terminationRequested)
            QCoreApplication::quit();
    });
    watch->start(200);
}

// LUDRO_SCREENSHOT=FILE[:SECONDS] saves a picture of the main window, so the
// player can be seen working on a machine without a display.
void scheduleScreenshot(LudroApp &app)
{
    const QString request = qEnvironmentVariable("LUDRO_SCREENSHOT");
    if (request.isEmpty())
        return;
    const QString file = request.section(':', 0, 0);
    const int seconds = request.contains(':') ? request.section(':', 1).toInt() : 5;
    QTimer::singleShot(seconds * 1000, [&app, file] {
        if (app.mainForm().grab().save(file))
            std::printf("Screenshot of the main window saved to %s\n", qPrintable(file));
        else
            std::fprintf(stderr, "Cannot save the screenshot to %s\n", qPrintable(file));
        std::fflush(stdout);
    });
}

}  // namespace

// A second instance hands its file to the first and ends at once, before
// anything else is read or shown (it may run where no display is).
bool handedOverToRunningPlayer(int argc, char **argv, platform::InstanceLock::Outcome outcome)
{
    QCoreApplication probe(argc, argv);
    const bool multipleInstances = platform::ProfileFile::load(settingsPath(platform::programFolder()))
                                       .readBool(QStringLiteral("Ludro"), QStringLiteral("MultiInst"), false);
    if (multipleInstances || outcome != platform::InstanceLock::HeldByAnother)
        return false;
    const QString file = LudroApp::fileArgument(QCoreApplication::arguments());
    if (!file.isEmpty())
        platform::sendToRunningPlayer(handOverMessages(QFileInfo(file).absoluteFilePath()));
    return true;
}

int main(int argc, char **argv)
{
    platform::InstanceLock lock(platform::playerInstanceName);
    const platform::InstanceLock::Outcome outcome = lock.acquire();
    if (outcome == platform::InstanceLock::NoSafePlace) {
        std::fprintf(stderr, "ludro: no safe place for the one-player-per-user lock: %s\n", qPrintable(lock.error()));
        return 1;
    }
    if (handedOverToRunningPlayer(argc, argv, outcome))
        return 0;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ludro Pro"));
    AppDialogs dialogs(nullptr);
    LudroApp app(QApplication::arguments(), dialogs);
    app.show();
    scheduleScreenshot(app);
    quitOnTermination();
    return QApplication::exec();
}
