// The names files of the discs: the older files moved to the disc id's name,
// placeholders for unknown discs, and names that stay data.

#include "cd/track_names.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace cd;

namespace {

class TrackNames : public testing::Test {
protected:
    QString path(const QString &name) const { return dir.filePath("tracks/" + name); }
    bool load(int trackCount, const QString &legacyName = "6553600")
    {
        return loadTrackNames(folder, id, legacyName, trackCount, names);
    }

    QTemporaryDir dir;
    QString folder = dir.filePath("tracks/");
    DiscId id{"0b012a02", "0b012a02+2+150+13500+300", 300, {150, 13500}};
    DiscNames names;
};

}  // namespace

TEST_F(TrackNames, AnOlderFileMovesToTheDiscIdsNameWithItsNames)
{
    writeFile(path("6553600"), "Caf\xE9\r\nSecond\r\n");
    writeFile(path(id.id), "Not read\nwhile the older file\nis there\n");
    EXPECT_TRUE(load(2));
    EXPECT_EQ(names.tracks, QStringList({"Caf\u00e9", "Second"})) << "Windows-1252, lines ended by CR LF";
    EXPECT_FALSE(QFile::exists(path("6553600")));
    EXPECT_EQ(readFile(path(id.id)), "\n\nCaf\xC3\xA9\nSecond\n");

    // The disc's own file: title, artist, no more tracks than the disc has.
    writeFile(path(id.id), "\xEF\xBB\xBFTitle \xE2\x99\xAB\nArtist\nOne\n\nThree");
    EXPECT_TRUE(load(5, ""));
    EXPECT_EQ(QStringList({names.title, names.artist}) + names.tracks,
              QStringList({"Title \u266B", "Artist", "One", "", "Three"}));
    EXPECT_TRUE(load(2, ""));
    EXPECT_EQ(names.tracks, QStringList({"One", ""}));
}

TEST_F(TrackNames, UnknownDiscsGetPlaceholdersUpTo99Tracks)
{
    EXPECT_FALSE(load(3));
    EXPECT_EQ(names.tracks, QStringList({"CD-Track", "CD-Track", "CD-Track"}));
    EXPECT_FALSE(load(99));
    EXPECT_EQ(names.tracks.size(), 99);
    EXPECT_FALSE(load(100));
    EXPECT_TRUE(names.tracks.isEmpty());

    // Only text in a regular file counts: a pipe would block, a song is no names file.
    QDir().mkpath(folder);
    ASSERT_EQ(mkfifo(QFile::encodeName(path(id.id)).constData(), 0600), 0);
    writeFile(path("6553600"), QByteArray("ID3\x03\x00\x00\x00", 7));
    EXPECT_FALSE(load(1));
    EXPECT_TRUE(QFile::exists(path("6553600")));
}

TEST_F(TrackNames, NamesWithLineBreaksCannotShiftTheFilesLinesAndAFailedSaveKeepsTheOlderFile)
{
    const DiscNames sent{"Title\nInjected", "Artist\r", {"One\r\nTwo", "\x1B[2JTwo", "\xEF\xBB\xBF" "Three"}, 2};
    EXPECT_TRUE(saveTrackNames(folder, id.id, sent)) << "the folder is made";
    EXPECT_EQ(readFile(path(id.id)), "Title Injected\nArtist \nOne  Two\n [2JTwo\nThree\n");
    EXPECT_TRUE(saveTrackNames(folder, "00000000", {"T", "A", {}, 0})) << "no tracks, nothing to write";
    EXPECT_FALSE(QFile::exists(path("00000000")));

    // A folder that cannot be written fails.
    EXPECT_FALSE(saveTrackNames(writeFile(dir.filePath("file"), "x") + "/tracks/", id.id, {"T", "A", {"One"}, 0}));
    // Where the disc's file cannot be made (a folder holds its name), the older file stays.
    writeFile(path("6553600"), "One\n");
    QFile::remove(path(id.id));
    QDir().mkpath(path(id.id));
    EXPECT_TRUE(load(1));
    EXPECT_EQ(names.tracks, QStringList({"One"}));
    EXPECT_TRUE(QFile::exists(path("6553600")));
}
