// The names of discs: their names files (the older files moved to the disc
// id's name, placeholders for unknown discs, names that stay data), the names
// in a disc-database record.

#include "cd/disc_record.h"
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

// The protocol's rules for the text of a record: titles numbered by
// appearance, escapes, the " / " that parts artist and title, values over
// several lines of their key.
TEST(DiscRecord, TextFollowsTheProtocolsNumberingEscapesSeparatorAndContinuedLines)
{
    const DiscNames names = parseDiscRecord({
        "# Revision: 3",
        "DTITLE=AC/DC / Back in Black \\\\ Live",
        "DTITLE= (Remastered)",
        "TTITLE0=Hells Bells\\tLive",
        "TTITLE0= on and on",
        "ttitle5=Numbered by appearance",
        "TTITLE1=Back\\\\slash \\q stays",
        "TTITLE10=Ten, not one continued",
        "EXTT1=A\\n",
        "EXTT1=B",
    });
    EXPECT_EQ(names.artist + '|' + names.title, "AC/DC|Back in Black \\ Live (Remastered)");
    EXPECT_EQ(names.tracks, QStringList({"Hells Bells\tLive on and on", "Numbered by appearance",
                                         "Back\\slash \\q stays", "Ten, not one continued"}));
    EXPECT_EQ(names.extt, QStringList({"", "", "A\nB"})) << "numbered as their titles";
    EXPECT_EQ(names.revision, 3);

    // Without " / " the first slash parts them, as older records have it.
    const DiscNames old = parseDiscRecord({"DTITLE=Artist/ Title/Part"});
    EXPECT_EQ(old.artist + '|' + old.title, "Artist|Title/Part");
    EXPECT_EQ(parseDiscRecord({"DTITLE=Only an artist"}).artist, "Only an artist");

    // What the record does not say of its names stays as it was.
    DiscNames current{"Old title", "Old artist", {"CD-Track", "CD-Track"}, 7};
    applyDiscRecord({"TTITLE0=New", "# revision: not a number", "# REVISION:12x"}, current);
    EXPECT_EQ(current.title + '|' + current.artist, "Old title|Old artist");
    EXPECT_EQ(current.tracks, QStringList({"New"}));
    EXPECT_EQ(current.revision, 7);
}
