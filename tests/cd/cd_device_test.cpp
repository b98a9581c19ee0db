// The CD device over disc images made by the tests: tables of contents, their
// disc ids (against libdiscid, the peer other disc-database clients use) and
// older names, the door of a missing image, data discs, and playback through
// ALSA's "null" device with its positions.

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "cd/sector_reader.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/run_until.h"

#include <QTemporaryDir>

#include <discid/discid.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using cd::CdDevice;
using cd::packMsf;
using cd::packTmsf;
using Mode = CdDevice::Mode;

static_assert(cd::framesFromMsf(packMsf(79, 59, 74)) == 359999 && cd::msfFromFrames(-3) == 0);

constexpr long slack = 8;  // two of the slices the thread plays at a time

std::string libdiscidFreedbId(const cd::TableOfContents &toc)
{
    int offsets[100] = {static_cast<int>(toc.leadoutFrame)};
    for (std::size_t i = 0; i < toc.tracks.size(); ++i)
        offsets[i + 1] = static_cast<int>(toc.tracks[i].startFrame);
    DiscId *disc = discid_new();
    std::string id;
    if (discid_put(disc, 1, static_cast<int>(toc.tracks.size()), offsets))
        id = discid_get_freedb_id(disc);
    discid_free(disc);
    return id;
}

class CdDeviceTest : public testing::Test {
protected:
    QString image(const std::vector<ImageTrack> &tracks) { return writeDiscImage(dir.path(), tracks); }
    // A device on an image of two tone tracks, 3 s and 2 s (odd sector counts).
    std::unique_ptr<CdDevice> openTwoTracks()
    {
        auto device = std::make_unique<CdDevice>(image({{227, 440}, {151, 660}}));
        EXPECT_TRUE(device->open());
        device->setTimeFormat(CdDevice::TimeFormat::Msf);
        return device;
    }
    static long frames(const CdDevice &device) { return static_cast<long>(cd::framesFromMsf(device.position())); }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(CdDeviceTest, ReadsTheTableOfContentsOfEveryLayout)
{
    std::vector<ImageTrack> ninetyNine;
    for (long i = 0; i < 99; ++i)
        ninetyNine.push_back({7 + i % 5, 200});
    const auto packed = [](long frames) { return QString::number(cd::msfFromFrames(frames)); };
    const struct {
        std::vector<ImageTrack> tracks;
        QString legacyName;  // the first three tracks' lengths, the disc's last one frame short
    } layouts[] = {
        {{{331, 440}}, packed(330)},
        {{{227, 440}, {151, 660, false, 31}}, packed(258) + packed(150)},  // a pregap before track 2
        {{{75, 440}, {53, 0, true}}, packed(75) + packed(52)},             // a data track last
        {ninetyNine, packed(7) + packed(8) + packed(9)},
    };
    int made = 0;
    for (const auto &[tracks, legacyName] : layouts) {
        CdDevice device(writeDiscImage(dir.path(), tracks, QString::number(++made)));
        ASSERT_TRUE(device.open());
        const cd::TableOfContents toc = device.tableOfContents();
        ASSERT_EQ(toc.tracks.size(), tracks.size());
        long at = 150;
        for (std::size_t i = 0; i < tracks.size(); at += tracks[i++].sectors) {
            at += tracks[i].pregapSectors;
            EXPECT_EQ(toc.tracks[i].startFrame, at) << made << ": track " << i + 1;
            EXPECT_EQ(toc.tracks[i].audio, !tracks[i].data);
        }
        EXPECT_EQ(toc.leadoutFrame, at);
        EXPECT_EQ(cd::computeDiscId(toc).id.toStdString(), libdiscidFreedbId(toc)) << toc.tracks.size() << " tracks";
        EXPECT_EQ(cd::legacyCacheName(toc), legacyName);
    }

    CdDevice device(writeDiscImage(dir.path(), layouts[1].tracks, "positions"));
    ASSERT_TRUE(device.open());
    device.setTimeFormat(CdDevice::TimeFormat::Msf);
    EXPECT_EQ(std::vector<uint32_t>({device.trackLength(1), device.trackPosition(2), device.trackPosition(3)}),
              std::vector<uint32_t>({packMsf(0, 3, 33), cd::msfFromFrames(408), 0}));  // 227 + the pregap's 31

    // A .cue whose FILE line names a data file of another base name.
    const QString cue = writeDiscImage(dir.path(), {{331, 440}}, "renamed");
    ASSERT_TRUE(QFile::rename(dir.filePath("renamed.bin"), dir.filePath("Album (Disc 1).bin")));
    writeFile(cue, readFile(cue).replace("renamed.bin", "Album (Disc 1).bin"));
    CdDevice renamed(cue);
    ASSERT_TRUE(renamed.open());
    EXPECT_EQ(renamed.tableOfContents().leadoutFrame, 481);
}

TEST_F(CdDeviceTest, MissingImageIsAnOpenDoorEjectKeepsItOpenAndNeitherADataDiscNorNoDrivePlays)
{
    const QString cue = dir.filePath("disc.cue");
    CdDevice device(cue);
    ASSERT_TRUE(device.open());
    device.play();
    EXPECT_EQ(device.mode(), Mode::Open);

    image({{100, 440}});
    ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 3000));

    device.eject();
    EXPECT_EQ(device.trackCount(), 0);
    EXPECT_FALSE(runUntil([&] { return device.mode() != Mode::Open; }, 800));
    image({{120, 440}});
    ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 3000));
    EXPECT_EQ(device.tableOfContents().leadoutFrame, 270);

    device.eject();
    device.close();
    ASSERT_TRUE(device.open());
    EXPECT_EQ(device.mode(), Mode::Stopped);
    QFile::remove(cue);
    EXPECT_TRUE(runUntil([&] { return device.mode() == Mode::Open; }, 3000));

    image({{300, 0, true}, {77, 0, true}});
    ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 3000));
    device.play();
    EXPECT_FALSE(runUntil([&] { return device.mode() != Mode::Stopped; }, 300)) << "a data disc does not play";

    CdDevice none("/dev/no-such-cd-drive");
    EXPECT_FALSE(none.open());
    none.play();
    none.eject();
    EXPECT_EQ(none.mode(), Mode::NotReady);
}

// Once the thread has taken a pause or a stop, the position holds: it may
// still move by what the output had not played yet, never further.
TEST_F(CdDeviceTest, PlaysPausesResumesAndStopsWherePlaybackWas)
{
    auto device = openTwoTracks();
    const auto holds = [&](long at) { return !runUntil([&] { return frames(*device) > at + slack; }, 400); };
    device->play();
    ASSERT_TRUE(runUntil([&] { return frames(*device) >= 150 + 37; }, 3000));
    device->pause();
    EXPECT_EQ(device->mode(), Mode::Paused);
    EXPECT_TRUE(holds(frames(*device)));
    const long paused = frames(*device);

    device->play();
    ASSERT_TRUE(runUntil([&] { return frames(*device) > paused + 15; }, 3000));
    device->stop();
    EXPECT_TRUE(holds(frames(*device)));
    const long stopped = frames(*device);
    device->play();
    ASSERT_TRUE(runUntil([&] { return frames(*device) > stopped + 10; }, 3000));
    EXPECT_LT(frames(*device), stopped + 150);
}

TEST_F(CdDeviceTest, SeeksInTmsfAndMsfAndPlaysOverTheTrackBoundary)
{
    auto device = openTwoTracks();
    device->setTimeFormat(CdDevice::TimeFormat::Tmsf);
    device->seek(packTmsf(2, 0, 1, 5));
    device->setTimeFormat(CdDevice::TimeFormat::Msf);
    EXPECT_EQ(frames(*device), 150 + 227 + 80);

    // Outside the disc: nothing changes.
    device->seek(cd::msfFromFrames(150 + 378 + 1));
    device->setTimeFormat(CdDevice::TimeFormat::Tmsf);
    device->seek(packTmsf(3, 0, 0, 0));
    EXPECT_EQ(device->position(), packTmsf(2, 0, 1, 5));

    // Half a second before track 2.
    device->playFrom(packTmsf(1, 0, 2, 52));
    ASSERT_TRUE(runUntil([&] { return cd::tmsfTrack(device->position()) == 2; }, 3000));
    EXPECT_LT(cd::tmsfSeconds(device->position()), 1);

    // Seeking stops a playing disc.
    device->seek(packTmsf(1, 0, 0, 0));
    EXPECT_EQ(device->mode(), Mode::Stopped);
    EXPECT_FALSE(runUntil([&] { return device->position() != packTmsf(1, 0, 0, 0); }, 300));
}

// The data track after the audio is not played; an image cut short ends
// where its sectors do, with no silence for the sectors it lacks.
TEST_F(CdDeviceTest, PlaybackStopsAtTheEndOfTheAudioAndPlayStartsOver)
{
    const struct {
        std::vector<ImageTrack> tracks;
        qint64 binBytes;  // cut to this size when not 0
        long from, end;
    } cases[] = {
        {{{90, 440}, {61, 660}, {40, 0, true}}, 0, 150 + 151 - 20, 150 + 151},
        {{{100, 440}, {80, 660}}, 60 * 2352 + 1000, 150 + 50, 150 + 60},
    };
    int made = 0;
    for (const auto &c : cases) {
        CdDevice device(writeDiscImage(dir.path(), c.tracks, QString::number(++made)));
        if (c.binBytes) {
            ASSERT_TRUE(QFile(dir.filePath(QString::number(made) + ".bin")).resize(c.binBytes));
        }
        ASSERT_TRUE(device.open());
        device.setTimeFormat(CdDevice::TimeFormat::Msf);
        device.playFrom(cd::msfFromFrames(c.from));
        ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 5000));
        EXPECT_EQ(frames(device), c.end);
        device.play();
        EXPECT_EQ(frames(device), 150);
        device.stop();
    }
}

TEST_F(CdDeviceTest, ReadersReturnTheTonesAndSilenceForMissingSectors)
{
    const QString cue = image({{40, 440}, {40, 1000}});
    QFile(dir.filePath("disc.bin")).resize(70 * 2352 + 600);
    CdIo_t *cdio = cdio_open(QFile::encodeName(cue).constData(), DRIVER_BINCUE);
    ASSERT_NE(cdio, nullptr);
    std::vector<int16_t> samples(4 * cd::samplesPerSector, 1);
    std::vector<std::unique_ptr<cd::SectorReader>> readers;
    readers.push_back(cd::createPlainReader(cdio));
    readers.push_back(cd::createParanoiaReader(cdio));
    for (const auto &reader : readers) {
        reader->read(40 + 3, 2, samples.data());  // sectors 3 and 4 of track 2
        for (long i = 0; i < 2 * 588; i += 37)
            ASSERT_EQ(samples[2 * i + 1], toneSample(1000, 3 * 588 + i)) << i;
    }
    // Past the image's end (a drive's reads never go past its lead-out).
    readers.front()->read(70, 4, samples.data());  // 150 frames of 70, then nothing
    EXPECT_EQ(samples[2 * 149], toneSample(1000, 30 * 588 + 149));
    EXPECT_TRUE(std::all_of(samples.begin() + 2 * 150, samples.end(), [](int16_t s) { return s == 0; }));
    readers.clear();
    cdio_destroy(cdio);
}
