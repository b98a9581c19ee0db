// The `ludro-cd` companion run as users run it, on disc images.

#include "cd/disc_id.h"
#include "support/disc_image.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/lingering_encoder.h"
#include "support/ludro_cd_run.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <csignal>

#include <gtest/gtest.h>

TEST(CdTool, PrintsTheTableOfContentsAndTheDiscIdOrSaysWhyNot)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{4567, 440}, {151, 660, false, 31}, {80, 0, true}});

    const ToolRun toc = ludroCd({"--device", cue, "toc"});
    EXPECT_EQ(toc.status, 0) << toc.err.toStdString();
    EXPECT_EQ(toc.out, "01 00:02.00 01:01.23 audio\n"
                       "02 01:03.23 00:02.01 audio\n"
                       "03 01:05.24 00:01.05 data\n"
                       "leadout 01:06.29\n");

    const ToolRun id = ludroCd({"discid"}, {cue});
    EXPECT_EQ(id.status, 0);
    EXPECT_EQ(id.out, "16004003+3+150+4748+4899+66\n");

    const QString data = writeDiscImage(dir.path(), {{100, 0, true}}, "data");
    for (const auto &[device, why] : {std::pair{dir.filePath("none.cue"), "no disc"}, std::pair{data, "data disc"},
                                      std::pair{QString("/dev/no-such-cd-drive"), "cannot open"}}) {
        const ToolRun failed = ludroCd({"--device", device, "toc"});
        EXPECT_EQ(failed.status, 1) << device.toStdString();
        EXPECT_TRUE(failed.err.contains(why)) << failed.err.toStdString();
    }
    EXPECT_EQ(ludroCd({"--device", cue, "nothing"}).status, 2);
}

TEST(CdTool, LooksTheDiscUpAndWritesItsNamesFileAsThePlayerDoes)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{4567, 440}, {151, 660}});
    const QString id = ludroCd({"--device", cue, "discid"}).out.section('+', 0, 0);
    ludro::test::HttpTestServer http;
    http.answerBy([](const std::string &request) {
        return ludro::test::HttpTestServer::ok(
            request.find("cmd=cddb+query+") != std::string::npos
                ? "211 Found inexact matches, list follows (until terminating `.')\r\n"
                  "rock 0b0aaaaa Other / Disc\r\njazz 0b0bbbbb Artist / Title\r\n.\r\n"
                : "210 jazz 0b0bbbbb\r\n# xmcd\r\nDISCID=0b0bbbbb\r\nDTITLE=Artist / Title\r\n"
                  "TTITLE0=One\r\nTTITLE1=Two\r\n.\r\n",
            "text/plain");
    });
    const QString server = "127.0.0.1:" + QString::number(http.port());
    qputenv("LUDRO_HOME", dir.path().toUtf8());
    const ToolRun found = ludroCd({"--server", server, "--device", cue, "lookup", "--match", "2"});
    qunsetenv("LUDRO_HOME");

    EXPECT_EQ(found.status, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, "Artist / Title\nOne\nTwo\n");
    EXPECT_EQ(readFile(dir.filePath("tracks/" + id)), "Title\nArtist\nOne\nTwo\n");
}

// The encoder is a wrapper script whose real work is a process of its own.
TEST(CdTool, StoppedOrKilledItEndsTheEncoderAndWhatTheEncoderStarted)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{77, 440}});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", dir.filePath("bin") + ":" + env.value("PATH"));
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        const QString pidFile = dir.filePath(QStringLiteral("sleeper-%1").arg(signal));
        writeLingeringEncoder(dir.filePath("bin/lame"), pidFile);
        const QString dest = dir.filePath(QStringLiteral("stopped-%1").arg(signal));
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(LUDRO_PROGRAM_DIR "/ludro-cd", {"--device", cue, "rip", "--dest", dest, "--mp3"});
        const pid_t sleeper = sleeperOf(pidFile);
        ASSERT_GT(sleeper, 0) << "the encoder ran";
        ::kill(static_cast<pid_t>(run.processId()), signal);
        ASSERT_TRUE(run.waitForFinished(10000));
        EXPECT_TRUE(goesAway(sleeper)) << "signal " << signal;
        if (signal != SIGKILL) {
            EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(run.exitCode(), 1);
            EXPECT_TRUE(entries(dest).isEmpty()) << "no private folder left: " << entries(dest).join(' ').toStdString();
        }
        ::kill(sleeper, SIGKILL);
    }
}

// A small file system of its own, in user and mount namespaces of its own,
// so no root is needed where those are allowed.
TEST(CdTool, AFullDiskStopsTheRipWithTheSystemsReason)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{750, 440}});
    const QString small = dir.filePath("small");
    QDir().mkpath(small);
    QProcess run;
    run.start("unshare", {"--user", "--map-root-user", "--mount", "sh", "-c",
                          "mount -t tmpfs -o size=512k ludro \"$1\" || exit 77; d=$1; shift; \"$@\"; s=$?; "
                          "ls -A \"$d\"; exit $s",
                          "sh", small, LUDRO_PROGRAM_DIR "/ludro-cd", "--device", cue, "rip", "--dest", small});
    ASSERT_TRUE(run.waitForFinished(20000));
    const QString err = QString::fromUtf8(run.readAllStandardError());
    if (run.exitCode() == 77 || err.startsWith("unshare:"))
        GTEST_SKIP() << "no user and mount namespaces here: " << err.toStdString();
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_TRUE(err.contains("No space left on device")) << err.toStdString();
    EXPECT_EQ(run.readAllStandardOutput(), "") << "no partial file and no private folder";
}

// A rip copies each audio track's sectors exactly and never replaces a file.
// It makes one file of each audio track, whatever the names file holds: the
// placeholders a failed lookup leaves, too few names, names that would hide
// the file or say nothing. Data tracks are no audio. Lame makes MP3s of them.
TEST(CdTool, RipsEachAudioTrackBitExactlyWhateverTheNamesFileHolds)
{
    QTemporaryDir dir;
    const std::vector<ImageTrack> tracks{{75, 0, true}, {76, 440}, {151, 660, false, 31}, {78, 880}, {75, 0, true}};
    const QString cue = writeDiscImage(dir.path(), tracks);
    const QString id = ludroCd({"--device", cue, "discid"}).out.section('+', 0, 0);
    qputenv("LUDRO_HOME", dir.filePath("home").toUtf8());
    const auto rip = [&](const QByteArray &namesFile, const QString &dest, const QStringList &tracks = {}) {
        writeFile(dir.filePath("home/tracks/" + id), namesFile);
        return ludroCd(QStringList{"--device", cue, "rip", "--dest", dir.filePath(dest)} + tracks);
    };
    writeFile(dir.filePath("named/Two.wav"), "mine");
    const ToolRun named = rip("Title\nArtist\nData\n../x\nTwo\nThree\nData\nBeyond\n", "named");
    const ToolRun placeholders = rip("\n\nCD-Track\nCD-Track\nCD-Track\nCD-Track\nCD-Track\n", "placeholders");
    const ToolRun few = rip("Title\nArtist\nData\nOnly\n", "few");
    const ToolRun third = rip("Title\nArtist\nData\nOnly\n", "third", {"4"});
    const ToolRun odd = rip("T\nA\nData\n.hidden\n\n..\n", "odd");
    const ToolRun data = rip("T\nA\n", "data", {"1"});
    const ToolRun mp3 = rip("T\nA\n", "mp3", {"--mp3", "--mono", "--bitrate", "64", "2"});
    qunsetenv("LUDRO_HOME");

    EXPECT_EQ(named.status + placeholders.status + few.status + third.status + odd.status, 0);
    EXPECT_TRUE(named.err.contains("Two.wav existed: kept as Two (2).wav")) << named.err.toStdString();
    EXPECT_EQ(entries(dir.filePath("named")), QStringList({"Three.wav", "Two (2).wav", "Two.wav", "_x.wav"}));
    EXPECT_EQ(readFile(dir.filePath("named/Two.wav")), "mine");
    const QByteArray bin = readFile(dir.filePath("disc.bin"));
    // INDEX 01 of each audio track and the end, in sectors
    for (const auto &[name, start, end] : {std::tuple{"_x.wav", 75, 75 + 76 + 31}, std::tuple{"Two (2).wav", 182, 333},
                                           std::tuple{"Three.wav", 333, 411}})
        EXPECT_TRUE(readFile(dir.filePath("named/") + name).mid(44) == bin.mid(start * 2352, (end - start) * 2352))
            << name;
    EXPECT_EQ(entries(dir.filePath("placeholders")),
              QStringList({"02 CD-Track.wav", "03 CD-Track.wav", "04 CD-Track.wav"}));
    EXPECT_EQ(entries(dir.filePath("few")), QStringList({"Only.wav", "Track 03.wav", "Track 04.wav"}));
    EXPECT_EQ(entries(dir.filePath("third")), QStringList({"Track 04.wav"}));
    EXPECT_EQ(entries(dir.filePath("odd")), QStringList({"Track 03.wav", "Track 04.wav", "hidden.wav"}));
    EXPECT_EQ(data.status, 2);
    EXPECT_TRUE(data.err.contains("no audio track 1")) << data.err.toStdString();

    EXPECT_EQ(mp3.status, 0) << mp3.err.toStdString();
    const QString song = dir.filePath("mp3/" + entries(dir.filePath("mp3")).value(0));
    const std::optional<WavData> decoded = decodeWithMpg123(song.toStdString(), dir.filePath("d.wav").toStdString());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->channels, 1);
    EXPECT_NEAR(static_cast<double>(decoded->frames()), (76 + 31) * 588, 2 * 1152);  // with the pregap after it
}
