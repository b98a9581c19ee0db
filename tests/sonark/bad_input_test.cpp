// Bad input ends in a refusal or an error, never a crash or a hang, and the
// player stays usable for the next song.

#include "support/engine_session.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>

namespace {

std::string write(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    return writeFile(dir.filePath(name), bytes).toStdString();
}

// After the bad input, a good song must still play to its end.
void expectStillUsable(EngineSession &s)
{
    EXPECT_TRUE(s.playToEnd(fixture("l2-22k-stereo.mp2"))) << "the player is stuck";
}

}  // namespace

class BadInput : public testing::Test {
protected:
    void SetUp() override { session.setOutput("wav:" + dir.filePath("out.wav").toStdString()); }

    // Opens and plays the input; true when it was refused (nack + error).
    bool refused(const std::string &path)
    {
        const std::size_t since = session.mark();
        session.open(path);
        session.send(SK_PLAY);
        session.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF);
        const Event *nack = session.find(SK_NOTIFY_NACK, since);
        if (!nack)
            return false;
        EXPECT_EQ(nack->message.data.ack.command, SK_INPUT_OPEN);
        const Event *error = session.find(SK_NOTIFY_ERROR, since);
        EXPECT_NE(error, nullptr);
        if (error) {
            EXPECT_EQ(error->message.data.error.source, SK_SOURCE_INPUT);
            EXPECT_NE(error->texts[0].find(path), std::string::npos) << error->texts[0];
        }
        // Play on it is refused with "end of input", so a playlist moves on.
        EXPECT_NE(session.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF), nullptr);
        return true;
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
    EXPECT_TRUE(refused(write(dir, "empty.mp3", {})));
    EXPECT_TRUE(refused(write(dir, "text.mp3", QByteArray("This is not a song at all.\n").repeated(200))));
    EXPECT_FALSE(QFile::exists(dir.filePath("out.wav"))) << "nothing was decoded, so no WAV file";
    expectStillUsable(session);
}

TEST_F(BadInput, RandomBytesNeverHangThePlayer)
{
    for (unsigned seed = 1; seed <= 3; ++seed) {
        std::mt19937 random(seed);
        QByteArray bytes(64 * 1024, 0);
        for (char &b : bytes)
            b = static_cast<char>(random());
        const std::string path = write(dir, "random.mp3", bytes);
        const std::size_t since = session.mark();
        session.open(path);
        session.send(SK_PLAY);
        ASSERT_TRUE(session.waitFor([&] {
            return session.find(SK_NOTIFY_NACK, since) || session.find(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF);
        })) << "seed "
            << seed;
    }
    expectStillUsable(session);
}

TEST_F(BadInput, TruncatedAndDamagedSongsPlayWhatTheyHave)
{
    const QByteArray song = readFile(QString::fromStdString(fixture("l3-44k-joint-long.mp3")));
    ASSERT_GT(song.size(), 100000);

    const std::size_t since = session.mark();
    ASSERT_TRUE(session.playToEnd(write(dir, "half.mp3", song.left(song.size() / 2 + 77))));
    const int duration = session.find(SK_NOTIFY_INPUT_DURATION, since)->message.data.value;
    EXPECT_GE(duration, 14);
    EXPECT_LE(duration, 16);

    QByteArray damaged = song;
    std::mt19937 random(7);
    for (int i = 20000; i < 60000; ++i)
        damaged[i] = static_cast<char>(random());
    EXPECT_TRUE(session.playToEnd(write(dir, "damaged.mp3", damaged)));
    expectStillUsable(session);
}

TEST_F(BadInput, CommandsWithoutAnInputAreRefused)
{
    std::size_t since = session.mark();
    session.send(SK_PLAY);
    ASSERT_NE(session.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_STOPPED), nullptr);
    EXPECT_EQ(session.find(SK_NOTIFY_NACK, since)->message.data.ack.command, SK_PLAY);

    since = session.mark();
    control_message_send_II(session.player(), SK_INPUT_SEEK, 1, 2);
    session.send(SK_PAUSE);
    session.send(SK_STOP);
    session.send(SK_INPUT_CLOSE);
    const Event *nack = session.waitForEvent(SK_NOTIFY_NACK, since);
    ASSERT_NE(nack, nullptr);
    EXPECT_EQ(nack->message.data.ack.command, SK_INPUT_SEEK);
    EXPECT_EQ(nack->message.data.ack.code, SK_ERROR_NO_INPUT);
    expectStillUsable(session);
}

// A WAV file that cannot be written is reported, and nothing claims success.
TEST(BadOutput, UnwritableWavFileIsReportedAsFailure)
{
    EngineSession s;
    s.setOutput("wav:/nonexistent-folder/out.wav");
    const std::size_t since = s.mark();
    s.open(fixture("l2-32k-mono.mp2"));
    s.send(SK_PLAY);
    const Event *error = s.waitForEvent(SK_NOTIFY_ERROR, since);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message.data.error.source, SK_SOURCE_OUTPUT);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_STOPPED), nullptr);
    EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF), nullptr);
}
