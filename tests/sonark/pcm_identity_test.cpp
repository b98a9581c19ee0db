// What the engine writes to a WAV file is, sample for sample, what the
// mpg123 program decodes from the same song.

#include "support/engine_session.h"
#include "support/wav_file.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace {

class PcmIdentity : public testing::TestWithParam<const char *> {};

void expectSameAudio(const WavData &ours, const WavData &reference)
{
    EXPECT_EQ(ours.rate, reference.rate);
    EXPECT_EQ(ours.channels, reference.channels);
    ASSERT_EQ(ours.samples.size(), reference.samples.size());
    for (std::size_t i = 0; i < ours.samples.size(); ++i)
        ASSERT_EQ(ours.samples[i], reference.samples[i]) << "sample " << i;
}

}  // namespace

TEST_P(PcmIdentity, EngineMatchesMpg123)
{
    QTemporaryDir dir;
    const std::string song = fixture(GetParam());
    const std::string ours = dir.filePath("engine.wav").toStdString();
    EngineSession s;
    s.setOutput("wav:" + ours);
    ASSERT_TRUE(s.playToEnd(song));

    const auto reference = decodeWithMpg123(song, dir.filePath("mpg123.wav").toStdString());
    ASSERT_TRUE(reference.has_value());
    const auto decoded = readWav(ours);
    ASSERT_TRUE(decoded.has_value());
    expectSameAudio(*decoded, *reference);
}

INSTANTIATE_TEST_SUITE_P(Songs, PcmIdentity,
                         testing::Values("l3-44k-stereo-cbr.mp3", "l3-44k-stereo-vbr.mp3", "l3-32k-mono-cbr.mp3",
                                         "l3-22k-stereo-cbr.mp3", "l3-22k-mono-vbr.mp3", "l2-44k-stereo.mp2",
                                         "l2-32k-mono.mp2", "l2-22k-stereo.mp2"),
                         [](const testing::TestParamInfo<const char *> &info) {
                             std::string name = info.param;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// The command-line player converts as well, and its exit status tells: a
// song that cannot be read or a WAV file that cannot be written fails, and
// the output never overwrites the song it comes from.
TEST(CommandLinePlayer, ConvertsToWavAndReportsFailure)
{
    QTemporaryDir dir;
    const QString song = QString::fromStdString(fixture("l3-44k-stereo-vbr.mp3"));
    const QString out = dir.filePath("out.wav");
    QProcess play;
    auto convert = [&](const QString &output, const QString &input, qint64 sizeLimit = RLIM_INFINITY) {
        play.setChildProcessModifier([sizeLimit] {
            const rlimit limit{static_cast<rlim_t>(sizeLimit), static_cast<rlim_t>(sizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails as on a full disk
        });
        play.start(LUDRO_PROGRAM_DIR "/sonark-play", {"--output", "wav:" + output, input});
        EXPECT_TRUE(play.waitForFinished(60000));
        return play.exitCode();
    };
    ASSERT_EQ(convert(out, song), 0);
    const QString lines = QString::fromUtf8(play.readAllStandardOutput());
    EXPECT_TRUE(lines.contains("69 PlayerState state=3"));
    EXPECT_TRUE(lines.endsWith("68 Exited value=0\n"));
    const auto reference = decodeWithMpg123(song.toStdString(), dir.filePath("ref.wav").toStdString());
    const auto decoded = readWav(out.toStdString());
    ASSERT_TRUE(reference && decoded);
    expectSameAudio(*decoded, *reference);

    EXPECT_EQ(convert(out, dir.filePath("missing.mp3")), 1);
    EXPECT_TRUE(QString::fromUtf8(play.readAllStandardOutput()).contains("66 Nack command=7"));

    // A missing folder, and a disk that fills up with the last bytes.
    const qint64 wavSize = QFileInfo(out).size();
    for (auto [output, limit] : {std::pair{dir.filePath("none/out.wav"), wavSize}, {out, wavSize - 1}}) {
        EXPECT_NE(convert(output, song, limit), 0) << output.toStdString() << " " << limit;
        EXPECT_FALSE(play.readAllStandardError().isEmpty());
        EXPECT_FALSE(QFile::exists(output)) << output.toStdString();
    }

    // The song itself, by another name: refused before it is touched.
    const QString copy = dir.filePath("song.mp3");
    ASSERT_TRUE(QFile::copy(song, copy));
    EXPECT_NE(convert(dir.path() + "/./song.mp3", copy), 0);
    EXPECT_TRUE(play.readAllStandardError().contains("song.mp3"));
    QFile original(song), kept(copy);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll() == original.readAll());
}
