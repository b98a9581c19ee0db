// Every command of the table, sent by ludroctl to the real program, has its
// effect; the message hook and plug-ins reach the same table. (The session
// bus's share is in the MPRIS tests, through playerctl.)

#include "core/hand_over.h"
#include "core/remote_commands.h"
#include "ludro/gen_plugin.h"
#include "platform/command_channel.h"
#include "platform/instance_lock.h"
#include "support/program_session.h"

#include <QAction>
#include <QProcess>

#include <climits>
#include <functional>

namespace {

// "title#number, ..."
std::string titles(const PlaylistModel &playlist)
{
    QStringList list;
    for (const PlaylistEntry &entry : playlist.entries())
        list << entry[PlaylistEntry::Title] + '#' + entry[PlaylistEntry::Number];
    return list.join(", ").toStdString();
}

class Commands : public ProgramSession {
protected:
    void SetUp() override
    {
        for (const char *name : {"one.mp3", "two.mp3", "three.mp3", "charlie.mp3", "alpha.mp3", "bravo.mp3",
                                 "aardvark.mp3", "able.mp3", "delta.mp3"})
            song(name, "l3-44k-joint-long.mp3");
        writeFile(home.filePath("numbers.m3u"), "one.mp3\ntwo.mp3\nthree.mp3\n");
        writeFile(home.filePath("list.m3u"), "charlie.mp3\nalpha.mp3\nbravo.mp3\n");
        ASSERT_EQ(lock.acquire(), platform::InstanceLock::Acquired);
        ASSERT_TRUE(channel.listen());  // the program holds the lock and takes ludroctl's messages
        channel.deliverTo([this](const platform::WindowMessage &m) { app->receiveMessage(m); });
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
    bool opens(const QString &file)
    {
        return runUntil([&] { return tick(), app->controller().currentFile() == file; }, 5000);
    }

    // The current position still names the song that is open.
    bool currentIsOpen() { return app->playlist().entryPath(app->playlist().currentIndex()) == app->controller().currentFile(); }

    platform::InstanceLock lock{platform::playerInstanceName};
    platform::CommandChannel channel{platform::commandChannelName()};
};

}  // namespace

// The message hook and a plug-in reach the table, one command a tick, and
// arguments out of range reach nothing; then ludroctl sends every command.
TEST_F(Commands, EachCommandOfTheTableHasItsEffectThroughTheHookPluginsAndLudroctl)
{
    start({"/noSave", home.filePath("numbers.m3u")});
    PlaybackController &c = app->controller();
    ASSERT_TRUE(reaches(1));
    app->receiveMessage(*remoteCommandMessage("volume", 30));
    app->Timer2Timer();
    EXPECT_EQ(app->volume().volume(), 30) << "the message hook";
    const bool repeat = c.repeat(), shuffle = c.shuffle();
    app->receiveMessage(*remoteCommandMessage("shuffle", 0));
    app->receiveMessage(*remoteCommandMessage("repeat", 0));
    app->Timer2Timer();
    EXPECT_EQ(c.shuffle(), shuffle) << "commands take one slot: the later replaced the earlier";
    EXPECT_NE(c.repeat(), repeat);
    for (const auto &[name, argument] : std::vector<std::pair<QString, int>>{
             {"volume", 101}, {"volume", -1}, {"play-entry", 0}, {"play-entry", INT_MIN}}) {
        app->receiveMessage(*remoteCommandMessage(name, argument));
        app->Timer2Timer();
        EXPECT_EQ(app->volume().volume(), 30) << name.toStdString() << " " << argument;
        EXPECT_EQ(app->playlist().currentIndex(), 0) << name.toStdString() << " " << argument;
    }
    ASSERT_EQ(ludro_post_message(app->pluginWindow(), LUDRO_WM_COMMAND, 40046, 0), 1);
    EXPECT_TRUE(runUntil([&] { return app->Timer2Timer(), c.playerState() == 2; }, 3000)) << "a plug-in's pause";
    app->Timer2Timer();
    const auto shown = [](QWidget &window) { return [&window, was = window.isVisible()] { return window.isVisible() != was; }; };
    const auto changed = [](auto read) { return [read, was = read()] { return read() != was; }; };
    const auto entry = [this](int index) { return [this, index] { return app->playlist().currentIndex() == index; }; };
    const auto state = [&c](int s) { return [&c, s] { return c.playerState() == s; }; };
    const auto moved = [&c](double by) {
        return [&c, by, was = c.positionSeconds()] { return by > 0 ? c.positionSeconds() >= was + by : c.positionSeconds() <= was + by; };
    };
    const auto opened = [this] { return [this, n = dialogs.filters.size()] { return dialogs.filters.size() == n + 1; }; };
    // In the order they are sent; each starts from where the one before left.
    const std::vector<std::pair<const char *, std::function<std::function<bool()>()>>> commands = {
        {"preferences", [&] { return [&] { return app->preferences().form().isVisible(); }; }},
        {"open", opened},
        {"load", opened},
        {"url", [&] { return [&, n = dialogs.addressesAsked] { return dialogs.addressesAsked == n + 1; }; }},
        {"equalizer", [&] { return shown(app->sound().equalizer()); }},
        {"playlist", [&] { return shown(app->playlistFeature().form()); }},
        {"browser", [&] { return shown(app->browser().browser().form()); }},
        {"next", [&] { return entry(1); }},
        {"previous", [&] { return entry(0); }},
        {"jump-to-song", [&] {
             dialogs.nextSong = 1;
             return [&] { return dialogs.songBoxes.size() == 1 && app->playlist().currentIndex() == 1; };
         }},
        {"play-entry", [&] { return entry(2); }},
        {"first", [&] { return entry(0); }},
        {"last", [&] { return entry(2); }},
        {"forward", [&] { return moved(5); }},
        {"jump-forward", [&] { return moved(5); }},
        {"back", [&] { return moved(-5); }},
        {"jump-back", [&] { return moved(-5); }},
        {"step-forward", [&] { return moved(3); }},
        {"step-back", [&] { return moved(-3); }},
        {"pause", [&] { return state(2); }},
        {"play", [&] { return state(1); }},
        {"stop", [&] { return state(0); }},
        {"volume", [&] { return [&] { return app->volume().volume() == 40; }; }},
        {"volume-up", [&] { return [&] { return app->volume().volume() == 45; }; }},
        {"volume-down", [&] { return [&] { return app->volume().volume() == 40; }; }},
        {"repeat", [&] { return changed([&c] { return c.repeat(); }); }},
        {"shuffle", [&] { return changed([&c] { return c.shuffle(); }); }},
        {"time", [&] { return changed([&c] { return c.timeElapsed(); }); }},
        {"double-size", [&] { return [&] { return app->mainForm().size() == QSize(490, 280); }; }},
        {"mode", [&] { return changed([&] { return app->mainForm().normalMode(); }); }},
        {"select-all", [&] { return [&] { return app->playlistFeature().form().selectedFlags() == std::vector<char>(3, 1); }; }},
        {"delete-selected", [&] { return [&] { return app->playlist().entryCount() == 0; }; }},
        {"cd-mode", [&] { return changed([&c] { return c.cdMode(); }); }},
    };
    ASSERT_EQ(commands.size(), remoteCommands().size()) << "every command of the table, once";
    for (const auto &[name, expect] : commands) {
        const std::string_view n = name;
        ASSERT_NE(findRemoteCommand(QString::fromLatin1(name)), nullptr) << name;
        if (n.ends_with("forward") || n.ends_with("back")) {
            // Ten seconds back from the song's first ten is no step back.
            const double from = n == "step-back" ? 6 : n.ends_with("back") ? 11 : 0;
            ASSERT_TRUE(runUntil([&] { return c.playerState() == 1 && c.durationSeconds() > 0 && c.positionSeconds() > from; }, 3000));
        }
        const std::function<bool()> seen = expect();
        ludroctl({QString::fromLatin1(name), n == "volume" ? "40" : n == "play-entry" ? "3" : "0"});
        ASSERT_TRUE(runUntil([&] { return tick(), seen(); }, 5000))
            << name << " at " << c.positionSeconds() << " s, state " << c.playerState() << ", entry " << app->playlist().currentIndex();
    }
}

// "Sort Alphabetically": whichever way songs reach the list (start-up, the
// main window, a hand-over from ludroctl or a plug-in, remote commands, the
// address window) it is sorted at once, and the song that was to play plays.
TEST_F(Commands, EveryWayOfAddingKeepsTheListSortedAndTheSongThatWasToPlay)
{
    const std::string sorted = "alpha.mp3#1, bravo.mp3#2, charlie.mp3#3";
    start({"/noSave", home.filePath("list.m3u")});
    EXPECT_EQ(titles(app->playlist()), sorted) << "the start-up file";
    EXPECT_TRUE(opens(home.filePath("charlie.mp3"))) << "the file's first song plays from its sorted place";

    // A default list written in file order, left at its first song.
    QFile::copy(home.filePath("list.m3u"), home.filePath("Ludro.m3u"));
    settings("SongPlaying=0\n");
    start({"/noSave"});
    EXPECT_EQ(titles(app->playlist()), sorted) << "the default list";
    EXPECT_EQ(app->controller().currentFile(), home.filePath("charlie.mp3")) << "the start-up position names its song";
    EXPECT_TRUE(currentIsOpen());

    ludroctl({"--handover", home.filePath("aardvark.mp3")});
    ASSERT_TRUE(runUntil([&] { return app->playlist().entryCount() == 4; }, 5000));
    EXPECT_TRUE(currentIsOpen()) << "the song playing now keeps its mark when the list sorts";
    EXPECT_TRUE(opens(home.filePath("aardvark.mp3"))) << "a hand-over plays the entry just added";
    EXPECT_EQ(app->playlist().currentIndex(), 0);

    for (const platform::WindowMessage &m : handOverMessages(home.filePath("able.mp3")))
        ASSERT_EQ(ludro_post_message(app->pluginWindow(), m.msg, m.wParam, m.lParam), 1);
    EXPECT_TRUE(opens(home.filePath("able.mp3"))) << "a plug-in's hand-over";
    EXPECT_EQ(titles(app->playlist()), "aardvark.mp3#1, able.mp3#2, alpha.mp3#3, bravo.mp3#4, charlie.mp3#5");

    writeFile(home.filePath("more.m3u"), "delta.mp3\nbravo.mp3\n");
    dialogs.nextOpenFile = home.filePath("more.m3u");
    emit app->mainForm().loadClicked();
    EXPECT_EQ(titles(app->playlist()), "bravo.mp3#1, delta.mp3#2") << "opened from the main window";
    EXPECT_EQ(app->controller().currentFile(), home.filePath("bravo.mp3")) << "a new list starts at its top";

    dialogs.nextOpenFile = home.filePath("list.m3u");
    ludroctl({"open", "0"});
    EXPECT_TRUE(opens(home.filePath("alpha.mp3"))) << "the remote open command";
    EXPECT_EQ(titles(app->playlist()), sorted);

    TPLForm &window = app->playlistFeature().form();
    window.action("Playlist_Effects_NoSort")->trigger();
    ludroctl({"--handover", home.filePath("able.mp3")});
    EXPECT_TRUE(opens(home.filePath("able.mp3")));
    EXPECT_EQ(app->playlist().entryPath(3), home.filePath("able.mp3")) << "not sorted: the song joins at the end";
    window.action("Playlist_Effects_Alpha")->trigger();
    EXPECT_EQ(titles(app->playlist()), "able.mp3#1, alpha.mp3#2, bravo.mp3#3, charlie.mp3#4");
    EXPECT_TRUE(currentIsOpen());

    dialogs.nextAddress = QStringLiteral("http://127.0.0.1:9/radio");
    ludroctl({"url", "0"});
    EXPECT_TRUE(opens(dialogs.nextAddress)) << "the address window, asked for by a remote command";
    EXPECT_EQ(titles(app->playlist()), (dialogs.nextAddress + "#1").toStdString());
}
