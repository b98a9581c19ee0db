// Every remote command of the table reaches the same action whether it
// comes from ludroctl, the message hook, a plug-in or, where MPRIS has the
// command, the session bus; an argument out of its range reaches none.

#include "app/ludro_app.h"
#include "core/remote_commands.h"
#include "ludro/gen_plugin.h"
#include "platform/command_channel.h"
#include "platform/instance_lock.h"
#include "shell/mpris_service.h"
#include "support/engine_session.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Heard {
    QString name;
    int argument;
    bool operator==(const Heard &) const = default;
};

// Volume commands take 0 ... 100, entry numbers start at 1.
int argumentFor(const RemoteCommand &command)
{
    return command.argument == RemoteCommand::Argument::None ? 0 : 7;
}

}  // namespace

TEST(RemoteCommands, EveryFrontEndReachesTheSameAction)
{
    QTemporaryDir home;
    qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
    qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
    RecordingDialogs dialogs;
    LudroApp app({"ludro", "/noSave"}, dialogs);
    // MPRIS offers play and the seeks only with a song.
    app.controller().OpenFile(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")));
    const bool repeat = app.controller().repeat(), shuffle = app.controller().shuffle();
    const std::map<QString, QStringList> mprisCalls = {
        {"play", {"org.mpris.MediaPlayer2.Player.Play"}},
        {"stop", {"org.mpris.MediaPlayer2.Player.Stop"}},
        {"next", {"org.mpris.MediaPlayer2.Player.Next"}},
        {"previous", {"org.mpris.MediaPlayer2.Player.Previous"}},
        {"volume", {"org.freedesktop.DBus.Properties.Set", "string:org.mpris.MediaPlayer2.Player", "string:Volume",
                    "variant:double:0.07"}},
        {"repeat", {"org.freedesktop.DBus.Properties.Set", "string:org.mpris.MediaPlayer2.Player", "string:LoopStatus",
                    repeat ? "variant:string:None" : "variant:string:Playlist"}},
        {"shuffle", {"org.freedesktop.DBus.Properties.Set", "string:org.mpris.MediaPlayer2.Player", "string:Shuffle",
                     shuffle ? "variant:boolean:false" : "variant:boolean:true"}},
    };
    std::vector<Heard> heard;
    for (const RemoteCommand &command : remoteCommands())
        app.remote().bind(command.name,
                          [&heard, name = QString::fromLatin1(command.name)](int argument) {
                              heard.push_back({name, argument});
                          });
    platform::InstanceLock lock(platform::playerInstanceName);
    ASSERT_EQ(lock.acquire(), platform::InstanceLock::Acquired);
    platform::CommandChannel channel(platform::commandChannelName());
    ASSERT_TRUE(channel.listen());
    channel.deliverTo([&app](const platform::WindowMessage &m) { app.receiveMessage(m); });

    const std::vector<std::pair<const char *, std::function<void(const RemoteCommand &)>>> frontEnds = {
        {"ludroctl",
         [](const RemoteCommand &command) {
             QProcess ctl;
             ctl.start(LUDRO_PROGRAM_DIR "/ludroctl",
                       {command.name, QString::number(argumentFor(command))});
             ASSERT_TRUE(runUntil([&ctl] { return ctl.state() == QProcess::NotRunning; }, 10000));
             EXPECT_EQ(ctl.exitCode(), 0) << command.name;
         }},
        {"message hook",
         [&app](const RemoteCommand &command) {
             app.receiveMessage(*remoteCommandMessage(QString::number(command.number), argumentFor(command)));
         }},
        {"plug-in",
         [&app](const RemoteCommand &command) {
             ASSERT_EQ(ludro_post_message(app.pluginWindow(), LUDRO_WM_COMMAND,
                                          static_cast<uintptr_t>(command.number), argumentFor(command)),
                       1);
             QCoreApplication::processEvents();
         }},
        {"MPRIS",
         [&mprisCalls](const RemoteCommand &command) {
             QProcess send;
             send.start("dbus-send", QStringList{"--session", "--print-reply",
                                                 QStringLiteral("--dest=") + shell::MprisService::busName,
                                                 "/org/mpris/MediaPlayer2"} +
                                         mprisCalls.at(command.name));
             ASSERT_TRUE(runUntil([&send] { return send.state() == QProcess::NotRunning; }, 10000));
             EXPECT_EQ(send.exitCode(), 0) << command.name;
         }},
    };
    for (const auto &[frontEnd, send] : frontEnds)
        for (const RemoteCommand &command : remoteCommands()) {
            if (frontEnd == std::string_view("MPRIS") && !mprisCalls.contains(command.name))
                continue;
            heard.clear();
            send(command);
            app.remote().executeQueued();
            EXPECT_EQ(heard, (std::vector<Heard>{{command.name, argumentFor(command)}}))
                << frontEnd << ": " << command.name;
        }

    for (const auto &[name, argument] : std::vector<std::pair<QString, int>>{
             {"volume", 101}, {"volume", -1}, {"play-entry", 0}, {"play-entry", INT_MIN}}) {
        heard.clear();
        app.receiveMessage(*remoteCommandMessage(name, argument));
        app.remote().executeQueued();
        EXPECT_TRUE(heard.empty()) << name.toStdString() << " " << argument;
    }
}
