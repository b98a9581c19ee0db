// The real program as separate processes: one player per user and where its
// lock lives, hand-overs from starts at the same instant, a frozen or
// crashed player, MultiInst, ludroctl, the play-through without a display,
// the settings file surviving a kill while it is written, and thousands of
// random commands from outside, as scripts and plug-ins send them, against
// an empty, a one-entry and a broken playlist: the player stays alive and
// answers, and a signal ends it cleanly with whole settings and playlist
// files.

#include "core/hand_over.h"
#include "platform/command_channel.h"
#include "platform/profile_file.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/player_process.h"
#include "support/run_until.h"

#include <QFileInfo>
#include <QImage>
#include <QLocalSocket>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <list>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class Processes : public testing::Test {
protected:
    Processes()
    {
        QFile::copy(QString::fromStdString(fixture("l3-44k-joint-long.mp3")), home.filePath("first.mp3"));
        QFile::copy(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")), home.filePath("second.mp3"));
    }

    // A process of ours, killed at the end of the test if it still runs.
    QProcess *start(const QString &program, const QStringList &args, const QProcessEnvironment &env = {})
    {
        QProcess &p = started.emplace_back();
        p.setProcessEnvironment(env.isEmpty() ? environment : env);
        p.start(programDir + '/' + program, args);
        EXPECT_TRUE(p.waitForStarted(5000));
        return &p;
    }
    bool playerListening() { return ::playerListening(environment); }
    // Whether the player holds `file` open, as it does while playing it.
    static bool holdsOpen(const QProcess *p, const QString &file)
    {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(p->processId()));
        const QFileInfoList links = fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        return std::any_of(links.begin(), links.end(), [&](const QFileInfo &fd) { return fd.symLinkTarget() == file; });
    }
    int ludroctl(const QStringList &args) { return runLudroctl(environment, args); }
    void endGently(QProcess *p)
    {
        ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
        EXPECT_TRUE(p->waitForFinished(10000));
    }
    void write(const QString &name, const QByteArray &text) { writeFile(home.filePath(name), text); }

    QTemporaryDir home;
    QProcessEnvironment environment = playerEnvironment(home);
    std::list<QProcess> started;
};

struct Sequence {
    const char *name;
    QByteArray playlist;  // "song" stands for a real song's path
};

void PrintTo(const Sequence &sequence, std::ostream *out)
{
    *out << sequence.name;
}

class CommandSequence : public Processes, public testing::WithParamInterface<Sequence> {
protected:
    void SetUp() override
    {
        qputenv("XDG_RUNTIME_DIR", home.path().toUtf8());
        QFile::copy(QString::fromStdString(fixture("l2-22k-stereo.mp2")), home.filePath("song.mp2"));
        mkfifo(QFile::encodeName(home.filePath("pipe.mp3")).constData(), 0600);
        write("list.m3u", QByteArray(GetParam().playlist).replace("song", home.filePath("song.mp2").toUtf8()));
    }
};

}  // namespace

// A file manager opening several files starts one player per file at the
// same instant: one plays, the others hand their files over, none is lost.
TEST_F(Processes, StartsAtTheSameInstantHandEveryFileOverOnce)
{
    write("LudroPro.ini", "[Ludro]\nSortList=0\n");  // the list in the order the files arrive
    for (int round = 0; round < 3; ++round) {
        QFile::remove(home.filePath("Ludro.m3u"));
        std::vector<QProcess *> running;
        for (int i = 0; i < 4; ++i) {
            const QString file = home.filePath(QStringLiteral("song-%1-%2.mp3").arg(round).arg(i));
            QFile::copy(home.filePath("first.mp3"), file);
            running.push_back(start("ludro", {file}));
        }
        runUntil([&] {
            std::erase_if(running, [](QProcess *p) { return p->state() == QProcess::NotRunning && p->exitCode() == 0; });
            return running.size() <= 1;
        }, 30000);
        ASSERT_EQ(running.size(), 1u) << "one player keeps running, round " << round;
        // Each hand-over stops the player's own song; Timer1 plays the last one handed over.
        const QString own = running[0]->arguments().first();
        EXPECT_TRUE(runUntil([&] {
            const QDir songs(home.path(), QStringLiteral("song-%1-*.mp3").arg(round));
            const QStringList names = songs.entryList();
            return !holdsOpen(running[0], own) && std::any_of(names.begin(), names.end(), [&](const QString &name) {
                return holdsOpen(running[0], songs.filePath(name));
            });
        }));
        endGently(running[0]);

        const QString playlist = QString::fromUtf8(readFile(home.filePath("Ludro.m3u")));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(playlist.count(QStringLiteral("song-%1-%2.mp3").arg(round).arg(i)), 1) << playlist.toStdString();
    }
    const platform::ProfileFile settings = platform::ProfileFile::load(home.filePath("LudroPro.ini"));
    EXPECT_EQ(settings.readInteger("Ludro", "SongPlaying", -1), 3) << "the last handed-over song played";
    EXPECT_TRUE(settings.readBool("Ludro", "PLVis", false) && settings.readBool("Ludro", "EQVis", false))
        << "a signal keeps the open windows for the next start";
}

// ludroctl says when no player runs; a frozen player is reported and a
// crashed one does not block the next, which takes a hand-over of any
// length, cuts off a line that never ends, and alone listens when MultiInst
// lets a second copy run.
TEST_F(Processes, AFrozenOrCrashedPlayerAndLudroctlsHandOversOfAnyLength)
{
    EXPECT_EQ(ludroctl({"play"}), 1) << "no player is running";
    EXPECT_EQ(ludroctl({"dance"}), 2);
    QProcess *frozen = start("ludro", {});
    ASSERT_TRUE(playerListening());
    ::kill(static_cast<pid_t>(frozen->processId()), SIGSTOP);
    QProcess *second = start("ludro", {home.filePath("second.mp3")});
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_NE(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardError().contains("could not reach")) << "a file that did not arrive is reported";

    frozen->kill();
    frozen->waitForFinished(5000);
    QProcess *player = start("ludro", {home.filePath("first.mp3")});
    ASSERT_TRUE(playerListening()) << "a new player starts after a crash";
    const QString longName = home.filePath(QString(40000, 'n') + ".mp3");
    EXPECT_EQ(ludroctl({"--handover", longName}), 0);

    QLocalSocket endless;
    endless.connectToServer(home.filePath(QStringLiteral("ludro-pro-%1.socket").arg(getuid())));
    ASSERT_TRUE(endless.waitForConnected(5000));
    endless.write(QByteArray(100000, '7'));
    EXPECT_TRUE(endless.waitForDisconnected(10000)) << "a line that never ends is cut off";

    // A second copy allowed by MultiInst runs without a listener, so
    // commands still reach the player that holds the lock. On a screen of
    // twice the density Qt shows it at twice the size, and no more.
    write("LudroPro.ini", "[Ludro]\nMultiInst=1\n");
    QProcessEnvironment env = environment;
    env.insert("LUDRO_SCREENSHOT", home.filePath("another.png") + ":1");
    env.insert("QT_SCALE_FACTOR", "2");
    QProcess *another = start("ludro", {"/noSave"}, env);
    ASSERT_TRUE(another->waitForReadyRead(20000)) << "with MultiInst a second player runs too";
    EXPECT_EQ(ludroctl({"--handover", home.filePath("second.mp3")}), 0);
    EXPECT_TRUE(runUntil([&] { return holdsOpen(player, home.filePath("second.mp3")); }));
    EXPECT_FALSE(holdsOpen(another, home.filePath("second.mp3")));
    ASSERT_TRUE(runUntil([&] { return QFileInfo::exists(home.filePath("another.png")); }));
    EXPECT_EQ(QImage(home.filePath("another.png")).width(), 2 * 245) << "the built-in look, 245 pixels wide";
    endGently(another);
    endGently(player);
    EXPECT_TRUE(readFile(home.filePath("Ludro.m3u")).contains(QByteArray(40000, 'n') + ".mp3"));
}

// Without XDG_RUNTIME_DIR the lock and the socket live in a private folder
// of ours in the temporary folder; the player never runs unprotected.
TEST_F(Processes, ThePlayerRefusesAPlaceForItsLockThatIsNotPrivate)
{
    const QProcessEnvironment withRuntimeDir = environment;
    environment.remove("XDG_RUNTIME_DIR");
    environment.insert("TMPDIR", home.path());
    const QString folder = home.filePath(QStringLiteral("ludro-pro-%1").arg(getuid()));
    auto refused = [&](const char *what, const QProcessEnvironment &env) {
        QProcess *player = start("ludro", {}, env);
        EXPECT_TRUE(player->waitForFinished(10000) && player->exitCode() != 0) << what;
    };

    QDir(home.path()).mkdir("elsewhere");
    QFile::link(home.filePath("elsewhere"), folder);
    refused("a symbolic link", environment);
    QFile::remove(folder);
    QDir(home.path()).mkdir(folder);
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    refused("a folder others can enter", environment);
    QDir(home.path()).rmdir(folder);
    QFile(folder).open(QIODevice::WriteOnly);
    refused("a file", environment);
    QFile::remove(folder);
    const QString lockName = QStringLiteral("ludro-pro-%1.lock").arg(getuid());
    QDir(home.path()).mkdir(lockName);
    refused("a lock file that cannot be opened", withRuntimeDir);

    QProcess *player = start("ludro", {});
    ASSERT_TRUE(playerListening());
    const QFileInfo made(folder);
    EXPECT_TRUE(made.isDir() && !made.isSymLink());
    EXPECT_EQ(made.permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    endGently(player);
}

// LUDRO_PLAY_THROUGH: the list plays once and the program ends, whatever
// repeat and shuffle say, past a song that cannot be opened; /NOSAVE leaves
// the settings file byte for byte.
TEST_F(Processes, PlayThroughPlaysEachEntryOnceAndEnds)
{
    QFile::copy(QString::fromStdString(fixture("l2-44k-stereo.mp2")), home.filePath("third.mp2"));
    const QByteArray original = "[Ludro]\r\nRepeat=1\r\nRandom=1\r\nSortList=0\r\ngarbage line\r\n";
    write("LudroPro.ini", original);
    write("list.m3u", "second.mp3\nmissing.mp3\nthird.mp2\n");
    QProcessEnvironment env = environment;
    env.insert("LUDRO_PLAY_THROUGH", "1");
    QProcess *player = start("ludro", {home.filePath("list.m3u"), "/NOSAVE"}, env);
    ASSERT_TRUE(player->waitForFinished(60000));
    EXPECT_EQ(player->exitCode(), 0);
    const QString out = QString::fromUtf8(player->readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression("^Playing 1/3: second \\(0:0[345]\\)\nPlaying 3/3: third \\(0:0[345]\\)\n$")))
        << out.toStdString();
    EXPECT_TRUE(player->readAllStandardError().contains("Cannot play 2/3"));
    EXPECT_EQ(readFile(home.filePath("LudroPro.ini")), original);
}

// SIGTERM ends a player whose settings cannot be saved as promptly as any,
// saying so once on the error output.
TEST_F(Processes, AnUnsavableSettingsFileIsSaidOnceAtTheEnd)
{
    QDir(home.path()).mkdir("LudroPro.ini");
    QProcess *unsaved = start("ludro", {});
    ASSERT_TRUE(playerListening());
    endGently(unsaved);
    EXPECT_EQ(QString::fromUtf8(unsaved->readAllStandardError()).count("The settings cannot be saved"), 1);
}

// A player killed at any moment while writing leaves either the old or the
// new settings file, never a damaged one.
TEST(SettingsFile, AKillWhileWritingNeverDamagesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("LudroPro.ini");
    platform::ProfileFile big;
    for (int i = 0; i < 5000; ++i)
        big.writeString("Ludro", QStringLiteral("Key%1").arg(i), QString(40, 'x'));
    big.writeString("Ludro", "Last", "end");
    ASSERT_TRUE(big.save(path));
    for (int round = 0; round < 10; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            for (;;)
                big.save(path);
        }
        ::usleep(static_cast<useconds_t>(2000 + round * 1700));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        EXPECT_EQ(platform::ProfileFile::load(path).readString("Ludro", "Last", ""), "end") << "round " << round;
    }
}

TEST_P(CommandSequence, ThePlayerSurvivesAndEndsWithWholeFiles)
{
    const unsigned seed = qEnvironmentVariableIsSet("LUDRO_TEST_SEED")
                              ? static_cast<unsigned>(qEnvironmentVariableIntValue("LUDRO_TEST_SEED"))
                              : std::random_device{}();
    SCOPED_TRACE(testing::Message() << "seed " << seed << " (LUDRO_TEST_SEED=" << seed << " repeats it)");
    std::mt19937 random(seed);

    QProcess *player = start("ludro", {home.filePath("list.m3u")});
    ASSERT_TRUE(playerListening());

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
            ASSERT_EQ(ludroctl({"volume", QString::number(random() % 101)}), 0) << "message " << i;
        }
    }
    ASSERT_EQ(ludroctl({"40199"}), 0) << "still answering";
    endGently(player);
    EXPECT_TRUE(player->exitStatus() == QProcess::NormalExit && player->exitCode() == 0);

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
