// Preset files in a real "presets" folder: the round trip, bad lines,
// names that would leave the folder, a folder that cannot be made.

#include "sound/preset_folder.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

class Presets : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(home.path()).mkdir("presets")); }
    void write(const QString &name, const QByteArray &text) { writeFile(home.filePath("presets/" + name), text); }

    QTemporaryDir home;
    PresetFolder folder{{home.filePath("presets") + '/'}};
};

TEST_F(Presets, SavedPresetsLoadBackListAlphabeticallyAndBadLinesStopTheLoad)
{
    const equalizer::Positions p{-127, -50, -3, 0, 7, 21, 64, 100, 126, 127};
    ASSERT_EQ(folder.save("Rock", p), "");
    ASSERT_EQ(folder.save("bass boost", {}), "");
    EXPECT_EQ(folder.load("Rock").positions, std::vector<int>(p.begin(), p.end()));
    EXPECT_EQ(folder.names(), (QStringList{"bass boost", "Rock"}));

    write("crlf", "9\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n200\r\n10\r\n10\r\n");
    EXPECT_EQ(folder.load("crlf").positions, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 200, 10}));
    write("bad", "0\n11\n12\nloud\n14\n");
    const PresetFolder::Loaded bad = folder.load("bad");
    EXPECT_EQ(bad.error, "'loud' is not a valid integer value");
    EXPECT_EQ(bad.positions, (std::vector<int>{11, 12})) << "values before the bad line still apply";
}

TEST_F(Presets, NamesNeverLeaveTheFolder)
{
    for (const QString name : {"../escape", "a/b", "..", ".", "sub/../../x", ".hidden"}) {
        EXPECT_NE(folder.save(name, {}), "") << name.toStdString();
        EXPECT_NE(folder.load(name).error, "") << name.toStdString();
    }
    EXPECT_EQ(PresetFolder::refusal("My Preset 2.0"), "");
    EXPECT_EQ(entries(home.path()), QStringList{"presets"});
    EXPECT_TRUE(folder.names().isEmpty());

    // A folder that cannot be made (a file stands in its way) refuses.
    writeFile(home.filePath("file"));
    PresetFolder unmakeable({home.filePath("file/presets") + '/'});
    EXPECT_NE(unmakeable.save("Rock", {}), "");
}

// Users fill the folder by hand, so names are found without regard to case;
// the presets that come with the program all load.
TEST_F(Presets, NamesIgnoreCaseAndTheShippedPresetsLoad)
{
    write("Rock", "0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n10\n");
    EXPECT_EQ(folder.load("ROCK").positions.size(), 10u);
    ASSERT_EQ(folder.save("rock", {}), "");
    EXPECT_EQ(folder.names(), QStringList{"Rock"}) << "the existing file was replaced";

    const PresetFolder shipped({QStringLiteral(LUDRO_PROGRAM_DIR "/presets/")});
    ASSERT_GE(shipped.names().size(), 8);
    for (const QString &name : shipped.names()) {
        const PresetFolder::Loaded loaded = shipped.load(name);
        EXPECT_EQ(loaded.error, "") << name.toStdString();
        EXPECT_TRUE(std::ranges::all_of(loaded.positions, [](int v) {
            return v >= equalizer::MinPosition && v <= equalizer::MaxPosition;
        })) << name.toStdString();
    }
}
