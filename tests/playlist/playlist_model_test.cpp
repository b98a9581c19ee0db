// The playlist model core: entry columns and paths, network entries and the
// shuffle cycle's marks over long lists.

#include "playlist/playlist_model.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

TEST(PlaylistModel, EntriesCarryTheirColumnsAndPaths)
{
    QTemporaryDir dir;
    const QString song = writeFile(dir.filePath("My Song.mp3"), QByteArray(5000, 'x'));
    PlaylistModel playlist;
    playlist.addFileEntry(song);
    playlist.addNetworkEntry("http://radio.example:8000/live");
    playlist.renumberEntries();
    const PlaylistEntry &file = playlist.entries().at(0);
    EXPECT_EQ(file[PlaylistEntry::Title], "My Song.mp3");
    EXPECT_EQ(file[PlaylistEntry::Path], dir.path() + '/');
    EXPECT_EQ(file[PlaylistEntry::Size], "4");
    EXPECT_EQ(file[PlaylistEntry::Artist], "...");
    EXPECT_EQ(playlist.entries().at(1)[PlaylistEntry::Number], "2");
    EXPECT_EQ(playlist.entryPath(0), song);
    EXPECT_EQ(playlist.entryPath(1), "http://radio.example:8000/live");
    EXPECT_EQ(playlist.entryPath(2), "");

    for (const char *address : {"http://a", "HTTP:x", "www.a", "WWW.A", "ftp:b", "Ftp:c"})
        EXPECT_TRUE(PlaylistModel::isNetworkEntry(address)) << address;
    for (const char *name : {"/music/http.mp3", "wwwx.mp3", "https://a", ""})
        EXPECT_FALSE(PlaylistModel::isNetworkEntry(name)) << name;
}

TEST(PlayedMarks, EveryPositionOncePerCycleEvenForLongLists)
{
    std::mt19937 random(1);
    PlayedMarks marks;
    const int count = 100000;
    std::set<int> seen;
    for (int i = 0; i < count; ++i)
        seen.insert(marks.pick(count, random));
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(count));
    const int next = marks.pick(count, random);
    EXPECT_TRUE(marks.isMarked(next));
    int marked = 0;
    for (int i = 0; i < count; ++i)
        marked += marks.isMarked(i);
    EXPECT_EQ(marked, 1) << "a full cycle starts a new one";
}
