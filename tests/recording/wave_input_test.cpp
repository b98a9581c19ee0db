// The wave input through ALSA configurations of the test's own: the test's
// HOME holds an .asoundrc whose "ludro_feed" device captures the file
// LUDRO_TEST_FEED names (then silence), and "null" captures silence; its
// mixer "ludro_pulse" is the one of a PulseAudio server the test starts.

#include "recording/mixer_lines.h"
#include "recording/wave_recorder.h"
#include "support/files.h"
#include "support/recording_dialogs.h"
#include "support/run_until.h"
#include "support/wav_file.h"

#include "recording/as_form.h"

#include <QComboBox>
#include <QProcess>
#include <QSlider>
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
    EXPECT_EQ(readWav(dir.filePath("fed.wav").toStdString())->frames() * 4 + 44, wav.size()) << "header sizes";
    const QByteArray fed = bytesOf(std::vector<int16_t>(feed.begin() + bufferValues, feed.end()));
    EXPECT_TRUE(wav.mid(44, fed.size()) == fed) << "the fed PCM exactly, from the second buffer";

    ASSERT_TRUE(recorder.start(dir.filePath("empty.wav")));
    ASSERT_TRUE(recorder.stop());
    EXPECT_TRUE(readWav(dir.filePath("empty.wav").toStdString())) << "a valid empty file";

    qputenv("LUDRO_ALSA_CAPTURE", "no_such_capture_device");
    EXPECT_FALSE(recorder.start(dir.filePath("none.wav")));
    EXPECT_EQ(recording::inputLines(), QStringList({"CD Digital Audio"})) << "no sound card: the virtual line";
    int percent = 0;
    QString error;
    EXPECT_FALSE(recording::captureVolume("Capture", percent, error));
    EXPECT_FALSE(recording::setCaptureVolume("Capture", 50, error));
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
