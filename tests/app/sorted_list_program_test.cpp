// "Sort Alphabetically" in the whole program: whichever way songs reach the
// list (start-up, the main window, a hand-over from ludroctl or a plug-in,
// remote commands, the address window) it is sorted at once, and the song
// that was to play is the one that plays. (OpenUri's share is in the MPRIS
// tests, which have a bus.)

#include "app/ludro_app.h"
#include "core/hand_over.h"
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

namespace {

// "title#number, ..."
std::string titles(const PlaylistModel &playlist)
{
    QStringList list;
    for (const PlaylistEntry &entry : playlist.entries())
        list << entry[PlaylistEntry::Title] + '#' + entry[PlaylistEntry::Number];
    return list.join(", ").toStdString();
}

}  // namespace

class SortedList : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"charlie.mp3", "alpha.mp3", "bravo.mp3", "aardvark.mp3", "able.mp3", "delta.mp3"})
            QFile::copy(QString::fromStdString(fixture("l3-44k-joint-long.mp3")), home.filePath(name));
        writeFile(home.filePath("list.m3u"), "charlie.mp3\nalpha.mp3\nbravo.mp3\n");
        ASSERT_EQ(lock.acquire(), platform::InstanceLock::Acquired);
        ASSERT_TRUE(channel.listen());
    }

    static bool liveIn(const QTemporaryDir &home)
    {
        qputenv("LUDRO_HOME", (home.path() + '/').toUtf8());
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        qputenv("LUDRO_CD_DEVICE", home.filePath("no-disc.cue").toUtf8());
        return true;
    }

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

    QTemporaryDir home;
    const bool living = liveIn(home);
    RecordingDialogs dialogs;
    platform::InstanceLock lock{platform::playerInstanceName};
    platform::CommandChannel channel{platform::commandChannelName()};
};

TEST_F(SortedList, EveryWayOfAddingKeepsTheListSortedAndTheSongThatWasToPlay)
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
