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
        "EXTT0=ignored",
        "TTITLE11",
        "PLAYORDER=",
    });
    EXPECT_EQ(names.tracks, QStringList({"A title that goes on and on", "Numbered by appearance", "One",
                                         "Ten, not one continued", ""}));
    EXPECT_EQ(names.artist, "Artist ") << "the blank before the slash stays";
    EXPECT_EQ(names.title, "Title");
    EXPECT_EQ(names.revision, 3);
}

TEST(DiscRecord, DiscTitleWithoutSlashNamesTheArtistAndTheLastOneCounts)
{
    EXPECT_EQ(parseDiscRecord({"DTITLE=Only an artist"}).artist, "Only an artist");
    EXPECT_EQ(parseDiscRecord({"DTITLE=Only an artist"}).title, "");
    const DiscNames twice = parseDiscRecord({"DTITLE=First / One", "DTITLE=Second /  Two/Three"});
    EXPECT_EQ(twice.artist, "Second ");
    EXPECT_EQ(twice.title, " Two/Three") << "one blank goes, the rest of the text stays";

    // What the record does not say stays as it was.
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
