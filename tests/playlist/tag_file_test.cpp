// Tags of real lame-made songs, written by Debian's eyeD3 and id3v2 and by
// TagLib: read through every encoding, merged with ID3v1, written by the
// editor and read back by a second reader; hostile tags cost a capped read.

#include "decoder.h"
#include "playlist/id3_form.h"
#include "playlist/tag_file.h"
#include "support/engine_session.h"
#include "support/files.h"
#include "support/recording_dialogs.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <taglib/apetag.h>
#include <taglib/mpegfile.h>

#include <gtest/gtest.h>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

class SongTags : public testing::Test {
protected:
    // A copy of a lame-made song without tags.
    QString song(const QString &name)
    {
        const QString path = dir.filePath(name);
        QFile::copy(QString::fromStdString(fixture("l3-44k-stereo-vbr.mp3")), path);
        QFile(path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
        return path;
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(SongTags, EveryEncodingAndVersionReadsWhole)
{
    const QString greek = QStringLiteral("Ωμέγα – ☃ %1").arg(QString(40, 'x'));
    const struct {
        const char *version, *encoding;
        QString title;
    } cases[] = {{"--to-v2.3", "latin1", QStringLiteral("Café au lait, a title longer than thirty")},
                 {"--to-v2.3", "utf16", greek},
                 {"--to-v2.4", "utf8", greek}};
    for (const auto &c : cases) {
        const QString path = song(QStringLiteral("%1-%2.mp3").arg(c.version + 2, c.encoding));
        run("eyeD3", {"--quiet", c.version, "--encoding", c.encoding, "-t", c.title, "-a", "Ärtist", "-A", "Album",
                      "-G", "Jazz", "--recording-date", "1999", path});
        const std::optional<Id3Tag> tag = tag_file::read(path);
        ASSERT_TRUE(tag) << c.encoding;
        EXPECT_EQ(std::tuple(tag->title, tag->artist, tag->genre), std::tuple(c.title, QString("Ärtist"), 8))
            << c.version << c.encoding;
    }

    // lame writes both kinds: ID3v2 wins, ID3v1 fills what it lacks.
    const QString both = song("both.mp3");
    run("id3v2", {"-1", "-t", "Short", "-c", "from v1", both});
    run("id3v2", {"-2", "-t", QString(10000, 'T'), both});
    const std::optional<Id3Tag> merged = tag_file::read(both);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->title, QString(10000, 'T')) << "a 10,000-character frame is read whole";
    EXPECT_EQ(merged->comment, "from v1");

    // APEv2 alone, as TagLib writes it.
    const QString ape = song("ape.mp3");
    {
        TagLib::MPEG::File file(QFile::encodeName(ape).constData(), false);
        file.APETag(true)->setTitle("From APE");
        ASSERT_TRUE(file.save(TagLib::MPEG::File::APE));
    }
    EXPECT_EQ(tag_file::read(ape)->title, "From APE");
}

TEST_F(SongTags, HostileTagsCostACappedReadAndFallBack)
{
    // ID3v2 headers claiming 100 MB, 256 MB and more than the file, each
    // in front of audio with an ID3v1 tag.
    const QByteArray v1 = id3::buildRecord({"Fallback", "", "", "    ", "", 0});
    const QByteArray audio = readFile(QString::fromStdString(fixture("l3-44k-stereo-cbr.mp3")));
    for (const QByteArray &size : {QByteArray("\x30\x00\x00\x00", 4), QByteArray("\x7f\x7f\x7f\x7f", 4),
                                  QByteArray("\x00\x10\x00\x00", 4)}) {
        const QString path = writeFile(dir.filePath("hostile.mp3"), "ID3\x04\x00\x00" + size + audio + v1);
        const std::optional<Id3Tag> tag = tag_file::read(path);
        ASSERT_TRUE(tag);
        EXPECT_EQ(tag->title, "Fallback");
    }
    // Frames claiming sizes past the tag's end and 2^28 frames' worth of headers.
    QByteArray frames;
    for (int i = 0; i < 1000; ++i)
        frames += QByteArray("TIT2\x0f\xff\xff\xff\x00\x00\x03", 11);
    const QString broken = writeFile(dir.filePath("broken.mp3"),
                                     QByteArray("ID3\x03\x00\x00\x00\x00\x55\x7c", 10) + frames + audio);
    EXPECT_FALSE(tag_file::read(broken)) << "nothing readable: the file name is shown";

    // Tags reaching past the file's end are not written over: TagLib would
    // move memory outside the file. An ID3v2 tag 3 bytes short (found by
    // the fuzzer), and an APEv2 tag claiming more than the file.
    const QByteArray shortTag = QByteArray::fromBase64(
        "SUQzAwAAAAAAc1RTU0UAAAAvAPv/S0FNRSA2NGJpdHMgdmVyc2lvbiAzLjEwMCAoaHR0cDovL2xhbWUuc2YubmV0KVRJVDIAAAALAAAB"
        "//5UAHNpb24gMy4xMDAgKGh0dHA6Ly9sYW1lLnMpZVR0bmYuSQsAALBnAAE=");
    const QByteArray tag("ID3\x03\x00\x00\x00\x00\x00\x10TIT2\x00\x00\x00\x06\x00\x00\x00Title", 26);
    QByteArray apeFooter("APETAGEX\xd0\x07\x00\x00\x00\x10\x00\x00\x01\x00\x00\x00\x00\x00\x00\x80", 24);
    apeFooter += QByteArray(8, '\0');
    for (const QByteArray &contents : {shortTag, tag + audio.left(900) + apeFooter}) {
        const QString path = writeFile(dir.filePath("overrun.mp3"), contents);
        EXPECT_FALSE(tag_file::save(path, {"New", "", "", "    ", "", 0}).isEmpty());
        EXPECT_FALSE(tag_file::clear(path).isEmpty());
        EXPECT_EQ(readFile(path), contents) << "the file is left as it is";
    }
}

// The tag editor over a real song: every tag written whole, the playlist
// told, another program's change and a vanished file never overwritten.
TEST_F(SongTags, TheEditorWritesEveryTagWholeAndASecondReaderAgrees)
{
    const QString path = song("edited.mp3");
    run("eyeD3", {"--quiet", "--to-v2.3", "-t", "Old", "-a", "Someone", path});
    PlaylistModel playlist;
    playlist.addFileEntry(path);
    RecordingDialogs dialogs;
    TID3Form form(playlist, dialogs);
    form.fill(path, 1);
    const QString title = QStringLiteral("A title of more than thirty characters, kept whole");
    form.titleEdit().setText(title);
    form.genreBox().setCurrentText("Folk/Rock");
    QString changed;
    form.OnTagChanged = [&](const QString &p) { changed = p; };
    playlist.deliverChanges();
    QSignalSpy rowsTold(&playlist, &PlaylistModel::changed);
    form.SaveClick();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(' ').toStdString();
    EXPECT_EQ(changed, path);
    playlist.deliverChanges();
    ASSERT_EQ(rowsTold.size(), 1) << "the playlist window learns of the tag of a song that is not playing";
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Genre], "Folk/Rock");

    const QString listed = run("id3v2", {"-l", path});
    EXPECT_TRUE(listed.contains("TIT2 (Title/songname/content description): " + title)) << listed.toStdString();
    EXPECT_EQ(id3::readTag(path)->title, title.left(30)) << "ID3v1 is written too";
    EXPECT_EQ(QFile(path).permissions() & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);

    // Another program writes the file while the editor is open.
    form.fill(path, 1);
    form.titleEdit().setText("Lost edit");
    run("id3v2", {"-2", "-a", "Elsewhere", path});
    form.SaveClick();
    EXPECT_EQ(dialogs.errors.size(), 1) << "the user is told";
    EXPECT_EQ(tag_file::read(path)->artist, "Elsewhere") << "the other program's change stays";

    form.fill(path, 1);
    form.ClearTagClick();
    EXPECT_FALSE(tag_file::read(path));
    EXPECT_EQ(sonark::measureSeconds(QFile::encodeName(path).toStdString()), 4) << "the audio is untouched";

    id3::TagWriter().save(path, Id3Tag{"T", "A", "", "", "", 255});
    form.fill(path, 1);
    form.SaveClick();
    EXPECT_EQ(id3::readTag(path)->genre, 255) << "no genre chosen keeps no genre";
    QFile::remove(path);
    form.SaveClick();
    EXPECT_EQ(dialogs.errors.size(), 2) << "a vanished file is reported";
    EXPECT_FALSE(QFile::exists(path));
}
