// What the disc database's answers say: the names in an xmcd record and the
// record a query answer names.

#include "cd/cddb_match.h"
#include "cd/disc_record.h"

#include <gtest/gtest.h>

using namespace cd;

TEST(DiscRecord, TrackTitlesAreNumberedInOrderAndSplitTitlesJoined)
{
    const DiscNames names = parseDiscRecord({
        "# xmcd",
        "#",
        "# Revision: 3",
        "DISCID=0b012a02",
        "DTITLE=Artist / Title",
        "TTITLE0=A title that goes",
        "TTITLE0= on and on",
        "ttitle5=Numbered by appearance",
        "TTITLE1=One",
        "TTITLE10=Ten, not one continued",
        "EXTT0=Extra of the first",
        "PLAYORDER=",
    });
    EXPECT_EQ(names.tracks,
              QStringList({"A title that goes on and on", "Numbered by appearance", "One", "Ten, not one continued"}));
    EXPECT_EQ(names.extt, QStringList({"Extra of the first"}));
    EXPECT_EQ(names.artist, "Artist");
    EXPECT_EQ(names.title, "Title");
    EXPECT_EQ(names.revision, 3);
}

// The protocol's rules for the text of a record: escapes, the " / " that
// parts artist and title, values over several lines of their key.
TEST(DiscRecord, TextFollowsTheProtocolsEscapesSeparatorAndContinuedLines)
{
    const DiscNames names = parseDiscRecord({
        "DTITLE=AC/DC / Back in Black \\\\ Live",
        "DTITLE= (Remastered)",
        "DYEAR=1980",
        "DGENRE=Hard Rock",
        "TTITLE0=Hells Bells\\tLive",
        "TTITLE1=Back\\\\slash \\q stays",
        "EXTD=Line one\\nLine ",
        "EXTD=two",
        "EXTT1=A\\n",
        "EXTT1=B",
    });
    EXPECT_EQ(names.artist, "AC/DC");
    EXPECT_EQ(names.title, "Back in Black \\ Live (Remastered)");
    EXPECT_EQ(names.tracks, QStringList({"Hells Bells\tLive", "Back\\slash \\q stays"}));
    EXPECT_EQ(names.year, "1980");
    EXPECT_EQ(names.genre, "Hard Rock");
    EXPECT_EQ(names.extd, "Line one\nLine two");
    EXPECT_EQ(names.extt, QStringList({"", "A\nB"}));

    // Without " / " the first slash parts them, as older records have it.
    const DiscNames old = parseDiscRecord({"DTITLE=Artist/ Title/Part"});
    EXPECT_EQ(old.artist, "Artist");
    EXPECT_EQ(old.title, "Title/Part");
    EXPECT_EQ(parseDiscRecord({"DTITLE=Only an artist"}).artist, "Only an artist");
    EXPECT_EQ(parseDiscRecord({"DTITLE=Only an artist"}).title, "");

    // What the record does not say of its names stays as it was.
    DiscNames current{"Old title", "Old artist", {"CD-Track", "CD-Track"}, 7};
    applyDiscRecord({"TTITLE0=New", "# revision: not a number", "# REVISION:12x"}, current);
    EXPECT_EQ(current.title, "Old title");
    EXPECT_EQ(current.artist, "Old artist");
    EXPECT_EQ(current.tracks, QStringList({"New"}));
    EXPECT_EQ(current.revision, 7);
}

TEST(CddbMatch, CategoryIsTheFirstWordAndTheDiscIdTheEightCharactersAfterIt)
{
    const auto single = singleMatch("200 rock 0b012a02 Artist / Title");
    ASSERT_TRUE(single);
    EXPECT_EQ(single->category, "rock");
    EXPECT_EQ(single->discId, "0b012a02");

    const auto listed = listedMatch("jazz 0b012a03 Other / Disc");
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->category, "jazz");
    EXPECT_EQ(listed->discId, "0b012a03");

    // The blank must come within 25 characters; a short line gives what it has.
    EXPECT_FALSE(singleMatch("200 " + QString(25, 'x') + " 0b012a02"));
    EXPECT_FALSE(listedMatch(QString(25, 'x') + " 0b012a02"));
    EXPECT_FALSE(singleMatch("200"));
    EXPECT_EQ(listedMatch(QString(24, 'x') + " 0b01")->discId, "0b01");
}
