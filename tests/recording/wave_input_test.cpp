// The wave input through ALSA configurations of the test's own: the test's
// HOME holds an .asoundrc whose "ludro_feed" device captures the file
// LUDRO_TEST_FEED names (then silence), and "null" captures silence.

#include "cd/cd_device.h"
#include "recording/cd_rip.h"
#include "recording/mixer_lines.h"
#include "recording/wave_recorder.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/wav_file.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <alsa/asoundlib.h>

namespace {

constexpr int bufferValues = recording::framesPerBuffer * 2;

// ALSA reads the .asoundrc of the new HOME at its next use.
void useTestAlsaConfiguration()
{
    qputenv("HOME", ALSA_TEST_HOME);
    snd_config_update_free_global();
}

QByteArray bytesOf(const std::vector<int16_t> &samples)
{
    return QByteArray(reinterpret_cast<const char *>(samples.data()), static_cast<qsizetype>(samples.size() * 2));
}

}  // namespace

TEST(WaveInput, RecordsTheFedPcmFromTheFirstBufferThatPassesTheTrigger)
{
    QTemporaryDir dir;
    std::vector<int16_t> feed(3 * bufferValues, -3);  // the first buffer stays below level 0
    for (int i = bufferValues; i < static_cast<int>(feed.size()); ++i)
        feed[i] = static_cast<int16_t>((i * 37) % 20000 - 10000);
    qputenv("LUDRO_TEST_FEED", writeFile(dir.filePath("feed.raw"), bytesOf(feed)).toUtf8());
    qputenv("LUDRO_ALSA_CAPTURE", "ludro_feed");
    useTestAlsaConfiguration();

    recording::WaveRecorder recorder;
    ASSERT_TRUE(recorder.start(dir.filePath("fed.wav"))) << recorder.error().toStdString();
    ASSERT_TRUE(runUntil([&] { return recorder.framesRecorded() >= 2 * recording::framesPerBuffer; }));
    ASSERT_TRUE(recorder.stop());
    const QByteArray wav = readFile(dir.filePath("fed.wav"));
    const std::optional<WavData> parsed = readWav(dir.filePath("fed.wav").toStdString());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->frames(), static_cast<std::size_t>(recorder.framesRecorded())) << "header sizes";
    EXPECT_EQ(wav.size(), 44 + recorder.framesRecorded() * 4);
    const QByteArray fed = bytesOf(std::vector<int16_t>(feed.begin() + bufferValues, feed.end()));
    EXPECT_TRUE(wav.mid(44, fed.size()) == fed) << "the fed PCM exactly, from the second buffer";

    ASSERT_TRUE(recorder.start(dir.filePath("empty.wav")));
    ASSERT_TRUE(recorder.stop());
    EXPECT_EQ(readFile(dir.filePath("empty.wav")).size(), 44);
    EXPECT_TRUE(readWav(dir.filePath("empty.wav").toStdString())) << "a valid empty file";

    qputenv("LUDRO_ALSA_CAPTURE", "no_such_capture_device");
    EXPECT_FALSE(recorder.start(dir.filePath("none.wav")));
    EXPECT_TRUE(recorder.error().startsWith("Could not open the input device for recording: "));
    EXPECT_EQ(recording::inputLines(), QStringList({"CD Digital Audio"})) << "no sound card: the virtual line";
    int percent = 0;
    QString error;
    EXPECT_FALSE(recording::captureVolume("Capture", percent, error));
    EXPECT_EQ(error, "Volume GetControlError in Mixer");
    EXPECT_FALSE(recording::setCaptureVolume("Capture", 50, error));
    EXPECT_EQ(error, "Volume SetControlError in Mixer");
    qunsetenv("LUDRO_ALSA_CAPTURE");
}

TEST(WaveInput, ARealLineRecordsEachTrackWhileTheDevicePlaysIt)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{75, 440}, {150, 660}});
    qputenv("LUDRO_ALSA_CAPTURE", "null");
    cd::CdDevice device(cue);
    RecordingDialogs dialogs;
    recording::CdRip run(dialogs);
    QSignalSpy finished(&run, &recording::CdRip::finished);
    recording::RipSettings settings;
    settings.source = cd::resolveDiscSource(cue);
    ASSERT_TRUE(device.open());
    settings.toc = device.tableOfContents();
    device.close();
    settings.destination = dir.filePath("out");
    QDir().mkpath(settings.destination);
    settings.input = "Capture";
    settings.device = &device;
    run.start({"1. One"}, settings);
    ASSERT_TRUE(runUntil([&] { return !finished.isEmpty(); }, 15000));
    qunsetenv("LUDRO_ALSA_CAPTURE");
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    EXPECT_EQ(run.written(), 1);
    const std::optional<WavData> one = readWav(dir.filePath("out/One.wav").toStdString());
    ASSERT_TRUE(one);
    EXPECT_GT(one->frames(), 0u);
    EXPECT_LT(one->frames(), 44100u * 2) << "stopped at the next track, in real time";
    EXPECT_FALSE(device.isOpen()) << "closed again";
}
