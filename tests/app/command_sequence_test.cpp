// Thousands of random commands from outside, as scripts and plug-ins send
// them, against an empty, a one-entry and a broken playlist: the player
// stays alive and answers, and a signal ends it cleanly with whole settings
// and playlist files.

#include "core/hand_over.h"
#include "platform/command_channel.h"
#include "platform/profile_file.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/player_process.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <random>

#include <sys/stat.h>

namespace {

struct Sequence {
    const char *name;
    QByteArray playlist;  // "song" stands for a real song's path
};

void PrintTo(const Sequence &sequence, std::ostream *out)
{
    *out << sequence.name;
}

class CommandSequence : public testing::TestWithParam<Sequence> {
protected:
    void SetUp() override
    {
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        QFile::copy(QString::fromStdString(fixture("l2-22k-stereo.mp2")), home.filePath("song.mp2"));
        mkfifo(QFile::encodeName(home.filePath("pipe.mp3")).constData(), 0600);
        writeFile(home.filePath("list.m3u"),
                  QByteArray(GetParam().playlist).replace("song", home.filePath("song.mp2").toUtf8()));
    }

    QTemporaryDir home;
    QProcessEnvironment environment = playerEnvironment(home);
};

}  // namespace

TEST_P(CommandSequence, ThePlayerSurvivesAndEndsWithWholeFiles)
{
    const unsigned seed = qEnvironmentVariableIsSet("LUDRO_TEST_SEED")
                              ? static_cast<unsigned>(qEnvironmentVariableIntValue("LUDRO_TEST_SEED"))
                              : std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed << " (LUDRO_TEST_SEED=" << seed << " repeats it)");
    std::mt19937 random(seed);

    QProcess player;
    player.setProcessEnvironment(environment);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(programDir + "/ludro", {home.filePath("list.m3u")});
    ASSERT_TRUE(playerListening(environment));

    const std::vector<std::intptr_t> arguments = {
        INT_MIN, -2, -1, 0, 1, 2, 3, 5, 100, 101, 150, INT_MAX, std::intptr_t{1} << 40};
    const std::vector<QString> handedOver = {home.filePath("song.mp2"), home.filePath("missing.m3u"),
                                             home.filePath("pipe.mp3"), home.path()};
    for (int i = 0; i < 700; ++i) {
        const std::uintptr_t command = 40001 + random() % 199;
        const std::intptr_t argument = arguments[random() % arguments.size()];
        std::vector<platform::WindowMessage> messages{{273, command, argument}};
        if (random() % 25 == 0)
            messages = handOverMessages(handedOver[random() % handedOver.size()]);
        ASSERT_EQ(platform::sendToRunningPlayer(messages), platform::Delivery::Delivered) << "message " << i;
        // Now and then a command waits for Timer2 to take it.
        if (random() % 8 == 0)
            QThread::msleep(260);
        if (i % 100 == 99) {
            ASSERT_EQ(runLudroctl(environment, {"volume", QString::number(random() % 101)}), 0) << "message " << i;
        }
    }
    ASSERT_EQ(runLudroctl(environment, {"40199"}), 0) << "still answering";
    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    ASSERT_TRUE(player.waitForFinished(15000));
    EXPECT_TRUE(player.exitStatus() == QProcess::NormalExit && player.exitCode() == 0);

    const QByteArray settings = readFile(home.filePath("LudroPro.ini"));
    EXPECT_TRUE(settings.startsWith("[Ludro]\n"));
    EXPECT_TRUE(settings.trimmed().split('\n').last().startsWith("WindowSize=") && settings.endsWith('\n'))
        << "the settings file is whole";
    const int volume = platform::ProfileFile::load(home.filePath("LudroPro.ini")).readInteger("Ludro", "Volume", -1);
    EXPECT_TRUE(volume >= 0 && volume <= 100) << volume;

    const QByteArray list = readFile(home.filePath("Ludro.m3u"));
    EXPECT_TRUE(list.isEmpty() || list.endsWith('\n'));
    for (const QByteArray &line : list.split('\n'))
        EXPECT_TRUE(line.isEmpty() || line.startsWith('/') || line.startsWith("http") || line.startsWith("#EXT"))
            << line.toStdString();
    EXPECT_EQ(QDir(home.path()).entryList({".ludro-*"}, QDir::Files | QDir::Hidden), QStringList())
        << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Playlists, CommandSequence,
                         testing::Values(Sequence{"Empty", ""}, Sequence{"OneEntry", "song\n"},
                                         Sequence{"Broken",
                                                  "#EXTM3U\n#EXTINF:-1\nmissing.mp3\npipe.mp3\n.\n\xff\xfe garbage\n"
                                                  "http://127.0.0.1:9/nothing\nsong\n[playlist]\nFile1=\n"}),
                         [](const testing::TestParamInfo<Sequence> &info) { return std::string(info.param.name); });
