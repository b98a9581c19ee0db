// Every command of the table, sent by ludroctl to the real program, has its
// effect; the message hook and plug-ins reach the same table, and an
// argument out of its range reaches nothing. (The session bus's share is in
// the MPRIS tests, through playerctl.) "Sort Alphabetically": whichever way
// songs reach the list (start-up, the main window, a hand-over from ludroctl
// or a plug-in, remote commands, the address window) it is sorted at once,
// and the song that was to play is the one that plays.

#include "app/ludro_app.h"
#include "core/hand_over.h"
#include "core/remote_commands.h"
#include "ludro/gen_plugin.h"
#include "platform/command_channel.h"
#include "platform/instance_lock.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"

#include <QAction>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>

namespace {

struct Effect {
    int argument;
    std::function<bool()> seen;
};

// "title#number, ..."
std::string titles(const PlaylistModel &playlist)
{
    QStringList list;
    for (const PlaylistEntry &entry : playlist.entries())
        list << entry[PlaylistEntry::Title] + '#' + entry[PlaylistEntry::Number];
    return list.join(", ").toStdString();
}

}  // namespace

class Commands : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"one.mp3", "two.mp3", "three.mp3", "charlie.mp3", "alpha.mp3", "bravo.mp3",
                                 "aardvark.mp3", "able.mp3", "delta.mp3"})
            QFile::copy(QString::fromStdString(fixture("l3-44k-joint-long.mp3")), home.filePath(name));
        writeFile(home.filePath("numbers.m3u"), "one.mp3\ntwo.mp3\nthree.mp3\n");
        writeFile(home.filePath("list.m3u"), "charlie.mp3\nalpha.mp3\nbravo.mp3\n");
        ASSERT_EQ(lock.acquire(), platform::InstanceLock::Acquired);
        ASSERT_TRUE(channel.listen());
    }

    // ludroctl's message, taken by the next tick of Timer2.
    void ludroctl(const QStringList &arguments)
    {
        QProcess ctl;
        ctl.start(LUDRO_PROGRAM_DIR "/ludroctl", arguments);
        ASSERT_TRUE(runUntil([&ctl] { return ctl.state() == QProcess::NotRunning; }, 10000));
        ASSERT_EQ(ctl.exitCode(), 0) << arguments.join(' ').toStdString();
    }

    // The ticks that take a pending request and queued commands, until the
    // program opens that file.
    static bool opens(LudroApp &app, const QString &file)
    {
        return runUntil(
            [&] {
                app.Timer2Timer();
                app.Timer1Timer();
                return app.controller().currentFile() == file;
            },
            5000);
    }

    // The current position still names the song that is open.
    static bool currentIsOpen(LudroApp &app)
    {
        return app.playlist().entryPath(app.playlist().currentIndex()) == app.controller().currentFile();
    }

    // The lock and channel take their names from the environment: it is set first.
    static bool liveIn(const QTemporaryDir &home)
    {
        qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        qputenv("LUDRO_CD_DEVICE", home.filePath("no-disc.cue").toUtf8());
        return true;
    }

    QTemporaryDir home;
    const bool living = liveIn(home);
    RecordingDialogs dialogs;
    platform::InstanceLock lock{platform::playerInstanceName};
    platform::CommandChannel channel{platform::commandChannelName()};
};

TEST_F(Commands, EachCommandOfTheTableHasItsEffectThroughLudroctl)
{
    LudroApp app({"ludro", "/noSave", home.filePath("numbers.m3u")}, dialogs);
    channel.deliverTo([&app](const platform::WindowMessage &m) { app.receiveMessage(m); });
    app.show();
    PlaybackController &c = app.controller();
    ASSERT_TRUE(runUntil([&] { return c.playerState() == 1; }, 5000));
    const auto shown = [](QWidget &window) { return [&window, was = window.isVisible()] { return window.isVisible() != was; }; };
    const auto changed = [](auto read) { return [read, was = read()] { return read() != was; }; };
    const auto entry = [&app](int index) { return [&app, index] { return app.playlist().currentIndex() == index; }; };
    const auto state = [&c](int s) { return [&c, s] { return c.playerState() == s; }; };
    const auto position = [&c](auto moved) { return [&c, moved, was = c.positionSeconds()] { return moved(c.positionSeconds(), was); }; };
    // In the order they are sent; each starts from where the one before left.
    const std::vector<std::pair<const char *, std::function<Effect()>>> commands = {
        {"preferences", [&] { return Effect{0, [&] { return app.preferences().form().isVisible(); }}; }},
        {"open", [&] { return Effect{0, [&, n = dialogs.filters.size()] { return dialogs.filters.size() == n + 1; }}; }},
        {"load", [&] { return Effect{0, [&, n = dialogs.filters.size()] { return dialogs.filters.size() == n + 1; }}; }},
        {"url", [&] { return Effect{0, [&, n = dialogs.addressesAsked] { return dialogs.addressesAsked == n + 1; }}; }},
        {"equalizer", [&] { return Effect{0, shown(app.sound().equalizer())}; }},
        {"playlist", [&] { return Effect{0, shown(app.playlistFeature().form())}; }},
        {"browser", [&] { return Effect{0, shown(app.browser().browser().form())}; }},
        {"next", [&] { return Effect{0, entry(1)}; }},
        {"previous", [&] { return Effect{0, entry(0)}; }},
        {"jump-to-song", [&] {
             dialogs.nextSong = 1;
             return Effect{0, [&] { return dialogs.songBoxes.size() == 1 && app.playlist().currentIndex() == 1; }};
         }},
        {"play-entry", [&] { return Effect{3, entry(2)}; }},
        {"first", [&] { return Effect{0, entry(0)}; }},
        {"last", [&] { return Effect{0, entry(2)}; }},
        {"forward", [&] { return Effect{0, position([](double now, double was) { return now >= was + 5; })}; }},
        {"jump-forward", [&] { return Effect{0, position([](double now, double was) { return now >= was + 5; })}; }},
        {"back", [&] { return Effect{0, position([](double now, double was) { return now <= was - 5; })}; }},
        {"jump-back", [&] { return Effect{0, position([](double now, double was) { return now <= was - 5; })}; }},
        {"step-forward", [&] { return Effect{0, position([](double now, double was) { return now >= was + 3; })}; }},
        {"step-back", [&] { return Effect{0, position([](double now, double was) { return now <= was - 3; })}; }},
        {"pause", [&] { return Effect{0, state(2)}; }},
        {"play", [&] { return Effect{0, state(1)}; }},
        {"stop", [&] { return Effect{0, state(0)}; }},
        {"volume", [&] { return Effect{40, [&] { return app.volume().volume() == 40; }}; }},
        {"volume-up", [&] { return Effect{0, [&] { return app.volume().volume() == 45; }}; }},
        {"volume-down", [&] { return Effect{0, [&] { return app.volume().volume() == 40; }}; }},
        {"repeat", [&] { return Effect{0, changed([&c] { return c.repeat(); })}; }},
        {"shuffle", [&] { return Effect{0, changed([&c] { return c.shuffle(); })}; }},
        {"time", [&] { return Effect{0, changed([&c] { return c.timeElapsed(); })}; }},
        {"double-size", [&] { return Effect{0, [&app] { return app.mainForm().size() == QSize(490, 280); }}; }},
        {"mode", [&] { return Effect{0, changed([&app] { return app.mainForm().normalMode(); })}; }},
        {"select-all", [&] { return Effect{0, [&] { return app.playlistFeature().form().selectedFlags() == std::vector<char>(3, 1); }}; }},
        {"delete-selected", [&] { return Effect{0, [&] { return app.playlist().entryCount() == 0; }}; }},
        {"cd-mode", [&] { return Effect{0, changed([&c] { return c.cdMode(); })}; }},
    };
    ASSERT_EQ(commands.size(), remoteCommands().size()) << "every command of the table, once";
    for (const auto &[name, expect] : commands) {
        ASSERT_NE(findRemoteCommand(QString::fromLatin1(name)), nullptr) << name;
        if (std::string_view(name) == "forward" || std::string_view(name) == "jump-forward" ||
            std::string_view(name) == "step-forward") {
            ASSERT_TRUE(runUntil([&] { return c.playerState() == 1 && c.durationSeconds() > 0; }, 3000));
        }
        if (std::string_view(name) == "back" || std::string_view(name) == "jump-back") {
            // Ten seconds back from the song's first ten is no step back.
            ASSERT_TRUE(runUntil([&] { return c.positionSeconds() > 11; }, 3000));
        }
        if (std::string_view(name) == "step-back") {
            ASSERT_TRUE(runUntil([&] { return c.positionSeconds() > 6; }, 3000));
        }
        const Effect effect = expect();
        ludroctl({QString::fromLatin1(name), QString::number(effect.argument)});
        ASSERT_TRUE(runUntil([&] {
            app.Timer2Timer();
            app.Timer1Timer();
            return effect.seen();
        }, 5000)) << name << " at " << c.positionSeconds() << " s, state " << c.playerState() << ", entry " << app.playlist().currentIndex();
    }
}

TEST_F(Commands, TheMessageHookAndPluginsReachTheTableInItsRangeOneCommandATick)
{
    LudroApp app({"ludro", "/noSave", home.filePath("numbers.m3u")}, dialogs);
    app.show();
    ASSERT_TRUE(runUntil([&] { return app.controller().playerState() == 1; }, 5000));
    app.receiveMessage(*remoteCommandMessage("volume", 30));
    app.Timer2Timer();
    EXPECT_EQ(app.volume().volume(), 30) << "the message hook";
    const bool repeat = app.controller().repeat(), shuffle = app.controller().shuffle();
    app.receiveMessage(*remoteCommandMessage("repeat", 0));
    app.receiveMessage(*remoteCommandMessage("shuffle", 0));
    app.Timer2Timer();
    EXPECT_EQ(app.controller().repeat(), repeat) << "commands take one slot: the later replaced the earlier";
    EXPECT_NE(app.controller().shuffle(), shuffle);
    ASSERT_EQ(ludro_post_message(app.pluginWindow(), LUDRO_WM_COMMAND, 40046, 0), 1);
    EXPECT_TRUE(runUntil([&] {
        app.Timer2Timer();
        return app.controller().playerState() == 2;
    }, 3000)) << "a plug-in's pause";
    for (const auto &[name, argument] : std::vector<std::pair<QString, int>>{
             {"volume", 101}, {"volume", -1}, {"play-entry", 0}, {"play-entry", INT_MIN}}) {
        app.receiveMessage(*remoteCommandMessage(name, argument));
        app.Timer2Timer();
        EXPECT_EQ(app.volume().volume(), 30) << name.toStdString() << " " << argument;
        EXPECT_EQ(app.playlist().currentIndex(), 0) << name.toStdString() << " " << argument;
    }
}

TEST_F(Commands, EveryWayOfAddingKeepsTheListSortedAndTheSongThatWasToPlay)
{
    const std::string sorted = "alpha.mp3#1, bravo.mp3#2, charlie.mp3#3";
    {
        LudroApp app({"ludro", "/noSave", home.filePath("list.m3u")}, dialogs);
        app.show();
        EXPECT_EQ(titles(app.playlist()), sorted) << "the start-up file";
        EXPECT_TRUE(opens(app, home.filePath("charlie.mp3"))) << "the file's first song plays from its sorted place";
        EXPECT_EQ(app.playlist().currentIndex(), 2);
    }

    // A default list written in file order, left at its first song.
    QFile::copy(home.filePath("list.m3u"), home.filePath("Ludro.m3u"));
    writeFile(home.filePath("LudroPro.ini"), "[Ludro]\nSongPlaying=0\n");
    LudroApp app({"ludro", "/noSave"}, dialogs);
    channel.deliverTo([&app](const platform::WindowMessage &m) { app.receiveMessage(m); });
    app.show();
    EXPECT_EQ(titles(app.playlist()), sorted) << "the default list";
    EXPECT_EQ(app.controller().currentFile().toStdString(), home.filePath("charlie.mp3").toStdString())
        << "the start-up position names its song";
    EXPECT_TRUE(currentIsOpen(app));

    ludroctl({"--handover", home.filePath("aardvark.mp3")});
    ASSERT_TRUE(runUntil([&] { return app.playlist().entryCount() == 4; }, 5000));
    EXPECT_TRUE(currentIsOpen(app)) << "the song playing now keeps its mark when the list sorts";
    EXPECT_TRUE(opens(app, home.filePath("aardvark.mp3"))) << "a hand-over plays the entry just added";
    EXPECT_EQ(app.playlist().entryPath(0).toStdString(), home.filePath("aardvark.mp3").toStdString());
    EXPECT_EQ(app.playlist().currentIndex(), 0);

    for (const platform::WindowMessage &m : handOverMessages(home.filePath("able.mp3")))
        ASSERT_EQ(ludro_post_message(app.pluginWindow(), m.msg, m.wParam, m.lParam), 1);
    EXPECT_TRUE(opens(app, home.filePath("able.mp3"))) << "a plug-in's hand-over";
    EXPECT_EQ(titles(app.playlist()), "aardvark.mp3#1, able.mp3#2, alpha.mp3#3, bravo.mp3#4, charlie.mp3#5");

    writeFile(home.filePath("more.m3u"), "delta.mp3\nbravo.mp3\n");
    dialogs.nextOpenFile = home.filePath("more.m3u");
    emit app.mainForm().loadClicked();
    EXPECT_EQ(titles(app.playlist()), "bravo.mp3#1, delta.mp3#2") << "opened from the main window";
    EXPECT_EQ(app.controller().currentFile().toStdString(), home.filePath("bravo.mp3").toStdString())
        << "a new list starts at its top";

    dialogs.nextOpenFile = home.filePath("list.m3u");
    ludroctl({"open", "0"});
    EXPECT_TRUE(opens(app, home.filePath("alpha.mp3"))) << "the remote open command";
    EXPECT_EQ(titles(app.playlist()), sorted);

    PlaylistFeature &window = app.playlistFeature();
    window.form().action("Playlist_Effects_NoSort")->trigger();
    ludroctl({"--handover", home.filePath("able.mp3")});
    EXPECT_TRUE(opens(app, home.filePath("able.mp3")));
    EXPECT_EQ(app.playlist().entryPath(3).toStdString(), home.filePath("able.mp3").toStdString())
        << "not sorted: the song joins at the end";
    window.form().action("Playlist_Effects_Alpha")->trigger();
    EXPECT_TRUE(window.form().action("Playlist_Effects_Alpha")->isChecked());
    EXPECT_EQ(titles(app.playlist()), "able.mp3#1, alpha.mp3#2, bravo.mp3#3, charlie.mp3#4");
    EXPECT_TRUE(currentIsOpen(app));

    dialogs.nextAddress = QStringLiteral("http://127.0.0.1:9/radio");
    ludroctl({"url", "0"});
    EXPECT_TRUE(opens(app, dialogs.nextAddress)) << "the address window, asked for by a remote command";
    EXPECT_EQ(titles(app.playlist()), (dialogs.nextAddress + "#1").toStdString());
}
