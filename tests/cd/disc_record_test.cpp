// What the disc database's answers say: the names in an xmcd record and the
// record a query answer names.

#include "cd/cddb_match.h"
#include "cd/disc_record.h"

#include <gtest/gtest.h>

using namespace cd;

// The protocol's rules for the text of a record: titles numbered by
// appearance, escapes, the " / " that parts artist and title, values over
// several lines of their key.
TEST(DiscRecord, TextFollowsTheProtocolsNumberingEscapesSeparatorAndContinuedLines)
{
    const DiscNames names = parseDiscRecord({
        "# Revision: 3",
        "DTITLE=AC/DC / Back in Black \\\\ Live",
        "DTITLE= (Remastered)",
        "DYEAR=1980",
        "DGENRE=Hard Rock",
        "TTITLE0=Hells Bells\\tLive",
        "TTITLE0= on and on",
        "ttitle5=Numbered by appearance",
        "TTITLE1=Back\\\\slash \\q stays",
        "TTITLE10=Ten, not one continued",
        "EXTD=Line one\\nLine ",
        "EXTD=two",
        "EXTT1=A\\n",
        "EXTT1=B",
    });
    EXPECT_EQ(QStringList({names.artist, names.title, names.year, names.genre, names.extd}),
              QStringList({"AC/DC", "Back in Black \\ Live (Remastered)", "1980", "Hard Rock", "Line one\nLine two"}));
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

TEST(CddbMatch, CategoryIsTheFirstWordAndTheDiscIdTheEightCharactersAfterIt)
{
    const auto single = singleMatch("200 rock 0b012a02 Artist / Title");
    ASSERT_TRUE(single);
    EXPECT_EQ(single->category + ' ' + single->discId, "rock 0b012a02");
    EXPECT_EQ(listedMatch("jazz 0b012a03 Other / Disc")->discId, "0b012a03");

    // The blank must come within 25 characters; a short line gives what it has.
    EXPECT_FALSE(singleMatch("200 " + QString(25, 'x') + " 0b012a02"));
    EXPECT_FALSE(listedMatch(QString(25, 'x') + " 0b012a02"));
    EXPECT_FALSE(singleMatch("200"));
    EXPECT_EQ(listedMatch(QString(24, 'x') + " 0b01")->discId, "0b01");
}
