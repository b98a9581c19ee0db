// The playlist window's editing commands and their bookkeeping of the
// current song, the music group, quick search and the status text.

#include "playlist/playlist_edits.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <set>

namespace {

// Entries "a.mp3", "b.mp3", ... in a folder named Jazz, 4000 Kb each.
void fillLettered(PlaylistModel &playlist, int count)
{
    playlist.clearEntries();
    for (int i = 0; i < count; ++i)
        playlist.addFileEntry("/music/Jazz/", QString(QChar('a' + i)) + ".mp3", 4000);
    playlist.renumberEntries();
}

QString titles(const PlaylistModel &playlist)
{
    QStringList out;
    for (int i = 0; i < playlist.entryCount(); ++i)
        out << playlist.entries().at(i)[PlaylistEntry::Title].section('/', -1).section('.', 0, 0);
    return out.join("");
}

std::vector<char> flags(std::initializer_list<int> set)
{
    std::vector<char> out(10, 0);
    for (int i : set)
        out[static_cast<std::size_t>(i)] = 1;
    return out;
}

}  // namespace

TEST(PlaylistEdits, DeletingKeepsTheCurrentSongOrTheOneMovingIntoItsPlaceAndThePlayedMarks)
{
    PlaylistModel playlist;
    fillLettered(playlist, 5);
    playlist.setCurrentIndex(3);  // d
    playlist.playedMarks.mark(3);
    playlist_edits::deleteEntries(playlist, flags({0, 1}), false);
    EXPECT_EQ(titles(playlist), "cde");
    EXPECT_EQ(playlist.currentIndex(), 1) << "still on d";
    EXPECT_TRUE(playlist.playedMarks.isMarked(1) && !playlist.playedMarks.isMarked(3));
    playlist_edits::deleteEntries(playlist, flags({1}), false);
    EXPECT_EQ(playlist.currentIndex(), 1) << "the deleted current entry is replaced by the next";
    playlist_edits::deleteEntries(playlist, flags({1}), false);
    EXPECT_EQ(playlist.currentIndex(), 0) << "the last entry was current";

    fillLettered(playlist, 5);
    playlist.setCurrentIndex(3);
    playlist_edits::deleteEntries(playlist, flags({1, 3}), true);
    EXPECT_EQ(titles(playlist), "bd");
    EXPECT_EQ(playlist.currentIndex(), 1);
}

// Moves need three entries and stop at the ends.
TEST(PlaylistEdits, ReverseAndRandomizeCarryTheCurrentSongAndMovesStopAtTheEnds)
{
    PlaylistModel playlist;
    fillLettered(playlist, 5);
    playlist.setCurrentIndex(0);
    playlist_edits::reverse(playlist);
    EXPECT_EQ(playlist.currentIndex(), 4);

    fillLettered(playlist, 20);
    playlist.setCurrentIndex(7);
    std::mt19937 random(5);
    playlist_edits::randomize(playlist, random);
    EXPECT_EQ(playlist.currentIndex(), 7);
    const QString shuffled = titles(playlist);
    EXPECT_EQ(std::set<QChar>(shuffled.begin(), shuffled.end()).size(), 20u);

    fillLettered(playlist, 2);
    EXPECT_EQ(playlist_edits::moveUp(playlist, 1), -1);
    fillLettered(playlist, 3);
    EXPECT_EQ(playlist_edits::moveDown(playlist, 1), 2);
    EXPECT_EQ(playlist_edits::moveDown(playlist, 2), -1);
    EXPECT_EQ(titles(playlist), "acb");
}

TEST(PlaylistEdits, SortingComparesTitlesInTheLocaleAndTheSongsToPlayMoveWithTheirEntries)
{
    PlaylistModel playlist;
    for (const char *title : {"beta.mp3", "Alpha.mp3", "alpha.mp3", "Zulu.mp3", "echo.mp3"})
        playlist.addFileEntry("/m/", title, 1);
    playlist.setCurrentIndex(3);
    playlist.pendingIndex = 0;
    playlist.playedMarks.mark(4);
    playlist_edits::sort(playlist);
    EXPECT_EQ(playlist.entryPath(2), "/m/beta.mp3") << "letter case does not split the alphabet";
    EXPECT_EQ(playlist.entryPath(playlist.currentIndex()), "/m/Zulu.mp3") << "the song playing stays current";
    EXPECT_EQ(playlist.entryPath(playlist.pendingIndex), "/m/beta.mp3") << "the song asked for is the one to play";
    EXPECT_TRUE(playlist.playedMarks.isMarked(3)) << "echo.mp3 keeps its played mark";

    playlist.keepSorted = true;
    playlist.addFileEntry("/m/", "delta.mp3", 1);
    playlist.settle();
    EXPECT_EQ(playlist.entries().at(3)[PlaylistEntry::Title], "delta.mp3");
    playlist.addFileEntry("/m/", "charlie.mp3", 1);
    playlist.deliverChanges();
    EXPECT_EQ(playlist.entries().at(3)[PlaylistEntry::Title], "charlie.mp3") << "a writer that forgot to settle";
    EXPECT_EQ(playlist.entries().at(6)[PlaylistEntry::Number], "7");
}

TEST(PlaylistEdits, MusicGroupPrefixesFileTitlesOnlyAndComesOffAgain)
{
    PlaylistModel playlist;
    playlist.addFileEntry("/music/Jazz/", "a.mp3", 1);
    playlist.addNetworkEntry("http://radio.example/live");
    playlist.musicGroup = true;
    playlist_edits::applyMusicGroup(playlist);
    playlist_edits::applyMusicGroup(playlist);
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Title], "JAZZ  :  /a.mp3") << "grouped once only";
    EXPECT_EQ(playlist.entryPath(0), "/music/Jazz/a.mp3") << "the group never reaches the path";
    EXPECT_EQ(playlist.entries().at(1)[PlaylistEntry::Title], "http://radio.example/live") << "addresses have none";
    playlist.musicGroup = false;
    playlist_edits::applyMusicGroup(playlist);
    EXPECT_EQ(playlist.entries().at(0)[PlaylistEntry::Title], "a.mp3");
}

TEST(PlaylistEdits, QuickSearchAndStatus)
{
    PlaylistModel playlist;
    for (const char *title : {"abe.mp3", "Beatles.mp3"})
        playlist.addFileEntry("/m/", title, 1);
    EXPECT_EQ(playlist_edits::quickSearch(playlist, "BE"), 1) << "the start of a title, in any case";
    EXPECT_EQ(playlist_edits::statusText(PlaylistModel(), "Song(s)"), "");
    fillLettered(playlist, 12);
    EXPECT_EQ(playlist_edits::statusText(playlist, "Song(s)"), "12 Song(s) - 46,8Mb");
    playlist.clearEntries();
    playlist.addFileEntry("/m/", "a.mp3", 2047);
    EXPECT_EQ(playlist_edits::statusText(playlist, "Song(s)"), "1 Song(s) - 1,10Mb");
}
