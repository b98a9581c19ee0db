// The `ludro-cd` companion run as users run it, on disc images, and on images
// that are not what they claim: files that are no regular files, and images
// that lack the sectors their tracks ask for.

#include "support/disc_image.h"
#include "support/files.h"
#include "support/http_test_server.h"
#include "support/lingering_encoder.h"
#include "support/ludro_cd_run.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <csignal>

#include <sys/stat.h>

#include <gtest/gtest.h>

TEST(CdTool, PrintsTheTableOfContentsAndTheDiscIdOrSaysWhyNot)
{
    QTemporaryDir dir;
    const QString cue = writeDiscImage(dir.path(), {{4567, 440}, {151, 660, false, 31}, {80, 0, true}});

    EXPECT_EQ(ludroCd({"--device", cue, "toc"}).out,
              "01 00:02.00 01:01.23 audio\n02 01:03.23 00:02.01 audio\n03 01:05.24 00:01.05 data\nleadout 01:06.29\n");

    EXPECT_EQ(ludroCd({"discid"}, {cue}).out, "16004003+3+150+4748+4899+66\n");

    const ToolRun failed = ludroCd({"--device", writeDiscImage(dir.path(), {{100, 0, true}}, "data"), "toc"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.contains("data disc")) << failed.err.toStdString();
    EXPECT_EQ(ludroCd({"--device", cue, "nothing"}).status, 2);
}

// Of several matches the first, or the one asked for; those without a record say so.
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
            : request.find("cmd=cddb+read+rock+") != std::string::npos
                ? "401 No such CD entry in database.\r\n"
                : "210 jazz 0b0bbbbb\r\n# xmcd\r\nDISCID=0b0bbbbb\r\nDTITLE=Artist / Title\r\n"
                  "TTITLE0=One\r\nTTITLE1=Two\r\n.\r\n",
            "text/plain");
    });
    const QString server = "127.0.0.1:" + QString::number(http.port());
    qputenv("LUDRO_HOME", dir.path().toUtf8());
    const ToolRun first = ludroCd({"--server", server, "--device", cue, "lookup"});
    const ToolRun found = ludroCd({"--server", server, "--device", cue, "lookup", "--match", "2"});
    qunsetenv("LUDRO_HOME");

    EXPECT_EQ(first.status, 1);
    EXPECT_TRUE(first.err.contains("match 2: jazz 0b0bbbbb Artist / Title\n")) << first.err.toStdString();
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
            EXPECT_EQ(run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1, 1);
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
// the file or say nothing. Data tracks are no audio. Lame makes MP3s of them
// at the bit rate asked for.
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
    const ToolRun odd = rip("T\nA\nData\n.hidden\n\n..\n", "odd");
    const ToolRun data = rip("T\nA\n", "data", {"1"});
    const ToolRun mp3 = rip("T\nA\n", "mp3", {"--mp3", "--mono", "--bitrate", "64", "2"});
    qunsetenv("LUDRO_HOME");

    EXPECT_EQ(named.status + placeholders.status + few.status + odd.status, 0);
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
    EXPECT_EQ(entries(dir.filePath("odd")), QStringList({"Track 03.wav", "Track 04.wav", "hidden.wav"}));
    EXPECT_EQ(data.status, 2);
    EXPECT_TRUE(data.err.contains("no audio track 1")) << data.err.toStdString();

    EXPECT_EQ(mp3.status, 0) << mp3.err.toStdString();
    const QString song = dir.filePath("mp3/" + entries(dir.filePath("mp3")).value(0));
    const std::optional<WavData> decoded = decodeWithMpg123(song.toStdString(), dir.filePath("d.wav").toStdString());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->channels, 1);
    EXPECT_NEAR(static_cast<double>(decoded->frames()), (76 + 31) * 588, 2 * 1152);  // with the pregap after it
    EXPECT_NEAR(static_cast<double>(QFileInfo(song).size()), (76 + 31) / 75.0 * 64000 / 8, 3000) << "64 kbit/s";
}

namespace {

void makeFifo(const QString &path)
{
    QFile::remove(path);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

// A cue sheet of audio tracks at the given INDEX 01 times ("mm:ss:ff").
QString writeCue(const QString &path, const QString &data, const QStringList &starts)
{
    QString cue = "FILE \"" + data + "\" BINARY\n";
    for (int i = 0; i < starts.size(); ++i)
        cue += QString::asprintf("  TRACK %02d AUDIO\n    INDEX 01 ", i + 1) + starts[i] + '\n';
    return writeFile(path, cue.toUtf8());
}

}  // namespace

TEST(CdImage, AFileOfTheImageThatIsNoRegularFileIsRefusedAtOnce)
{
    QTemporaryDir dir;
    const struct {
        const char *what, *fifo, *device;  // no fifo: the .bin is linked to /dev/zero
    } cases[] = {
        {"the .cue", "disc.cue", "disc.cue"},         {"its .bin", "disc.bin", "disc.cue"},
        {"a .bin named", "disc.bin", "disc.bin"},     {"the .cue of a .bin", "disc.cue", "disc.bin"},
        {"the file a .toc names", "tones.raw", "disc.toc"}, {"a .bin linked to /dev/zero", nullptr, "disc.cue"},
    };
    int made = 0;
    for (const auto &c : cases) {
        const QString folder = dir.filePath(QString::number(++made));
        writeDiscImage(folder, {{75, 440}});
        writeFile(folder + "/disc.toc", "CD_DA\nTRACK AUDIO\nFILE \"tones.raw\" 0\n");
        if (c.fifo) {
            makeFifo(folder + '/' + c.fifo);
        } else {
            QFile::remove(folder + "/disc.bin");
            QFile::link("/dev/zero", folder + "/disc.bin");
        }
        for (const char *command : {"toc", "discid", "rip"}) {
            const ToolRun run = ludroCd({"--device", folder + '/' + c.device, command, "--dest", folder + "/out"},
                                        {.folder = folder, .limitMs = 5000});
            EXPECT_EQ(run.status, 1) << c.what << ", " << command;
            EXPECT_TRUE(run.err.contains("Not a regular file")) << c.what << ", " << command;
        }
        EXPECT_TRUE(entries(folder + "/out").isEmpty()) << c.what;
    }
}

TEST(CdImage, ATrackTheImageDoesNotHoldWholeIsNotDelivered)
{
    QTemporaryDir dir;
    // Cut in the middle of track 2: it lacks its second half, track 3 is empty.
    const QString cut = writeDiscImage(dir.filePath("cut"), {{300, 440}, {300, 660}, {300, 880}});
    QFile(dir.filePath("cut/disc.bin")).resize(450 * 2352 + 1000);
    // An INDEX 20 minutes past the end of a one-second image.
    writeFile(dir.filePath("far/disc.bin"), readFile(dir.filePath("cut/disc.bin")).left(75 * 2352));
    const QString far = writeCue(dir.filePath("far/disc.cue"), "disc.bin", {"00:00:00", "20:00:00"});
    // Two tracks at the same place: the first of them is empty.
    writeFile(dir.filePath("same/disc.bin"), readFile(dir.filePath("cut/disc.bin")).left(300 * 2352));
    const QString same = writeCue(dir.filePath("same/disc.cue"), "disc.bin", {"00:00:00", "00:02:00", "00:02:00"});
    // No sector at all.
    writeFile(dir.filePath("empty/disc.bin"));
    const QString empty = writeCue(dir.filePath("empty/disc.cue"), "disc.bin", {"00:00:00"});

    const struct {
        QString cue, dest;
        QStringList errors, delivered;
    } cases[] = {
        {cut, "cut/out", {"track 2: the image ends at 0:02", "track 3 holds no audio"}, {"AudioTrack1.wav"}},
        {far, "far/out", {"track 1: the image ends at 0:01", "track 2 holds no audio"}, {}},
        {same, "same/out", {"track 2 holds no audio"}, {"AudioTrack1.wav", "AudioTrack3.wav"}},
        {empty, "empty/out", {"track 1 holds no audio"}, {}},
    };
    for (const auto &c : cases) {
        const ToolRun run = ludroCd({"--device", c.cue, "rip", "--dest", dir.filePath(c.dest)});
        EXPECT_EQ(run.status, 1) << c.dest.toStdString() << ": not every track was written";
        for (const QString &error : c.errors)
            EXPECT_TRUE(run.err.contains(error)) << run.err.toStdString();
        EXPECT_EQ(entries(dir.filePath(c.dest)), c.delivered) << c.dest.toStdString();
    }
}

// Sheets libcdio's .toc reader crashes on (a division by zero, a write past
// its table of 99 tracks) or leaks over are no disc, with the reason.
TEST(CdImage, ATocLibcdioCannotReadSafelyIsNoDisc)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("disc.bin"), QByteArray(75 * 2352, '\x11'));
    QByteArray many = "CD_DA\n";
    for (int i = 0; i < 100; ++i)
        many += "TRACK AUDIO\nFILE \"disc.bin\" 0 00:00:01\n";
    const struct {
        const char *what;
        QByteArray toc, problem;
    } cases[] = {
        {"a data track of mode 2", "CD_DA\nTRACK MODE2\nFILE \"disc.bin\" 0\n", "track 1 has no mode"},
        {"a track without mode", "CD_DA\nTRACK AUDIO\nFILE \"disc.bin\" 0 00:00:10\nTRACK\nFILE \"disc.bin\" 0\n",
         "track 2 has no mode"},
        {"100 tracks", many, "more than 99 tracks"},
        {"a track longer than its file", "CD_DA\nTRACK AUDIO\nFILE \"disc.bin\" 0 00:05:00\n",
         "track 1: disc.bin holds less than its length"},
    };
    for (const auto &c : cases) {
        writeFile(dir.filePath("disc.toc"), c.toc);
        const ToolRun run = ludroCd({"--device", dir.filePath("disc.toc"), "toc"}, {.folder = dir.path()});
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_TRUE(run.err.contains(c.problem)) << c.what << ": " << run.err.toStdString();
    }
    writeFile(dir.filePath("disc.toc"), many.left(many.lastIndexOf("TRACK")));
    EXPECT_EQ(ludroCd({"--device", dir.filePath("disc.toc"), "toc"}, {.folder = dir.path()}).out.count('\n'), 100)
        << "99 tracks and the lead-out";
}

// cdrdao writes the names of a .toc's files relative to the .toc: they are
// found there from any folder, and a name with a folder of its own too.
TEST(CdImage, ATocFindsItsFilesBesideItselfFromAnyFolder)
{
    QTemporaryDir dir;
    writeDiscImage(dir.filePath("images/more"), {{226, 440}}, "disc x");
    const QByteArray audio = readFile(dir.filePath("images/more/disc x.bin"));
    const QString toc = writeFile(dir.filePath("images/disc.toc"),
                                  "CD_DA\n// made by cdrdao\nTRACK AUDIO\nFILE \"more/disc x.bin\" 0 00:02:00\n"
                                  "TRACK AUDIO\nFILE \"more/disc x.bin\" 00:02:00 00:01:01\n");
    writeFile(dir.filePath("elsewhere/more/disc x.bin"), QByteArray(10, 'x'));  // not the one the .toc means

    ludroCd({"--device", toc, "rip", "--dest", dir.filePath("out")}, {.folder = dir.filePath("elsewhere")});
    EXPECT_TRUE(readFile(dir.filePath("out/AudioTrack1.wav")).mid(44) == audio.left(150 * 2352));
    EXPECT_TRUE(readFile(dir.filePath("out/AudioTrack2.wav")).mid(44) == audio.mid(150 * 2352));
}
