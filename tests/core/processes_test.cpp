// The real program as separate processes: one player per user and where its
// lock lives, the hand-over from a second start, a crashed player not
// blocking the next, ludroctl, and the settings file surviving a kill while
// it is written.

#include "platform/profile_file.h"
#include "support/engine_session.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString programDir = QStringLiteral(LUDRO_PROGRAM_DIR);

class Processes : public testing::Test {
protected:
    void SetUp() override
    {
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LUDRO_HOME", home.path() + '/');
        environment.insert("XDG_RUNTIME_DIR", home.path());
        environment.insert("LUDRO_ALSA_DEVICE", "null");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        QFile::copy(QString::fromStdString(fixture("l3-44k-joint-long.mp3")), home.filePath("first.mp3"));
        QFile::copy(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")), home.filePath("second.mp3"));
    }

    void TearDown() override
    {
        for (QProcess *p : started)
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        qDeleteAll(started);
    }

    QProcess *start(const QString &program, const QStringList &args, const QProcessEnvironment &env)
    {
        auto *p = new QProcess;
        p->setProcessEnvironment(env);
        p->start(programDir + '/' + program, args);
        started.push_back(p);
        EXPECT_TRUE(p->waitForStarted(5000));
        return p;
    }
    QProcess *start(const QString &program, const QStringList &args) { return start(program, args, environment); }

    // Waits until the running player answers on its command socket; 40199
    // is a command that does nothing.
    bool playerListening()
    {
        for (int i = 0; i < 100; ++i) {
            QProcess ask;
            ask.setProcessEnvironment(environment);
            ask.start(programDir + "/ludroctl", {"40199"});
            ask.waitForFinished(5000);
            if (ask.exitCode() == 0)
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    void endGently(QProcess *p)
    {
        ::kill(static_cast<pid_t>(p->processId()), SIGTERM);
        EXPECT_TRUE(p->waitForFinished(10000));
    }

    QString readText(const QString &name)
    {
        QFile f(home.filePath(name));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }

    QTemporaryDir home;
    QProcessEnvironment environment;
    std::vector<QProcess *> started;
};

}  // namespace

TEST_F(Processes, ASecondStartHandsItsFileToTheRunningPlayer)
{
    QProcess *first = start("ludro", {home.filePath("first.mp3")});
    ASSERT_TRUE(playerListening());
    QProcess *second = start("ludro", {home.filePath("second.mp3")});
    ASSERT_TRUE(second->waitForFinished(10000)) << "the second instance ends at once";
    EXPECT_EQ(second->exitCode(), 0);

    QProcess *volume = start("ludroctl", {"volume", "30"});
    ASSERT_TRUE(volume->waitForFinished(5000));
    EXPECT_EQ(volume->exitCode(), 0);
    QThread::msleep(3000);  // Timer1 plays the handed-over file; Timer2 takes the command
    endGently(first);

    const QString playlist = readText("Ludro.m3u");
    EXPECT_TRUE(playlist.contains("second.mp3")) << playlist.toStdString();
    const platform::ProfileFile settings = platform::ProfileFile::load(home.filePath("LudroPro.ini"));
    EXPECT_EQ(settings.readInteger("Ludro", "SongPlaying", -1), 1) << "the handed-over song played";
    EXPECT_EQ(settings.readInteger("Ludro", "Volume", -1), 30);
}

TEST_F(Processes, ACrashedPlayerDoesNotBlockTheNextAndMultiInstAllowsTwo)
{
    QProcess *crashed = start("ludro", {});
    ASSERT_TRUE(playerListening());
    crashed->kill();
    crashed->waitForFinished(5000);

    QProcess *next = start("ludro", {});
    EXPECT_FALSE(next->waitForFinished(1500)) << "a new player starts after a crash";
    ASSERT_TRUE(playerListening());

    QFile ini(home.filePath("LudroPro.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Ludro]\nMultiInst=1\n");
    ini.close();
    QProcess *another = start("ludro", {"/noSave"});
    EXPECT_FALSE(another->waitForFinished(1500)) << "with MultiInst a second player runs too";
    endGently(another);
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
        ASSERT_TRUE(player->waitForFinished(10000)) << what;
        EXPECT_NE(player->exitCode(), 0) << what;
        EXPECT_FALSE(player->readAllStandardError().isEmpty()) << what;
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
    QDir(home.path()).rmdir(lockName);

    QProcess *player = start("ludro", {});
    ASSERT_TRUE(playerListening());
    struct stat made {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &made), 0);
    EXPECT_TRUE(S_ISDIR(made.st_mode));
    EXPECT_EQ(made.st_mode & 0777, 0700u);
    endGently(player);
}

TEST_F(Processes, LudroctlSaysWhenNoPlayerRuns)
{
    QProcess *ctl = start("ludroctl", {"play"});
    ASSERT_TRUE(ctl->waitForFinished(5000));
    EXPECT_EQ(ctl->exitCode(), 1);
    EXPECT_TRUE(ctl->readAllStandardError().contains("no Ludro Pro player is running"));
    QProcess *bad = start("ludroctl", {"dance"});
    ASSERT_TRUE(bad->waitForFinished(5000));
    EXPECT_EQ(bad->exitCode(), 2);
}

TEST_F(Processes, NoSaveLeavesTheSettingsFileByteForByte)
{
    const QByteArray original = "[Ludro]\r\nVolume=0x40\r\nRepeat=yes\r\ngarbage line\r\n=\r\n[Other]\r\nKeep=me\r\n";
    QFile ini(home.filePath("LudroPro.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(original);
    ini.close();
    QProcess *player = start("ludro", {"/NOSAVE"});
    ASSERT_TRUE(playerListening());
    endGently(player);
    ini.open(QIODevice::ReadOnly);
    EXPECT_EQ(ini.readAll(), original);
    ini.close();

    QProcess *saving = start("ludro", {});
    ASSERT_TRUE(playerListening());
    endGently(saving);
    const platform::ProfileFile written = platform::ProfileFile::load(ini.fileName());
    EXPECT_EQ(written.readInteger("Ludro", "Volume", 0), 64);
    EXPECT_TRUE(written.readBool("Ludro", "Repeat", false));
    EXPECT_EQ(written.readString("Other", "Keep", ""), "me") << "what this version does not know survives";
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
