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
    s.titleWidth[7] = 99;
    ProfileFile file = ProfileFile::load(path);
    s.write(file, "/opt/ludro/");
    ASSERT_TRUE(file.save(path));

    Settings back;
    back.read(ProfileFile::load(path), "/home/user/");
    EXPECT_EQ(std::tuple(back.recent[9], back.titleWidth[7], back.songDir),
              std::tuple(QString("/music/last.mp3"), 99, QString("/opt/ludro/")))
        << "an empty song folder is written as the program folder";
    const QString text = QString::fromUtf8(readFile(path));
    EXPECT_TRUE(text.contains("FutureKey=kept\n"));
    EXPECT_LT(text.indexOf("Recent10="), text.indexOf("SongPlaying="));
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
    EXPECT_EQ(std::tuple(s.volume, s.balance, s.playMode, s.fontSize), std::tuple(100, 0, 0, 1));
    EXPECT_EQ(keptOnScreen({QPoint(s.leftPos, s.topPos), QSize(275, 116)}, {1024, 768}), QPoint(1024 - 275 - 10, 10));
    EXPECT_EQ(keptOnScreen({QPoint(s.playListX, s.equalizerY), QSize(s.playListW, 400)}, {1024, 768}).y(), 10);
    EXPECT_EQ(correctedPlaylistSize({801, 769}, 768), QSize(483, 408)) << "a playlist taller than the screen";
}

TEST(VolumeBalance, TheKnobHasADeadZoneInTheMiddle)
{
    EXPECT_EQ(balanceFromKnob(0, 15), -50);
    EXPECT_EQ(balanceFromKnob(12, 15), 0);
}
