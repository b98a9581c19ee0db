// The CDDB disc id against libdiscid, the peer other disc-database clients
// use (every layout: cd_device_test), and the packed positions the player
// works with.

#include "cd/cd_time.h"
#include "cd/disc_id.h"
#include "libdiscid_peer.h"

#include <gtest/gtest.h>

namespace {

using cd::packMsf;
using cd::packTmsf;

static_assert(packTmsf(3, 1, 2, 4) == 0x04020103);
static_assert(cd::tmsfTrack(0x04020103) == 3 && cd::tmsfMinutes(0x04020103) == 1 && cd::tmsfSeconds(0x04020103) == 2 &&
              cd::tmsfFrames(0x04020103) == 4);
static_assert(packMsf(5, 0, 1) == 0x010005 && cd::msfFromFrames(22501) == packMsf(5, 0, 1));
static_assert(cd::framesFromMsf(packMsf(79, 59, 74)) == 359999 && cd::msfFromFrames(-3) == 0);

// Tracks from their start frames; the last ends at the lead-out.
cd::TableOfContents tableOf(const std::vector<long> &starts, long leadout, bool dataLast = false)
{
    cd::TableOfContents toc;
    toc.leadoutFrame = leadout;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const long end = i + 1 < starts.size() ? starts[i + 1] : leadout;
        toc.tracks.push_back(
            {static_cast<int>(i + 1), starts[i], end - starts[i], !(dataLast && i + 1 == starts.size())});
    }
    return toc;
}

}  // namespace

TEST(CdDiscId, WorkedExampleOfTheDiscDatabase)
{
    // Two tracks at 0:02.00 and 3:00.00, the second 2:00.00 long.
    const cd::DiscId disc = cd::computeDiscId(tableOf({150, 13500}, 22501));
    EXPECT_EQ(disc.id, "0b012a02");
    EXPECT_EQ(disc.queryArgument, "0b012a02+2+150+13500+300");
    EXPECT_EQ(disc.discSeconds, 300);
    EXPECT_EQ(disc.offsets, (std::vector<long>{150, 13500}));
    EXPECT_EQ(libdiscidFreedbId(tableOf({150, 13500}, 22501)), "0b012a02");
    EXPECT_TRUE(cd::computeDiscId({}).id.isEmpty());
}

TEST(CdDiscId, LegacyNameHoldsPackedLengthsOfTheFirstThreeTracks)
{
    // Lengths 3:00.00, 2:30.10 and 1:00.01, the disc's last track one frame short.
    const cd::TableOfContents four = tableOf({150, 13650, 24910, 29411}, 40000);
    EXPECT_EQ(cd::legacyCacheName(four), QString::number(packMsf(3, 0, 0)) + QString::number(packMsf(2, 30, 10)) +
                                             QString::number(packMsf(1, 0, 1)));
    EXPECT_EQ(cd::legacyCacheName(tableOf({150}, 4651)), QString::number(packMsf(1, 0, 0)));
    EXPECT_EQ(cd::legacyCacheName({}), "");
}
