#pragma once

// The one playlist of the program: rows of eight text columns, the current
// song, a pending play request and the shuffle cycle's played marks.

#include <QString>

#include <array>
#include <random>
#include <vector>

// Marks "no position" in every playlist position variable.
constexpr int NoPosition = 2147483647;

struct PlaylistEntry {
    enum Column { Title, Number, Time, Artist, Album, Genre, Path, Size, ColumnCount };
    std::array<QString, ColumnCount> columns;

    const QString &operator[](Column c) const { return columns[c]; }
    QString &operator[](Column c) { return columns[c]; }
};

// One mark per entry: played in the current shuffle cycle or not. A
// Fenwick tree over the unmarked positions keeps a pick fast on lists of any
// length.
class PlayedMarks {
public:
    void resize(int count);
    void clear();
    void mark(int index);
    bool isMarked(int index) const;
    // A uniformly random unmarked position, marked; when all are marked a
    // new cycle starts with every position free again.
    int pick(int count, std::mt19937 &random);
    // Drops the marks of removed positions; the marks above move down.
    void remove(const std::vector<char> &removed);

private:
    void rebuild();
    int kthUnmarked(int k) const;  // 1-based k

    std::vector<char> marks_;
    std::vector<int> tree_;  // 1-based sums of unmarked flags
    int unmarked_ = 0;
    // The tree is rebuilt at the next pick after a bulk change, so adding
    // entries one by one stays linear.
    bool stale_ = true;
};

class PlaylistModel {
public:
    int entryCount() const { return static_cast<int>(entries_.size()); }
    // The entry a position names, or nothing. Positions come from the
    // settings, commands, plug-ins and other windows: every one of them is
    // turned into an entry here.
    const PlaylistEntry *entryAt(int index) const;
    const std::vector<PlaylistEntry> &entries() const { return entries_; }
    void setColumn(int index, PlaylistEntry::Column column, const QString &text);

    void clearEntries();
    // The folder is stored absolute, so the entry survives a change of the
    // current folder and the next start.
    void addFileEntry(const QString &path);
    void addNetworkEntry(const QString &text);
    // A file whose folder (with trailing "/") and size are already known.
    void addFileEntry(const QString &folder, const QString &name, qint64 sizeKb);
    // Removes every entry whose flag is set, with its played mark.
    void removeEntries(const std::vector<char> &removed);
    void swapEntries(int a, int b);
    void reverseEntries();
    // By title, ascending, in the user's locale; equal titles keep their order.
    void sortEntries();
    void renumberEntries();
    // Path followed by the file-name part of the title; an address for a
    // network entry; empty beyond the end.
    QString entryPath(int index) const;

    static bool isNetworkEntry(const QString &text);

    int currentIndex = 0;
    int pendingIndex = NoPosition;
    PlayedMarks playedMarks;
    bool keepSorted = false;
    bool musicGroup = false;
    QString lastFolder;        // ends in "/" once set
    QString lastPlaylistFile;  // saved or opened from the main window

private:
    void append(PlaylistEntry entry);

    std::vector<PlaylistEntry> entries_;
};
