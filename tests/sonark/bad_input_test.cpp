// Bad input ends in a refusal or an error, never a crash or a hang, and the
// player stays usable for the next song.

#include "support/engine_session.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>

class BadInput : public testing::Test {
protected:
    void SetUp() override { session.setOutput("wav:" + dir.filePath("out.wav").toStdString()); }
    void TearDown() override
    {
        EXPECT_TRUE(session.playToEnd(fixture("l2-22k-stereo.mp2"))) << "after the bad input, the player is stuck";
    }

    std::string write(const char *name, const QByteArray &bytes)
    {
        return writeFile(dir.filePath(name), bytes).toStdString();
    }

    // Opens and plays the input; true when it was refused with an error naming it.
    bool refused(const std::string &path)
    {
        const std::size_t since = session.mark();
        session.open(path);
        session.send(SK_PLAY);
        // Play on it is refused with "end of input", so a playlist moves on.
        EXPECT_NE(session.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF), nullptr);
        const Event *error = session.find(SK_NOTIFY_ERROR, since);
        return session.find(SK_NOTIFY_NACK, since) && error && error->message.data.error.source == SK_SOURCE_INPUT &&
               error->texts[0].find(path) != std::string::npos;
    }

    QTemporaryDir dir;
    EngineSession session;
};

TEST_F(BadInput, MissingFileFolderPipeAndEmptyFileAreRefused)
{
    EXPECT_TRUE(refused(dir.filePath("no such song.mp3").toStdString()));
    EXPECT_TRUE(refused(dir.path().toStdString()));
    // Opening a named pipe without a writer would block for good.
    const std::string pipe = dir.filePath("pipe.mp3").toStdString();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(refused(pipe));
    EXPECT_TRUE(refused(write("empty.mp3", {})));
    EXPECT_TRUE(refused(write("text.mp3", QByteArray("This is not a song at all.\n").repeated(200))));
    EXPECT_FALSE(QFile::exists(dir.filePath("out.wav"))) << "nothing was decoded, so no WAV file";
}

TEST_F(BadInput, TruncatedAndDamagedSongsPlayWhatTheyHave)
{
    const QByteArray song = readFile(QString::fromStdString(fixture("l3-44k-joint-long.mp3")));
    const std::size_t since = session.mark();
    ASSERT_TRUE(session.playToEnd(write("half.mp3", song.left(song.size() / 2 + 77))));
    EXPECT_NEAR(session.find(SK_NOTIFY_INPUT_DURATION, since)->message.data.value, 15, 1);

    QByteArray damaged = song;
    std::mt19937 random(7);
    for (int i = 20000; i < 60000; ++i)
        damaged[i] = static_cast<char>(random());
    EXPECT_TRUE(session.playToEnd(write("damaged.mp3", damaged)));
}

// A WAV file that cannot be written is reported, and nothing claims success.
TEST(BadOutput, UnwritableWavFileIsReportedAsFailure)
{
    EngineSession s;
    s.setOutput("wav:/nonexistent-folder/out.wav");
    s.open(fixture("l2-32k-mono.mp2"));
    s.send(SK_PLAY);
    const Event *error = s.waitForEvent(SK_NOTIFY_ERROR);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message.data.error.source, SK_SOURCE_OUTPUT);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_STOPPED), nullptr);
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);
}
