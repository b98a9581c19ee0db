// The recorder's runs, in process: rips of disc images and their WAV files,
// and the wave input through ALSA configurations of the test's own: the
// test's HOME holds an .asoundrc whose "ludro_feed" device captures the file
// LUDRO_TEST_FEED names (then silence), and "null" captures silence; its
// mixer "ludro_pulse" is the one of a PulseAudio server the test starts.

#include "cd/cd_device.h"
#include "recording/as_form.h"
#include "recording/cd_rip.h"
#include "recording/mixer_lines.h"
#include "recording/wav_writer.h"
#include "recording/wave_recorder.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/full_disk.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/wav_file.h"

#include <QComboBox>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <alsa/asoundlib.h>

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

TEST(CdRip, CancelKeepsTheFinishedTracksARunThatCannotWriteStopsAndARealLineRecordsWhileTheDevicePlays)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{300, 440}, {9000, 660}, {300, 880}});
    RecordingDialogs dialogs;
    recording::CdRip run(dialogs);
    QSignalSpy finished(&run, &recording::CdRip::finished);
    const auto connection = QObject::connect(&run, &recording::CdRip::progress, [&](const recording::RipProgress &p) {
        if (p.line == 1 && p.song >= 10)
            run.cancel();
    });
    QDir().mkpath(dir.filePath("out"));
    run.start({"1. One", "2. Two", "3. Three"}, settingsFor(cue, dir.filePath("out")));
    ASSERT_TRUE(runUntil([&] { return finished.size() == 1; }));
    EXPECT_EQ(entries(dir.filePath("out")), QStringList({"One.wav"})) << "the current track dropped";
    EXPECT_TRUE(dialogs.errors.isEmpty());
    QObject::disconnect(connection);

    run.start({"1. One", "2. Two"}, settingsFor(cue, dir.filePath("missing")));
    ASSERT_TRUE(runUntil([&] { return finished.size() == 2; }));
    EXPECT_EQ(dialogs.errors.size(), 1);
    dialogs.errors.clear();
    QDir().mkpath(dir.filePath("full"));
    {
        FullDisk full(100000);
        run.start({"1. One", "2. Two"}, settingsFor(cue, dir.filePath("full")));
        ASSERT_TRUE(runUntil([&] { return finished.size() == 3; }));
    }
    EXPECT_EQ(dialogs.errors.size(), 1) << dialogs.errors.join('\n').toStdString();
    EXPECT_TRUE(entries(dir.filePath("full")).isEmpty()) << "no partial file";

    // A real line records each track while the device plays it.
    dialogs.errors.clear();
    const QString line = writeDiscImage(dir.filePath("line"), {{75, 440}, {150, 660}});
    qputenv("LUDRO_ALSA_CAPTURE", "null");
    cd::CdDevice device(line);
    recording::RipSettings settings = settingsFor(line, dir.filePath("line"));
    settings.input = "Capture";
    settings.device = &device;
    run.start({"1. One"}, settings);
    ASSERT_TRUE(runUntil([&] { return finished.size() == 4; }, 15000));
    qunsetenv("LUDRO_ALSA_CAPTURE");
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
    const std::optional<WavData> one = readWav(dir.filePath("line/One.wav").toStdString());
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
    EXPECT_EQ(readWav(dir.filePath("fed.wav").toStdString())->frames() * 4 + 44, wav.size()) << "header sizes";
    const QByteArray fed = bytesOf(std::vector<int16_t>(feed.begin() + bufferValues, feed.end()));
    EXPECT_TRUE(wav.mid(44, fed.size()) == fed) << "the fed PCM exactly, from the second buffer";

    ASSERT_TRUE(recorder.start(dir.filePath("empty.wav")));
    ASSERT_TRUE(recorder.stop());
    EXPECT_TRUE(readWav(dir.filePath("empty.wav").toStdString())) << "a valid empty file";

    qputenv("LUDRO_ALSA_CAPTURE", "no_such_capture_device");
    EXPECT_FALSE(recorder.start(dir.filePath("none.wav")));
    EXPECT_EQ(recording::inputLines(), QStringList({"CD Digital Audio"})) << "no sound card: the virtual line";
    qunsetenv("LUDRO_ALSA_CAPTURE");
}

// Another program (a desktop mixer, a volume key) changes the recording
// volume: the recorder setup window's slider follows. The mixer is that of a
// PulseAudio server of the test's own, through ALSA's pulse plugin.
TEST(RecorderSetup, TheVolumeSliderFollowsMixerChangesMadeElsewhere)
{
    QTemporaryDir dir;
    const QString socket = dir.filePath("native");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"})
        env.insert(name, dir.path());
    env.insert("PULSE_SERVER", "unix:" + socket);
    QProcess server;
    server.setProcessEnvironment(env);
    server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                                "module-null-sink sink_name=ludro", "-L",
                                "module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    ASSERT_TRUE(server.waitForStarted()) << "pulseaudio is needed";
    const auto setVolume = [&](const char *percent) {
        QProcess pactl;
        pactl.setProcessEnvironment(env);
        pactl.start("pactl", {"set-source-volume", "ludro.monitor", percent});
        return pactl.waitForFinished() && pactl.exitCode() == 0;
    };
    ASSERT_TRUE(runUntil([&] { return setVolume("50%"); }, 10000)) << "the server answers";
    qputenv("PULSE_SERVER", env.value("PULSE_SERVER").toUtf8());
    qputenv("LUDRO_ALSA_CAPTURE", "ludro_pulse");
    useTestAlsaConfiguration();

    RecordingDialogs dialogs;
    QString destination;
    int input = 1;
    TASForm setup(dialogs, [] { return encoder::EncoderSetup{}; }, destination, input);
    setup.show();
    ASSERT_EQ(setup.InputSource->currentText(), "Capture");
    EXPECT_EQ(setup.VolumeScroll->value(), 50);
    ASSERT_TRUE(setVolume("70%"));
    EXPECT_TRUE(runUntil([&] { return setup.VolumeScroll->value() == 70; }, 5000)) << setup.VolumeScroll->value();

    qunsetenv("PULSE_SERVER");
    qunsetenv("LUDRO_ALSA_CAPTURE");
    server.terminate();
    server.waitForFinished();
}
