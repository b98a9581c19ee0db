// The CD device over disc images made by the tests: tables of contents, the
// door of a missing image, data discs, and playback through ALSA's "null"
// device with its positions.

#include "cd/cd_device.h"
#include "cd/disc_id.h"
#include "cd/sector_reader.h"
#include "libdiscid_peer.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/run_until.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using cd::CdDevice;
using Mode = CdDevice::Mode;

constexpr long sectorsPerSecond = 75;
constexpr long slack = 8;  // two of the slices the thread plays at a time

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
    struct Layout {
        std::vector<ImageTrack> tracks;
        std::vector<long> starts;
        long leadout;
    };
    std::vector<ImageTrack> twelve, ninetyNine;
    std::vector<long> twelveStarts, ninetyNineStarts;
    for (long i = 0, at = 150; i < 12; at += 21 + i, ++i) {
        twelve.push_back({21 + i, 300 + 40 * static_cast<int>(i)});
        twelveStarts.push_back(at);
    }
    for (long i = 0, at = 150; i < 99; at += 7 + i % 5, ++i) {
        ninetyNine.push_back({7 + i % 5, 200});
        ninetyNineStarts.push_back(at);
    }
    const Layout layouts[] = {
        {{{331, 440}}, {150}, 481},
        {{{227, 440}, {151, 660, false, 31}}, {150, 408}, 559},  // a pregap before track 2
        {{{75, 440}, {53, 0, true}}, {150, 225}, 278},           // a data track last
        {twelve, twelveStarts, twelveStarts.back() + 32},
        {ninetyNine, ninetyNineStarts, ninetyNineStarts.back() + 7 + 98 % 5},
    };
    int made = 0;
    for (const Layout &layout : layouts) {
        CdDevice device(writeDiscImage(dir.path(), layout.tracks, QString::number(++made)));
        ASSERT_TRUE(device.open());
        EXPECT_EQ(device.mode(), Mode::Stopped);
        const cd::TableOfContents toc = device.tableOfContents();
        ASSERT_EQ(toc.tracks.size(), layout.starts.size());
        EXPECT_EQ(toc.leadoutFrame, layout.leadout);
        for (std::size_t i = 0; i < toc.tracks.size(); ++i) {
            const cd::CdTrack &track = toc.tracks[i];
            EXPECT_EQ(track.number, static_cast<int>(i + 1));
            EXPECT_EQ(track.startFrame, layout.starts[i]) << "track " << i + 1;
            EXPECT_EQ(track.endFrame(), i + 1 < toc.tracks.size() ? layout.starts[i + 1] : layout.leadout);
            EXPECT_EQ(track.audio, !layout.tracks[i].data);
        }
        EXPECT_EQ(cd::computeDiscId(toc).id.toStdString(), libdiscidFreedbId(toc)) << toc.tracks.size() << " tracks";
    }

    CdDevice device(writeDiscImage(dir.path(), layouts[1].tracks, "positions"));
    ASSERT_TRUE(device.open());
    EXPECT_EQ(device.trackCount(), 2);
    EXPECT_EQ(device.trackPosition(2), cd::packTmsf(2, 0, 0, 0));
    EXPECT_EQ(device.trackLength(2), cd::packMsf(0, 2, 1));   // 151 sectors
    EXPECT_EQ(device.trackLength(1), cd::packMsf(0, 3, 33));  // 227 + the 31 of the pregap
    device.setTimeFormat(CdDevice::TimeFormat::Msf);
    EXPECT_EQ(device.trackPosition(2), cd::msfFromFrames(408));
    EXPECT_EQ(device.position(), cd::packMsf(0, 2, 0));
    EXPECT_EQ(device.trackPosition(3), 0u);

    // A .cue whose FILE line names a data file of another base name.
    const QString cue = writeDiscImage(dir.path(), {{331, 440}}, "renamed");
    ASSERT_TRUE(QFile::rename(dir.filePath("renamed.bin"), dir.filePath("Album (Disc 1).bin")));
    writeFile(cue, readFile(cue).replace("renamed.bin", "Album (Disc 1).bin"));
    CdDevice renamed(cue);
    ASSERT_TRUE(renamed.open());
    EXPECT_EQ(renamed.tableOfContents().leadoutFrame, 481);
}

TEST_F(CdDeviceTest, MissingImageIsAnOpenDoorAndEjectKeepsItOpenUntilTheImageChanges)
{
    const QString cue = dir.filePath("disc.cue");
    CdDevice device(cue);
    QSignalSpy modes(&device, &CdDevice::modeChanged);
    ASSERT_TRUE(device.open());
    EXPECT_EQ(device.deviceName(), cue);
    EXPECT_EQ(device.mode(), Mode::Open);
    EXPECT_TRUE(device.tableOfContents().empty());
    device.play();
    EXPECT_EQ(device.mode(), Mode::Open);

    image({{100, 440}});
    ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 3000));
    EXPECT_EQ(device.trackCount(), 1);
    EXPECT_TRUE(runUntil([&] { return modes.size() == 2; }, 1000));
    EXPECT_EQ(modes.at(0).at(0).value<Mode>(), Mode::Open);
    EXPECT_EQ(modes.at(1).at(0).value<Mode>(), Mode::Stopped);

    device.eject();
    EXPECT_EQ(device.mode(), Mode::Open);
    EXPECT_EQ(device.trackCount(), 0);
    EXPECT_FALSE(runUntil([&] { return device.mode() != Mode::Open; }, 800));
    image({{120, 440}});
    ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 3000));
    EXPECT_EQ(device.tableOfContents().leadoutFrame, 270);

    device.eject();
    device.close();
    EXPECT_EQ(device.mode(), Mode::NotReady);
    ASSERT_TRUE(device.open());
    EXPECT_EQ(device.mode(), Mode::Stopped);

    QFile::remove(cue);
    EXPECT_TRUE(runUntil([&] { return device.mode() == Mode::Open; }, 3000));
}

TEST_F(CdDeviceTest, DataDiscDoesNotPlayAndNoDriveCannotBeOpened)
{
    CdDevice device(image({{300, 0, true}, {77, 0, true}}));
    ASSERT_TRUE(device.open());
    device.play();
    EXPECT_EQ(device.mode(), Mode::Stopped);
    EXPECT_FALSE(device.tableOfContents().hasAudio());
    EXPECT_FALSE(runUntil([&] { return device.mode() != Mode::Stopped; }, 300)) << "once the thread took Play";

    CdDevice none("/dev/no-such-cd-drive");
    EXPECT_FALSE(none.open());
    EXPECT_EQ(none.mode(), Mode::NotReady);
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
    EXPECT_EQ(device->mode(), Mode::Playing);
    ASSERT_TRUE(runUntil([&] { return frames(*device) >= 150 + sectorsPerSecond / 2; }, 3000));

    device->pause();
    EXPECT_EQ(device->mode(), Mode::Paused);
    EXPECT_TRUE(holds(frames(*device)));
    const long paused = frames(*device);

    device->play();
    EXPECT_EQ(device->mode(), Mode::Playing);
    ASSERT_TRUE(runUntil([&] { return frames(*device) > paused + 15; }, 3000));

    device->stop();
    EXPECT_EQ(device->mode(), Mode::Stopped);
    EXPECT_TRUE(holds(frames(*device)));
    const long stopped = frames(*device);
    EXPECT_GT(stopped, paused + 15);
    device->play();
    ASSERT_TRUE(runUntil([&] { return frames(*device) > stopped + 10; }, 3000));
    EXPECT_LT(frames(*device), stopped + 2 * sectorsPerSecond);
}

TEST_F(CdDeviceTest, TimingPlaysAtThePaceOfTheClockOnTheNullDevice)
{
    auto device = openTwoTracks();
    QElapsedTimer clock;
    clock.start();
    device->play();
    ASSERT_TRUE(runUntil([&] { return frames(*device) >= 150 + sectorsPerSecond / 2; }, 3000));
    EXPECT_GE(clock.elapsed(), 450);
}

TEST_F(CdDeviceTest, SeeksInTmsfAndMsfAndPlaysOverTheTrackBoundary)
{
    auto device = openTwoTracks();
    device->setTimeFormat(CdDevice::TimeFormat::Tmsf);
    device->seek(cd::packTmsf(2, 0, 1, 5));
    EXPECT_EQ(device->position(), cd::packTmsf(2, 0, 1, 5));
    device->setTimeFormat(CdDevice::TimeFormat::Msf);
    EXPECT_EQ(frames(*device), 150 + 227 + 80);

    // Outside the disc: nothing changes.
    device->seek(cd::msfFromFrames(150 + 378 + 1));
    device->setTimeFormat(CdDevice::TimeFormat::Tmsf);
    device->seek(cd::packTmsf(3, 0, 0, 0));
    EXPECT_EQ(device->position(), cd::packTmsf(2, 0, 1, 5));

    // Half a second before track 2.
    device->playFrom(cd::packTmsf(1, 0, 2, 52));
    EXPECT_EQ(device->mode(), Mode::Playing);
    ASSERT_TRUE(runUntil([&] { return cd::tmsfTrack(device->position()) == 2; }, 3000));
    EXPECT_LT(cd::tmsfSeconds(device->position()), 1);

    // Seeking stops a playing disc.
    device->seek(cd::packTmsf(1, 0, 0, 0));
    EXPECT_EQ(device->mode(), Mode::Stopped);
    EXPECT_FALSE(runUntil([&] { return device->position() != cd::packTmsf(1, 0, 0, 0); }, 300));
}

TEST_F(CdDeviceTest, EndOfDiscStopsAtTheEndAndPlayStartsOver)
{
    // The data track after the audio is not played.
    CdDevice device(image({{90, 440}, {61, 660}, {40, 0, true}}));
    ASSERT_TRUE(device.open());
    QSignalSpy modes(&device, &CdDevice::modeChanged);
    device.setTimeFormat(CdDevice::TimeFormat::Msf);
    device.playFrom(cd::msfFromFrames(150 + 151 - 20));
    ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 5000));
    EXPECT_EQ(frames(device), 150 + 151);
    EXPECT_TRUE(runUntil([&] { return !modes.isEmpty() && modes.last().at(0).value<Mode>() == Mode::Stopped; }, 1000));

    device.play();
    EXPECT_EQ(device.mode(), Mode::Playing);
    EXPECT_EQ(frames(device), 150);
    device.stop();
}

TEST_F(CdDeviceTest, ShortImageStopsWhereItsSectorsEnd)
{
    const QString cue = image({{100, 440}, {80, 660}});
    QFile bin(dir.filePath("disc.bin"));
    ASSERT_TRUE(bin.resize(60 * 2352 + 1000));  // track 1 in part, track 2 not at all
    CdDevice device(cue);
    ASSERT_TRUE(device.open());
    const cd::TableOfContents toc = device.tableOfContents();
    ASSERT_EQ(toc.tracks.size(), 2u);
    EXPECT_EQ(toc.tracks[0].lengthFrames, 100) << "as the cue sheet says";
    EXPECT_EQ(toc.tracks[1].lengthFrames, 0);
    device.setTimeFormat(CdDevice::TimeFormat::Msf);
    device.playFrom(cd::msfFromFrames(150 + 50));
    ASSERT_TRUE(runUntil([&] { return device.mode() == Mode::Stopped; }, 5000));
    EXPECT_EQ(frames(device), 150 + 60) << "no silence where the image has no sectors";
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
        ASSERT_NE(reader, nullptr);
        reader->read(40 + 3, 2, samples.data());  // sectors 3 and 4 of track 2
        for (long i = 0; i < 2 * 588; i += 37) {
            ASSERT_EQ(samples[2 * i], toneSample(1000, 3 * 588 + i)) << i;
            ASSERT_EQ(samples[2 * i + 1], toneSample(1000, 3 * 588 + i)) << i;
        }
    }
    // Past the image's end (a drive's reads never go past its lead-out).
    readers.front()->read(70, 4, samples.data());  // 150 frames of 70, then nothing
    EXPECT_EQ(samples[0], toneSample(1000, 30 * 588));
    EXPECT_EQ(samples[2 * 149], toneSample(1000, 30 * 588 + 149));
    EXPECT_TRUE(std::all_of(samples.begin() + 2 * 150, samples.end(), [](int16_t s) { return s == 0; }));
    readers.clear();
    cdio_destroy(cdio);
}
