// Ludro Pro: the program entry.

#include "app/app_dialogs.h"
#include "core/hand_over.h"
#include "app/ludro_app.h"
#include "app/play_through.h"
#include "core/settings.h"
#include "playlist/playlist_model.h"
#include "platform/command_channel.h"
#include "platform/instance_lock.h"
#include "platform/data_folders.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

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

// A second start hands its file to the running player and ends, before
// anything else is read or shown (it may run where no display is). Nothing
// when this copy runs as a player after all: MultiInst allows it, or the
// running player ended meanwhile and `outcome` says what became of the lock.
std::optional<int> handOverToRunningPlayer(int argc, char **argv, platform::InstanceLock &lock,
                                           platform::InstanceLock::Outcome &outcome)
{
    QCoreApplication probe(argc, argv);
    if (platform::ProfileFile::load(settingsPath(platform::DataFolders::current().user()))
            .readBool(QStringLiteral("Ludro"), QStringLiteral("MultiInst"), false))
        return std::nullopt;
    QStringList files = LudroApp::fileArguments(QCoreApplication::arguments());
    if (files.isEmpty())
        return 0;
    for (QString &file : files)
        if (!PlaylistModel::isNetworkEntry(file))
            file = QFileInfo(file).absoluteFilePath();
    const QString file = handOverText(files);
    const std::vector<platform::WindowMessage> messages = handOverMessages(file);
    while (outcome == platform::InstanceLock::HeldByAnother) {
        QString error;
        switch (platform::sendToRunningPlayer(messages, &error)) {
        case platform::Delivery::Delivered:
            return 0;
        case platform::Delivery::Unreachable:
            std::fprintf(stderr, "ludro: could not reach the running player (%s); %s was not opened\n",
                         qPrintable(error), qPrintable(files.join(QStringLiteral(", "))));
            return 1;
        case platform::Delivery::NoPlayer:
            outcome = lock.acquire();
        }
    }
    return std::nullopt;
}

// Only the holder of the lock listens, at once: starts at the same instant
// hand their files over while this player is still coming up.
std::unique_ptr<platform::CommandChannel> listenIfHolder(platform::InstanceLock::Outcome outcome)
{
    if (outcome != platform::InstanceLock::Acquired)
        return nullptr;
    auto channel = std::make_unique<platform::CommandChannel>(platform::commandChannelName());
    if (!channel->listen())
        std::fprintf(stderr, "ludro: other programs cannot reach this player (%s)\n",
                     qPrintable(channel->errorString()));
    return channel;
}

// The windows place, shape and dock themselves, which Wayland does not let
// a program do: on a Wayland desktop the player runs on its X server
// (XWayland), unless the user chose a platform.
void preferX11()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace

int main(int argc, char **argv)
{
    platform::InstanceLock lock(platform::playerInstanceName);
    platform::InstanceLock::Outcome outcome = lock.acquire();
    if (outcome == platform::InstanceLock::HeldByAnother)
        if (const std::optional<int> status = handOverToRunningPlayer(argc, argv, lock, outcome))
            return *status;
    if (outcome == platform::InstanceLock::NoSafePlace) {
        std::fprintf(stderr, "ludro: no safe place for the one-player-per-user lock: %s\n", qPrintable(lock.error()));
        return 1;
    }

    preferX11();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ludro Pro"));
    std::unique_ptr<platform::CommandChannel> channel = listenIfHolder(outcome);
    AppDialogs dialogs;
    LudroApp app(QApplication::arguments(), dialogs);
    dialogs.follow(app.language());
    app.show();
    if (channel)
        channel->deliverTo([&app](const platform::WindowMessage &m) { app.receiveMessage(m); });
    scheduleScreenshot(app);
    std::optional<PlayThrough> playThrough;
    if (PlayThrough::requested())
        playThrough.emplace(app.controller(), app.playlist());
    platform::quitOnTerminationSignals();
    const int status = QApplication::exec();
    channel.reset();  // senders from now on get no confirmation and can tell
    return status;
}
