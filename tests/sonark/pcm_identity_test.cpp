// What the engine writes to a WAV file is, sample for sample, what the
// mpg123 program decodes from the same song.

#include "support/engine_session.h"
#include "support/files.h"
#include "support/wav_file.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

namespace {

void expectSameAudio(const std::string &wav, const std::string &song, const QTemporaryDir &dir)
{
    const auto ours = readWav(wav);
    const auto reference = decodeWithMpg123(song, dir.filePath("mpg123.wav").toStdString());
    ASSERT_TRUE(ours && reference) << song;
    EXPECT_EQ(ours->rate, reference->rate) << song;
    EXPECT_EQ(ours->channels, reference->channels) << song;
    EXPECT_TRUE(ours->samples == reference->samples) << song;
}

}  // namespace

TEST(PcmIdentity, EngineMatchesMpg123)
{
    for (const char *name :
         {"l3-44k-stereo-cbr.mp3", "l3-44k-stereo-vbr.mp3", "l3-32k-mono-cbr.mp3", "l3-22k-stereo-cbr.mp3",
          "l3-22k-mono-vbr.mp3", "l2-44k-stereo.mp2", "l2-32k-mono.mp2", "l2-22k-stereo.mp2"}) {
        QTemporaryDir dir;
        const std::string ours = dir.filePath("engine.wav").toStdString();
        EngineSession s;
        s.setOutput("wav:" + ours);
        ASSERT_TRUE(s.playToEnd(fixture(name))) << name;
        expectSameAudio(ours, fixture(name), dir);
    }
}

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
    expectSameAudio(out.toStdString(), song.toStdString(), dir);
    EXPECT_EQ(convert(out, dir.filePath("missing.mp3")), 1);

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
    EXPECT_TRUE(readFile(copy) == readFile(song));
}
