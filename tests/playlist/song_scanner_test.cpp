// The background scan on real lame-made songs: exact lengths of CBR, VBR
// and VBR without a Xing header, tags into the playlist's columns without
// playing, and the cache that answers the next run while files stay as
// they were.

#include "playlist/playlist_scan.h"
#include "support/engine_session.h"
#include "support/files.h"

#include <QDateTime>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SongScan, ListColumnsFillFromWorkersAndTheCacheAnswersTheNextRun)
{
    QTemporaryDir dir;
    PlaylistModel playlist;
    for (const char *name : {"l3-44k-stereo-cbr.mp3", "l3-44k-stereo-vbr.mp3", "l3-44k-stereo-vbr-noxing.mp3"}) {
        const QString path = dir.filePath(name);
        QFile::copy(QString::fromStdString(fixture(name)), path);
        playlist.addFileEntry(path);
    }
    QProcess::execute("id3v2", {"-2", "-a", "Band", "-t", "Tune", dir.filePath("l3-44k-stereo-vbr-noxing.mp3")});
    playlist.addNetworkEntry("http://example.invalid/stream");
    const QString cacheFile = dir.filePath("SongCache.dat");
    {
        SongCache cache(cacheFile);
        SongScanner scanner(cache);
        PlaylistScan scan(playlist, scanner);
        QSignalSpy finished(&scanner, &SongScanner::finished);
        ASSERT_TRUE(finished.wait(10000));
        playlist.deliverChanges();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(playlist.entries()[i][PlaylistEntry::Time], "0:04") << i;
        EXPECT_EQ(playlist.entries()[2].shownTitle, "Band - Tune");
        EXPECT_EQ(playlist.entries()[3][PlaylistEntry::Time], "...") << "streams are not read";

        // A song added again after the list was cleared (or handed over twice).
        playlist.clearEntries();
        playlist.addFileEntry(dir.filePath("l3-44k-stereo-vbr-noxing.mp3"));
        ASSERT_TRUE(finished.wait(10000));
        playlist.deliverChanges();
        EXPECT_EQ(playlist.entries()[0].shownTitle, "Band - Tune");
        EXPECT_TRUE(cache.save().isEmpty());
    }

    SongCache cache(cacheFile);
    const QFileInfo tagged(dir.filePath("l3-44k-stereo-vbr-noxing.mp3"));
    const qint64 modified = tagged.lastModified().toMSecsSinceEpoch();
    const std::optional<SongFacts> known = cache.find(tagged.filePath(), tagged.size(), modified);
    ASSERT_TRUE(known) << "the cache file carries the songs to the next run";
    EXPECT_EQ(known->tag->title, "Tune");
    EXPECT_FALSE(cache.find(tagged.filePath(), tagged.size(), modified + 1000)) << "a changed file is read again";
    writeFile(cacheFile, "damaged");
    EXPECT_FALSE(SongCache(cacheFile).find(tagged.filePath(), tagged.size(), modified));
}
