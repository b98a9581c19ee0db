// The playback controller with the real engine (decoding into a WAV sink as
// fast as it goes): opening, playlists, repeat and shuffle, the advance after
// a song ends, seeking limits and the texts it shows.

#include "core/playback_controller.h"
#include "playlist/id3_tag.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/recording_view.h"
#include "support/run_until.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <set>
#include <thread>

class Controller : public testing::Test {
protected:
    void SetUp() override { player.SetOutputName("wav:/dev/null"); }

    QString song(const QString &name, const char *fixtureName = "l2-22k-stereo.mp2")
    {
        const QString path = dir.filePath(name);
        QFile::copy(QString::fromStdString(fixture(fixtureName)), path);
        return path;
    }

    QString playlistFile(const char *name, const QStringList &lines)
    {
        return writeFile(dir.filePath(name), lines.join("\r\n").toUtf8());
    }

    // A list.m3u of songs by these names.
    QString listOf(const QStringList &names)
    {
        for (const QString &name : names)
            song(name);
        return playlistFile("list.m3u", names);
    }

    // Plays the current song to its end, then ticks Timer1 until the
    // controller opened another song or gave up.
    void finishSongAndAdvance()
    {
        const qsizetype seen = ended.size();
        ASSERT_TRUE(runUntil([&] { return ended.size() > seen; })) << "the song never ended";
        for (int tick = 0; tick < 5; ++tick)
            controller.AutomaticAdvance();
    }

    // Songs decode in a few milliseconds here, so "playing" is seen in the
    // states shown rather than in the state of the moment.
    bool startsAgain()
    {
        const std::size_t seen = view.states.size();
        return runUntil([&] {
            return std::find(view.states.begin() + static_cast<long>(seen), view.states.end(), 1) != view.states.end();
        });
    }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    RecordingView view;
    PlaylistModel playlist;
    TSonarkPlayer player{nullptr, dialogs};
    PlaybackController controller{player, playlist, view, dialogs};
    QSignalSpy ended{&controller, &PlaybackController::songEnded};
};

TEST_F(Controller, NamesDecideBetweenSongAndPlaylist)
{
    controller.OpenFile(song("Loud Song.MP3"));
    EXPECT_EQ(view.title, "Loud Song");

    controller.OpenFile(listOf({"alpha.mp2", "b.mp2"}));
    ASSERT_EQ(playlist.entryCount(), 2);
    EXPECT_EQ(view.title, "Alpha") << "a lower-case first letter is raised";
}

TEST_F(Controller, ShufflePlaysEachEntryOncePerCycle)
{
    controller.ToggleShuffle();
    controller.OpenFile(listOf({"a.mp2", "b.mp2", "c.mp2"}));
    controller.StartPlayback();
    std::set<int> firstCycle{playlist.currentIndex()};
    for (int i = 0; i < 2; ++i) {
        finishSongAndAdvance();
        firstCycle.insert(playlist.currentIndex());
    }
    EXPECT_EQ(firstCycle.size(), 3u) << "each entry once before any repeats";
    finishSongAndAdvance();
    EXPECT_TRUE(startsAgain()) << "shuffle never stops at the end of the list";
}

TEST_F(Controller, RepeatRestartsASingleSongAndWrapsAList)
{
    controller.ToggleRepeat();
    controller.OpenFile(song("one.mp2"));
    controller.StartPlayback();
    finishSongAndAdvance();
    EXPECT_TRUE(startsAgain()) << "the single song starts again";

    controller.OpenFile(listOf({"a.mp2", "b.mp2"}));
    controller.StartPlayback();
    finishSongAndAdvance();
    finishSongAndAdvance();
    EXPECT_EQ(playlist.currentIndex(), 0) << "repeat goes back to the first entry";
}

// An entry that cannot be opened or decoded ends at once, and the playlist
// moves on past it; without repeat the last entry stops at its start.
TEST_F(Controller, BrokenEntriesAreSkippedAndTheLastStopsWithoutRepeat)
{
    song("a.mp2");
    song("c.mp2");
    writeFile(dir.filePath("corrupt.mp3"), QByteArray(5000, 'x'));
    controller.OpenFile(playlistFile("list.m3u", {"a.mp2", "missing.mp3", "corrupt.mp3", "c.mp2"}));
    controller.StartPlayback();
    for (int expected = 1; expected <= 3; ++expected) {
        finishSongAndAdvance();
        EXPECT_EQ(playlist.currentIndex(), expected);
    }
    finishSongAndAdvance();
    EXPECT_EQ(playlist.currentIndex(), 3);
    EXPECT_TRUE(runUntil([&] { return view.time == "0:00" && view.position == 0.0; }));
    EXPECT_TRUE(playlist.entryAt(1)->unopenable) << "the list marks the missing song";
}

// With repeat on, a list of songs that are all gone is tried once round,
// then playback stops instead of opening them again and again.
TEST_F(Controller, AListWhoseEverySongFailsIsTriedOnce)
{
    controller.ToggleRepeat();
    controller.OpenFile(playlistFile("gone.m3u", {"one.mp3", "two.mp3"}));
    QSignalSpy opened(&controller, &PlaybackController::songChanged);
    controller.StartPlayback();
    finishSongAndAdvance();
    finishSongAndAdvance();
    EXPECT_FALSE(runUntil([&] { return ended.size() > 2; }, 1000)) << "each song failed once";
    EXPECT_EQ(view.title, "Cannot open: two.mp3");
    EXPECT_EQ(opened.size(), 1) << "the second song was opened, and nothing after it";
}

TEST_F(Controller, SeeksNearTheEndsDoNothing)
{
    player.SetOutputName("/dev/wave/0");  // ALSA's "null" device, paced in real time
    controller.OpenFile(song("long.mp3", "l3-44k-joint-long.mp3"));
    controller.StartPlayback();
    ASSERT_TRUE(runUntil([&] { return controller.durationSeconds() == 30 && controller.playerState() == 1; }));
    const double early = controller.positionSeconds();
    controller.SeekBack();
    EXPECT_EQ(controller.positionSeconds(), early) << "within the first 10 seconds";

    controller.KnobDragged(28, 56);
    EXPECT_EQ(view.title, "Position 0:15");
    controller.SeekToKnob(25, 30);
    EXPECT_EQ(view.title, "Long") << "the title comes back on release";
    ASSERT_TRUE(runUntil([&] { return controller.positionSeconds() >= 25; }));
    const double late = controller.positionSeconds();
    controller.SeekForward();
    EXPECT_EQ(controller.positionSeconds(), late) << "within the last 10 seconds";

    controller.SeekToKnob(12, 30);
    ASSERT_TRUE(runUntil([&] { return controller.positionSeconds() >= 12 && controller.positionSeconds() < 14; }));
    const double from = std::round(controller.positionSeconds());
    controller.SeekForward();
    EXPECT_EQ(controller.positionSeconds(), from + 10);
    EXPECT_EQ(view.time, PlaybackController::minutesSeconds(static_cast<int>(from) + 10)) << "the time moves at once";
}

// Positions from the settings, commands and other windows that name no
// entry mean nothing to play; an empty list leaves nothing half-loaded, and
// Play then asks for a file.
TEST_F(Controller, PositionsThatNameNoEntryPlayNothing)
{
    controller.KnobDragged(10, 56);
    controller.RefreshTitle();
    EXPECT_EQ(view.title, "") << "with nothing loaded the title comes back after a knob's read-out";
    const QString list = listOf({"a.mp2", "b.mp2"});
    for (int start : {-1, 2, NoPosition - 1}) {
        controller.setStartIndex(start);
        controller.OpenFile(list);
        EXPECT_EQ(playlist.currentIndex(), 0) << start;
    }
    controller.StartPlayback();
    for (int pending : {-1, 2, -2147483647}) {
        playlist.pendingIndex = pending;
        controller.AutomaticAdvance();
        EXPECT_EQ(playlist.currentIndex(), 0) << pending;
    }

    // The list goes while its song plays: the song and its title stay.
    playlist.clearEntries();
    controller.RefreshTitle();
    controller.SeekToKnob(10, 56);
    controller.TagChanged(controller.currentFile());
    controller.NextSong();
    controller.PreviousSong();
    EXPECT_EQ(view.title, "a");
    EXPECT_TRUE(controller.songLoaded());

    for (const QString &empty : {playlistFile("empty.m3u", {}), playlistFile("comments.m3u", {"#EXTM3U"})}) {
        controller.OpenFile(song("c.mp2"));
        controller.OpenFile(empty);
        EXPECT_FALSE(controller.songLoaded());
        controller.AutomaticAdvance();
    }
    dialogs.nextOpenFile = song("picked.mp2");
    controller.PlayCommand();
    EXPECT_EQ(dialogs.filters.size(), 1) << "Play on an empty list asks for a file";
    EXPECT_TRUE(runUntil([&] { return controller.playerState() == 1 || !ended.isEmpty(); }));
}

// A file that holds no text is no playlist: a message, and nothing changes.
TEST_F(Controller, ABinaryFileIsNoPlaylist)
{
    controller.OpenFile(song("a.mp2"));
    controller.OpenFile(
        writeFile(dir.filePath("album.flac"), QByteArray("fLaC\0\0\0\x22", 8) + QByteArray(100000, '\x7f')));
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(playlist.entryCount(), 1);
    EXPECT_EQ(controller.currentFile(), dir.filePath("a.mp2"));
}

// Also what a playing song shows, and the state it ends in.
TEST_F(Controller, ATaggedTitleKeepsItsDurationWhenScrolling)
{
    const QString path = song("tagged.mp3", "l3-44k-stereo-cbr.mp3");
    ASSERT_TRUE(id3::TagWriter().save(path, {"Night", "Band", "", "", ""}).isEmpty());
    controller.OpenFile(path);
    EXPECT_EQ(view.scrollingTitle, "Band - Night");
    controller.StartPlayback();
    ASSERT_TRUE(runUntil([&] { return controller.durationSeconds() > 0; }));
    controller.RefreshTitle();
    EXPECT_EQ(view.scrollingTitle, "Band - Night (0:04)");

    ASSERT_TRUE(runUntil([&] { return !ended.isEmpty(); }));
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Time], "0:04");
    EXPECT_EQ(view.streamNumbers, std::pair(128, 44100));
    EXPECT_EQ(view.states, (std::vector<int>{1, 0}));
}

// The engine reported a song's end while the program was busy, and then
// "Next" was pressed: that end is old news and must not skip the new song.
TEST_F(Controller, AnEndReportedJustBeforeNextDoesNotSkipTheNewSong)
{
    controller.OpenFile(listOf({"a.mp2", "b.mp2", "c.mp2"}));
    controller.StartPlayback();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // "a" ends unseen, into a WAV sink
    QSignalSpy outputNamed(&player, &TSonarkPlayer::OnNotifyOutputName);
    player.SetOutputName("/dev/wave/0");  // "b" plays in real time
    controller.NextSong();
    // The engine's answer comes after the end of "a" it reported while we were busy.
    ASSERT_TRUE(runUntil([&] { return !outputNamed.isEmpty(); }));
    for (int tick = 0; tick < 5; ++tick)
        controller.AutomaticAdvance();
    EXPECT_EQ(playlist.currentIndex(), 1);
    EXPECT_EQ(controller.currentFile(), dir.filePath("b.mp2"));
}
