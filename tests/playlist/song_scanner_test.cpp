// The background scan on a real lame-made song without a Xing header (a
// folder of them filling the window and the cache answering the next start
// is the program's test): streams are not read, a song added again is read
// again, and the cache forgets changed files and a damaged file.

#include "playlist/playlist_scan.h"
#include "support/engine_session.h"
#include "support/files.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SongScan, ASongAddedAgainIsReadAgainAndTheCacheKnowsOnlyUnchangedFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tagged.mp3");
    QFile::copy(QString::fromStdString(fixture("l3-44k-stereo-vbr-noxing.mp3")), path);
    QProcess::execute("id3v2", {"-2", "-a", "Band", "-t", "Tune", path});
    PlaylistModel playlist;
    playlist.addFileEntry(path);
    playlist.addNetworkEntry("http://example.invalid/stream");
    const QString cacheFile = dir.filePath("SongCache.dat");
    {
        SongCache cache(cacheFile);
        SongScanner scanner(cache);
        PlaylistScan scan(playlist, scanner);
        QSignalSpy finished(&scanner, &SongScanner::finished);
        ASSERT_TRUE(finished.wait(10000));
        playlist.deliverChanges();
        EXPECT_EQ(playlist.entries()[1][PlaylistEntry::Time], "...") << "streams are not read";

        // A song added again after the list was cleared (or handed over twice).
        playlist.clearEntries();
        playlist.addFileEntry(path);
        ASSERT_TRUE(finished.wait(10000));
        playlist.deliverChanges();
        EXPECT_EQ(playlist.entries()[0].shownTitle, "Band - Tune");
        EXPECT_EQ(playlist.entries()[0][PlaylistEntry::Time], "0:04");
        EXPECT_TRUE(cache.save().isEmpty());
    }

    SongCache cache(cacheFile);
    const QFileInfo tagged(path);
    const qint64 modified = tagged.lastModified().toMSecsSinceEpoch();
    const std::optional<SongFacts> known = cache.find(tagged.filePath(), tagged.size(), modified);
    ASSERT_TRUE(known) << "the cache file carries the songs to the next run";
    EXPECT_EQ(known->tag->title, "Tune");
    EXPECT_FALSE(cache.find(tagged.filePath(), tagged.size(), modified + 1000)) << "a changed file is read again";
    writeFile(cacheFile, "damaged");
    EXPECT_FALSE(SongCache(cacheFile).find(tagged.filePath(), tagged.size(), modified));
}
