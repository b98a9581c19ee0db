// Playlist files: the lists we write, the lists other players write
// (.pls with keys, extended M3U, UTF-8 and Windows-1252 names), the main
// window's lenient open and the whole-file-or-nothing save.

#include "playlist/playlist_file.h"
#include "playlist/station_list.h"
#include "support/files.h"
#include "support/full_disk.h"

#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

QStringList paths(const PlaylistModel &playlist)
{
    QStringList out;
    for (int i = 0; i < playlist.entryCount(); ++i)
        out << playlist.entryPath(i);
    return out;
}

class PlaylistFiles : public testing::Test {
protected:
    QString song(const QString &name) { return writeFile(dir.filePath(name), QByteArray(3000, 'x')); }

    QTemporaryDir dir;
    PlaylistModel playlist;
};

}  // namespace

TEST_F(PlaylistFiles, PlsFileLinesOfAnyNumberAndAddressesAreRead)
{
    QByteArray pls = "[playlist]\r\n";
    QStringList expected;
    for (int n = 1; n <= 12; ++n) {
        const QString value = n % 4 == 0 ? QString("http://radio.example/%1").arg(n) : song(QString("s%1.mp3").arg(n));
        pls += QString("%1%2=%3\r\nTitle%2=Song\r\n").arg(n % 2 ? "File" : "file").arg(n).arg(value).toUtf8();
        expected << value;
    }
    pls += "NumberOfEntries=12\r\nVersion=2\r\n";
    writeFile(dir.filePath("radio.pls"), pls);

    EXPECT_EQ(playlist_files::readPlaylistFile(playlist, dir.filePath("radio.pls")), "");
    EXPECT_EQ(paths(playlist), expected);
    playlist_files::openFromMainWindow(playlist, dir.filePath("radio.pls"));
    EXPECT_EQ(paths(playlist), expected) << "the other .pls lines name no entry";
}

TEST_F(PlaylistFiles, ExtendedM3uWithRelativeUtf8NamesAndWindows1252ListsLoad)
{
    const QString first = song(QString::fromUtf8("Sub/Überall – Ωmega.mp3"));
    const QString second = song("b.mp2");
    writeFile(dir.filePath("list.m3u8"), QString::fromUtf8("\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:123,Artist - Überall\r\n"
                                                           "Sub/Überall – Ωmega.mp3\r\n\r\n#EXTINF:5,B\r\n%1\r\n")
                                             .arg(second)
                                             .toUtf8());
    EXPECT_EQ(playlist_files::readPlaylistFile(playlist, dir.filePath("list.m3u8")), "");
    EXPECT_EQ(paths(playlist), QStringList({first, second}));
    const QString name = song(QString::fromUtf8("Café – déjà.mp3"));
    writeFile(dir.filePath("old.m3u"), QByteArray("Caf\xE9 \x96 d\xE9j\xE0.mp3\r\n"));
    playlist_files::readPlaylistFile(playlist, dir.filePath("old.m3u"));
    EXPECT_EQ(paths(playlist), QStringList({first, second, name}));
}

TEST_F(PlaylistFiles, TheWindowReaderDropsMissingAndNonAudioFilesTheMainWindowKeepsThem)
{
    const QString present = song("here.mp3");
    song("cover.jpg");
    writeFile(dir.filePath("list.m3u"), "here.mp3\ngone.mp3\ncover.jpg\nwww.example.com/live\n");

    playlist_files::readPlaylistFile(playlist, dir.filePath("list.m3u"));
    EXPECT_EQ(paths(playlist), QStringList({present, "www.example.com/live"}));

    playlist_files::openFromMainWindow(playlist, dir.filePath("list.m3u"));
    EXPECT_EQ(paths(playlist),
              QStringList({present, dir.filePath("gone.mp3"), dir.filePath("cover.jpg"), "www.example.com/live"}));
    playlist_files::openFromMainWindow(playlist, present);
    EXPECT_EQ(paths(playlist), QStringList({present})) << "a song alone replaces the list";
}

TEST_F(PlaylistFiles, FailuresToReadAreDescribedForTheWindowAndSilentForTheMainWindow)
{
    playlist.addNetworkEntry("http://kept.example/");
    EXPECT_FALSE(playlist_files::readPlaylistFile(playlist, dir.filePath("missing.m3u")).isEmpty());
    const QString pipe = dir.filePath("pipe.m3u");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(playlist_files::readPlaylistFile(playlist, pipe).isEmpty()) << "a named pipe never blocks";
    writeFile(dir.filePath("song.flac"), QByteArray("fLaC\0\0\0\x22", 8) + QByteArray(4000, 'a'));
    EXPECT_FALSE(playlist_files::readPlaylistFile(playlist, dir.filePath("song.flac")).isEmpty());
    EXPECT_EQ(playlist.entryCount(), 1) << "what holds no text changes nothing";
    EXPECT_EQ(playlist_files::openFromMainWindow(playlist, pipe), "");
    EXPECT_EQ(playlist_files::openFromMainWindow(playlist, dir.filePath("missing.m3u")), "");
    EXPECT_EQ(playlist.entryCount(), 0);
}

// Python's INI reader stands for the players that read PLS.
TEST_F(PlaylistFiles, EachKindIsWrittenAsItsExtensionSaysAndReadsBack)
{
    const QString local = song("a b.mp3");
    const QString radio = "http://radio.example:8000/live";
    playlist.addFileEntry(local);
    playlist.addNetworkEntry(radio);
    playlist.musicGroup = true;
    playlist.setColumn(0, PlaylistEntry::Title, "GROUP  :  /a b.mp3");
    playlist.setColumn(0, PlaylistEntry::Time, "3:45");
    playlist.setColumn(0, PlaylistEntry::Artist, "Ann");

    const QString pls = dir.filePath("out.pls");
    ASSERT_EQ(playlist_files::writePlaylistFile(playlist, pls), "");
    QProcess python;
    python.start("python3", {"-c",
                             "import configparser, sys\nc = configparser.ConfigParser(interpolation=None)\n"
                             "c.read(sys.argv[1], encoding='utf-8')\nprint('|'.join(c['playlist'].values()))",
                             pls});
    ASSERT_TRUE(python.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()).trimmed(),
              QStringList({local, "Ann - a b", "225", radio, radio, "-1", "2", "2"}).join('|'))
        << python.readAllStandardError().toStdString();

    const QString m3u8 = dir.filePath("out.m3u8");
    ASSERT_EQ(playlist_files::writePlaylistFile(playlist, m3u8), "");
    EXPECT_EQ(readFile(m3u8), ("#EXTM3U\n#EXTINF:225,Ann - a b\n" + local + "\n#EXTINF:-1," + radio + "\n" + radio + "\n").toUtf8());
    const QString plain = dir.filePath("out.dmp");
    ASSERT_EQ(playlist_files::writePlaylistFile(playlist, plain), "");
    for (const QString &name : {pls, m3u8, plain}) {
        PlaylistModel again;
        playlist_files::readPlaylistFile(again, name);
        EXPECT_EQ(paths(again), paths(playlist)) << name.toStdString();
    }

    // A line break in a file name cannot split its line.
    const QString broken = song("two\nlines\r.mp3");
    PlaylistModel odd;
    odd.addFileEntry(broken);
    odd.addFileEntry(local);
    ASSERT_EQ(playlist_files::writePlaylistFile(odd, dir.filePath("odd.m3u")), "");
    PlaylistModel again;
    playlist_files::readPlaylistFile(again, dir.filePath("odd.m3u"));
    EXPECT_EQ(paths(again), QStringList({broken, local}));
}

TEST_F(PlaylistFiles, AFailedWriteIsReportedAndLeavesTheOldFileWhole)
{
    playlist.addNetworkEntry("http://new.example/");
    EXPECT_FALSE(playlist_files::writePlaylistFile(playlist, dir.filePath("no/such/folder/x.m3u")).isEmpty());

    const QString name = dir.filePath("keep.m3u");
    writeFile(name, "old\n");
    {
        FullDisk full;
        EXPECT_FALSE(playlist_files::writePlaylistFile(playlist, name).isEmpty());
    }
    EXPECT_EQ(readFile(name), "old\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"keep.m3u"})) << "no temporary file is left";
}

// A list from the network names stations: its http and https addresses, at
// most 100, never a local file; a list of HLS segments names none.
TEST(StationLists, OnlyTheirAddressesCountAndAtMostAHundred)
{
    using playlist_files::readStationList;
    const auto list = readStationList("[playlist]\r\nFile1=https://one.example/live\r\nTitle1=One\r\n"
                                      "File2=file:///etc/passwd\r\nFile3=/etc/passwd\r\nFile4=../local.mp3\r\n"
                                      "File5= http://two.example:8000/ \r\nFile6=www.three.example/\r\n");
    EXPECT_EQ(list.addresses,
              QStringList({"https://one.example/live", "http://two.example:8000/", "www.three.example/"}));
    EXPECT_FALSE(list.segmented);

    QString many = "#EXTM3U\n";
    for (int i = 0; i < 100000; ++i)
        many += QStringLiteral("http://radio.example/%1\n").arg(i);
    const auto capped = readStationList(many);
    ASSERT_EQ(capped.addresses.size(), 100);
    EXPECT_EQ(capped.addresses.last(), "http://radio.example/99");

    const char controls[] = "http://a.example/\r\0\nhttp://b.example/\x1b[2J\n";
    EXPECT_EQ(readStationList(QString::fromLatin1(controls, sizeof controls - 1)).addresses, QStringList())
        << "an address is one line of printable text";
    const auto hls = readStationList("#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nhttp://cdn.example/s1.ts\n");
    EXPECT_TRUE(hls.segmented);
    EXPECT_TRUE(hls.addresses.isEmpty());
}
