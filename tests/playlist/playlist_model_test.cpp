// The playlist model core: entry columns and paths, network entries, the
// change signals and the shuffle cycle's marks over long lists.

#include "playlist/playlist_model.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace {

using Level = PlaylistModel::Level;

using Changes = std::vector<std::tuple<Level, int, int>>;

// The changes told so far, each as (level, first, count).
Changes told(const QSignalSpy &spy)
{
    Changes out;
    for (const QList<QVariant> &change : spy)
        out.emplace_back(change[0].value<Level>(), change[1].toInt(), change[2].toInt());
    return out;
}

}  // namespace

TEST(PlaylistModel, AddressesAreKnownByTheirStartInAnyCase)
{
    for (const char *address : {"http://a", "HTTP:x", "https://a", "HTTPS://A", "www.a", "WWW.A", "ftp:b", "Ftp:c"})
        EXPECT_TRUE(PlaylistModel::isNetworkEntry(address)) << address;
    for (const char *name : {"/music/http.mp3", "wwwx.mp3", "httpsx.mp3", ""})
        EXPECT_FALSE(PlaylistModel::isNetworkEntry(name)) << name;
}

// A station list read in place of its address: the stations in its place,
// the played marks of the entries around it where they were.
TEST(PlaylistModel, StationsTakeThePlaceOfTheirListAndTheMarksStayWithTheirEntries)
{
    PlaylistModel playlist;
    for (const char *address : {"http://a/", "http://list/", "http://b/"})
        playlist.addNetworkEntry(address);
    for (int marked : {0, 1, 2})
        playlist.playedMarks.mark(marked);
    QCoreApplication::processEvents();
    QSignalSpy spy(&playlist, &PlaylistModel::changed);
    playlist.replaceWithNetworkEntries(1, {"http://one/", "https://two/"});
    QCoreApplication::processEvents();
    ASSERT_EQ(playlist.entryCount(), 4);
    EXPECT_EQ(playlist.entryPath(3), "http://b/");
    EXPECT_TRUE(playlist.playedMarks.isMarked(3) && !playlist.playedMarks.isMarked(1));
    EXPECT_EQ(told(spy), (Changes{{Level::Structure, 1, 3}}));
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
    marks.pick(count, random);
    int marked = 0;
    for (int i = 0; i < count; ++i)
        marked += marks.isMarked(i);
    EXPECT_EQ(marked, 1) << "a full cycle starts a new one";
}

TEST(PlaylistModel, ChangesAndTheCurrentEntryAreToldOncePerTurnWithTheRowsTheyConcern)
{
    PlaylistModel playlist;
    QSignalSpy changes(&playlist, &PlaylistModel::changed);
    for (int i = 0; i < 100000; ++i)
        playlist.addNetworkEntry(QStringLiteral("http://radio.example/%1").arg(i));
    playlist.renumberEntries();
    EXPECT_TRUE(changes.isEmpty()) << "told at the next turn of the event loop";
    ASSERT_TRUE(changes.wait(5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(told(changes), (Changes{{Level::Structure, 0, 100000}, {Level::Metadata, 0, 100000}}));

    changes.clear();
    playlist.setColumn(7, PlaylistEntry::Time, "3:07");
    playlist.setColumn(8, PlaylistEntry::Title, playlist.entries()[8][PlaylistEntry::Title]);
    playlist.renumberEntries();
    playlist.deliverChanges();
    EXPECT_EQ(told(changes), (Changes{{Level::Metadata, 7, 1}}))
        << "one row's time; unchanged texts and numbers are no change";

    changes.clear();
    std::vector<char> removed(100000, 0);
    removed[99990] = removed[99995] = 1;
    playlist.removeEntries(removed);
    playlist.swapEntries(5, 3);
    playlist.deliverChanges();
    EXPECT_EQ(told(changes), (Changes{{Level::Structure, 3, 100000 - 3}}));
    QCoreApplication::processEvents();
    EXPECT_EQ(changes.size(), 1) << "nothing is told twice";

    // The current entry is told once per change.
    QSignalSpy current(&playlist, &PlaylistModel::currentChanged);
    for (int index : {3, 4, 4}) {
        playlist.setCurrentIndex(index);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(current, (QList<QList<QVariant>>{{3}, {4}}));
}
