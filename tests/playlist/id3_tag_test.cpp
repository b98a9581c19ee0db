// ID3v1 tags on real files in a temporary folder: reading and trimming, the
// values a starting song shows, saving and clearing, and saves that fail
// halfway.

#include "playlist/id3_genres.h"
#include "playlist/id3_tag.h"
#include "playlist/song_tag.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// A record with raw field bytes, for layouts the editor never writes.
QByteArray rawRecord(const QByteArray &title, const QByteArray &artist, int genre)
{
    QByteArray record = "TAG" + title.leftJustified(30, ' ') + artist.leftJustified(30, ' ');
    record += QByteArray(30, ' ') + "1999" + QByteArray(30, ' ');
    record += static_cast<char>(genre);
    return record;
}

// Writes only part of the record, then fails, as a full disk does.
class FailingWriter : public id3::TagWriter {
protected:
    qint64 writeRecord(QFile &file, const QByteArray &record) override
    {
        file.write(record.left(50));
        return -1;
    }
};

// Whether `refuses` says so at once; stuck opening the named pipe, it is set
// free by a late writer, so the test fails instead of hanging.
bool refusedAtOnce(const QString &pipe, const std::function<bool()> &refuses)
{
    auto running = std::async(std::launch::async, refuses);
    if (running.wait_for(2s) == std::future_status::ready)
        return running.get();
    const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
    running.wait();
    ::close(writer);
    return false;
}

}  // namespace

class Id3Tags : public testing::Test {
protected:
    QString makeFile(const QByteArray &bytes, const QString &name = "song.mp3")
    {
        return writeFile(dir.filePath(name), bytes);
    }

    QTemporaryDir dir;
    const QByteArray audio = QByteArray(3000, '\xAA');
};

TEST_F(Id3Tags, FieldsAreTrimmedAndWhatIsMissingHasItsStandIn)
{
    EXPECT_EQ(id3::trimmedField(QByteArray("Hello  World \0\0\t\n", 17)), "Hello  World");
    EXPECT_EQ(id3::trimmedField(QByteArray("\0 a\0b\0", 6)), QString(QByteArray("\0 a\0b", 5)));
    EXPECT_EQ(id3::trimmedField("Caf\xE9"), QString::fromUtf8("Café"));
    const auto tag = id3::parseRecord(rawRecord(QByteArray("Title\0\0\0", 8), "Artist", 17));
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->title, "Title");
    EXPECT_EQ(id3GenreName(tag->genre), "Rock");

    // Untagged, short and missing files have none.
    EXPECT_FALSE(id3::readTag(makeFile(audio)));
    EXPECT_FALSE(id3::readTag(makeFile("TAG short", "short.mp3")));
    EXPECT_FALSE(id3::readTag(dir.filePath("missing.mp3")));
    EXPECT_FALSE(id3::readTag(makeFile(audio + rawRecord("x", "y", 1).replace(0, 3, "tag"), "lower.mp3")));

    // A title alone, and the stand-ins when a tag lacks a title or a genre.
    EXPECT_EQ(songTag(Id3Tag{"Title"}).displayTitle, "Title");
    EXPECT_EQ(songTag(Id3Tag{"", "Artist"}).displayTitle, "") << "no title: the file name is shown";
    EXPECT_EQ(songTag(Id3Tag{"Title", "", "", "", "", 255}).genre, "") << "genre 255 has no name";
}

TEST_F(Id3Tags, SavingAppendsOnceAndReplacesInPlace)
{
    const QString path = makeFile(audio);
    id3::TagWriter writer;
    Id3Tag tag{QString::fromUtf8("Été – Song"), "Artist", "Album", "2001", "Comment", 17};
    ASSERT_EQ(writer.save(path, tag), "");
    EXPECT_EQ(readFile(path).mid(audio.size() + 3, 30), QByteArray("\xC9t\xE9 ? Song").leftJustified(30, ' '));

    tag.title = "Second title that is longer than thirty characters";
    ASSERT_EQ(writer.save(path, tag), "");
    const QByteArray twice = readFile(path);
    ASSERT_EQ(twice.size(), audio.size() + 128) << "saving twice leaves one tag";
    EXPECT_EQ(id3::readTag(path)->title, "Second title that is longer th");
    ASSERT_EQ(writer.clear(path), "");
    ASSERT_EQ(writer.clear(path), "") << "clearing an untagged file changes nothing";
    EXPECT_EQ(readFile(path), audio);
}

TEST_F(Id3Tags, FailedSavesLeaveTheFileAsItWas)
{
    const QString untagged = makeFile(audio, "untagged.mp3");
    const QString tagged = makeFile(audio + rawRecord("Old", "Artist", 3), "tagged.mp3");
    const QByteArray before = readFile(tagged);
    FailingWriter failing;
    EXPECT_NE(failing.save(untagged, Id3Tag{"New"}), "");
    EXPECT_EQ(readFile(untagged), audio);
    EXPECT_NE(failing.save(tagged, Id3Tag{"New"}), "");
    EXPECT_EQ(readFile(tagged), before);

    // A file that cannot be opened for writing: a folder by that name.
    id3::TagWriter writer;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.mp3"));
    EXPECT_NE(writer.save(dir.filePath("folder.mp3"), Id3Tag{"New"}), "");

    EXPECT_NE(writer.save(dir.filePath("vanished.mp3"), Id3Tag{"New"}), "");
    EXPECT_FALSE(QFile::exists(dir.filePath("vanished.mp3"))) << "a vanished file is not made again";

    // A named pipe is no song: no tag, and nothing is written into it.
    const QString pipe = dir.filePath("pipe.mp3");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(refusedAtOnce(pipe, [&] { return !id3::readTag(pipe); }));
    EXPECT_TRUE(refusedAtOnce(pipe, [&] { return !writer.save(pipe, Id3Tag{"New"}).isEmpty(); }));
    EXPECT_TRUE(refusedAtOnce(pipe, [&] { return !writer.clear(pipe).isEmpty(); }));

    const QString tiny = makeFile("abc", "tiny.mp3");
    ASSERT_EQ(writer.save(tiny, Id3Tag{"New"}), "");
    EXPECT_EQ(id3::readTag(tiny)->title, "New") << "a file shorter than a tag";
}
