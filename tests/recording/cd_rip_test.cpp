// The recorder's run and its WAV files, in process, on disc images.

#include "cd/cd_device.h"
#include "recording/cd_rip.h"
#include "recording/wav_writer.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/full_disk.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/wav_file.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

recording::RipSettings settingsFor(const QString &cue, const QString &destination)
{
    recording::RipSettings settings;
    settings.source = cd::resolveDiscSource(cue);
    std::unique_ptr<QTemporaryDir> links;
    CdIo_t *cdio = cd::openDisc(settings.source, links);
    settings.toc = cd::readTableOfContents(cdio);
    cdio_destroy(cdio);
    settings.destination = destination;
    return settings;
}

}  // namespace

TEST(CdRip, CancelKeepsTheFinishedTracksAndDropsTheCurrentOne)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{300, 440}, {9000, 660}, {300, 880}});
    RecordingDialogs dialogs;
    recording::CdRip run(dialogs);
    QSignalSpy finished(&run, &recording::CdRip::finished);
    QObject::connect(&run, &recording::CdRip::progress, [&](const recording::RipProgress &p) {
        if (p.line == 1 && p.song >= 10)
            run.cancel();
    });
    QDir().mkpath(dir.filePath("out"));
    run.start({"1. One", "2. Two", "3. Three"}, settingsFor(cue, dir.filePath("out")));
    ASSERT_TRUE(runUntil([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(run.written(), 1);
    EXPECT_EQ(entries(dir.filePath("out")), QStringList({"One.wav"}));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST(CdRip, ARunThatCannotWriteStopsWithOneMessage)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{300, 440}, {300, 660}});
    RecordingDialogs dialogs;
    recording::CdRip run(dialogs);
    QSignalSpy finished(&run, &recording::CdRip::finished);
    run.start({"1. One", "2. Two"}, settingsFor(cue, dir.filePath("missing")));
    ASSERT_TRUE(runUntil([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(dialogs.errors.size(), 1);

    dialogs.errors.clear();
    QDir().mkpath(dir.filePath("full"));
    {
        FullDisk full(100000);
        run.start({"1. One", "2. Two"}, settingsFor(cue, dir.filePath("full")));
        ASSERT_TRUE(runUntil([&] { return finished.size() == 2; }));
    }
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(run.written(), 0);
    EXPECT_TRUE(entries(dir.filePath("full")).isEmpty()) << "no partial file";
}

TEST(CdRip, ARealLineRecordsEachTrackWhileTheDevicePlaysIt)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{75, 440}, {150, 660}});
    qputenv("LUDRO_ALSA_CAPTURE", "null");
    cd::CdDevice device(cue);
    RecordingDialogs dialogs;
    recording::CdRip run(dialogs);
    QSignalSpy finished(&run, &recording::CdRip::finished);
    recording::RipSettings settings = settingsFor(cue, dir.path());
    settings.input = "Capture";
    settings.device = &device;
    run.start({"1. One"}, settings);
    ASSERT_TRUE(runUntil([&] { return !finished.isEmpty(); }, 15000));
    qunsetenv("LUDRO_ALSA_CAPTURE");
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const std::optional<WavData> one = readWav(dir.filePath("One.wav").toStdString());
    ASSERT_TRUE(one);
    EXPECT_LT(one->frames(), 44100u * 2) << "stopped at the next track, in real time";
    EXPECT_FALSE(device.isOpen()) << "closed again";
}

TEST(WavWriter, RefusesWhatItCannotHold)
{
    QTemporaryDir dir;
    recording::WavWriter capped(8);
    ASSERT_TRUE(capped.open(dir.filePath("capped.wav")));
    EXPECT_TRUE(capped.write("abcd", 4));
    EXPECT_FALSE(capped.write("efghijkl", 8));
    EXPECT_TRUE(capped.error().contains("4 GB"));
    EXPECT_FALSE(capped.write("ef", 2)) << "a failed file stays failed";
    EXPECT_FALSE(capped.finish());
}
