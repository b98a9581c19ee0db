// The settings file: every key round trip, the file's key order,
// and keys of other versions surviving a write.

#include "core/settings.h"
#include "core/volume_balance.h"
#include "app/window_place.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::ProfileFile;

TEST(Settings, EveryKeyComesBackAsWrittenInTheFileOrder)
{
    QTemporaryDir dir;
    const QString path = writeFile(settingsPath(dir.path() + '/'), "[Ludro]\nFutureKey=kept\n[Other]\nA=1\n");

    Settings s;
    s.recent[9] = "/music/last.mp3";
    s.eq[11] = 7;
    s.titleWidth[7] = 99;
    ProfileFile file = ProfileFile::load(path);
    s.write(file, "/opt/ludro/");
    ASSERT_TRUE(file.save(path));

    Settings back;
    const ProfileFile written = ProfileFile::load(path);
    back.read(written, "/home/user/");
    EXPECT_EQ(back.recent[9], "/music/last.mp3");
    EXPECT_EQ(back.eq[11], 7);
    EXPECT_EQ(back.titleWidth[7], 99);
    EXPECT_EQ(back.songDir, "/opt/ludro/") << "an empty song folder is written as the program folder";
    EXPECT_EQ(written.readString("Ludro", "FutureKey", ""), "kept");

    const QString text = QString::fromUtf8(readFile(path));
    EXPECT_LT(text.indexOf("Recent10="), text.indexOf("SongPlaying="));
    EXPECT_LT(text.indexOf("TitleWidth8="), text.indexOf("UseEqualizer="));
}

// A hand-edited file cannot hand the windows or the engine values they
// cannot show: a negative balance would wrap to full right while the knob
// shows full left, and places near the integer limit overflow.
TEST(Settings, ValuesOutOfRangeAreBroughtIntoIt)
{
    QTemporaryDir dir;
    const QString file =
        writeFile(dir.filePath("LudroPro.ini"),
                  "[Ludro]\nVolume=250\nBalance=-1\nPlayMode=9\nLeftPos=2147483647\nTopPos=-2147483648\n"
                  "PlayListX=2147483000\nEqualizerY=-2147483000\nPlayListW=2147483647\nFontSize=-3\n");
    Settings s;
    s.read(ProfileFile::load(file), "/home/user/");
    EXPECT_EQ(s.volume, 100);
    EXPECT_EQ(s.balance, 0);
    EXPECT_EQ(s.playMode, 0);
    EXPECT_EQ(s.fontSize, 1);
    EXPECT_EQ(keptOnScreen({QPoint(s.leftPos, s.topPos), QSize(275, 116)}, {1024, 768}), QPoint(1024 - 275 - 10, 10));
    EXPECT_EQ(keptOnScreen({QPoint(s.playListX, s.equalizerY), QSize(s.playListW, 400)}, {1024, 768}).y(), 10);
}

// Reading the balance knob (tracks of 15 pixels in the built-in look); the
// volume knob's reading is seen through the main window in the program test.
TEST(VolumeBalance, KnobPlacesAndReadOuts)
{
    EXPECT_EQ(balanceFromKnob(0, 15), -50);
    EXPECT_EQ(balanceFromKnob(2, 15), 0) << "the dead zone";
    EXPECT_EQ(balanceFromKnob(12, 15), 0);
    EXPECT_EQ(balanceFromKnob(33, 33), 50);
}

TEST(WindowPlace, WindowsComeBackOntoTheScreen)
{
    const QSize screen(1024, 768);
    EXPECT_EQ(keptOnScreen({2000, 900, 245, 140}, screen), QPoint(1024 - 245 - 10, 768 - 140 - 10));
    EXPECT_EQ(keptOnScreen({-50, -1, 245, 140}, screen), QPoint(10, 10));

    EXPECT_EQ(correctedPlaylistSize({435, 230}, 768), QSize(435, 230));
    EXPECT_EQ(correctedPlaylistSize({801, 769}, 768), QSize(483, 408)) << "taller than the screen";
}
