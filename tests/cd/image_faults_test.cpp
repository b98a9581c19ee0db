// Disc images that are not what they claim, through `ludro-cd`: files that
// are no regular files, and images that lack the sectors their tracks ask
// for.

#include "support/disc_image.h"
#include "support/files.h"
#include "support/ludro_cd_run.h"

#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

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
        {"a .toc", "disc.toc", "disc.toc"},           {"the file a .cue names", "tones.raw", "named.cue"},
        {"the file a .toc names", "tones.raw", "disc.toc"}, {"a .bin linked to /dev/zero", nullptr, "disc.cue"},
    };
    int made = 0;
    for (const auto &c : cases) {
        const QString folder = dir.filePath(QString::number(++made));
        writeDiscImage(folder, {{75, 440}});
        writeCue(folder + "/named.cue", "tones.raw", {"00:00:00"});
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
    QByteArray audio(226 * 2352, '\0');
    for (qsizetype i = 0; i < audio.size(); ++i)
        audio[i] = static_cast<char>(i * 7);
    writeFile(dir.filePath("images/more/disc x.raw"), audio);
    const QString toc = writeFile(dir.filePath("images/disc.toc"),
                                  "CD_DA\n// made by cdrdao\nTRACK AUDIO\nFILE \"more/disc x.raw\" 0 00:02:00\n"
                                  "TRACK AUDIO\nFILE \"more/disc x.raw\" 00:02:00 00:01:01\n");
    writeFile(dir.filePath("elsewhere/more/disc x.raw"), QByteArray(10, 'x'));  // not the one the .toc means

    const ToolRun ripped =
        ludroCd({"--device", toc, "rip", "--dest", dir.filePath("out")}, {.folder = dir.filePath("elsewhere")});
    EXPECT_EQ(ripped.status, 0) << ripped.err.toStdString();
    EXPECT_TRUE(readFile(dir.filePath("out/AudioTrack1.wav")).mid(44) == audio.left(150 * 2352));
    EXPECT_TRUE(readFile(dir.filePath("out/AudioTrack2.wav")).mid(44) == audio.mid(150 * 2352));
}
