#pragma once

// The one playlist of the program: rows of eight text columns, the current
// song, a pending play request and the shuffle cycle's played marks.
// Every change to the rows or the current song is told by a signal.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <random>
#include <vector>

// Marks "no position" in every playlist position variable.
constexpr int NoPosition = 2147483647;

struct PlaylistEntry {
    enum Column { Title, Number, Time, Artist, Album, Genre, Path, Size, ColumnCount };
    std::array<QString, ColumnCount> columns;
    // The last try to open it failed.
    bool unopenable = false;
    // "Artist - Title" from the song's tag, shown in place of the Title
    // column's file name; empty until known or without a tag.
    QString shownTitle;

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
    // Position i takes the mark of position order[i].
    void reorder(const std::vector<std::size_t> &order);

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

// Changes are gathered and told once per turn of the event loop: a folder
// walk of thousands of files makes one signal per level, not one per file.
class PlaylistModel : public QObject {
    Q_OBJECT

public:
    enum class Level {
        Metadata,   // column texts of the rows changed
        Structure,  // rows added, removed, reordered or cleared
    };
    Q_ENUM(Level)

    explicit PlaylistModel(QObject *parent = nullptr);

    int entryCount() const { return static_cast<int>(entries_.size()); }
    // The entry a position names, or nothing. Positions come from the
    // settings, commands, plug-ins and other windows: every one of them is
    // turned into an entry here.
    const PlaylistEntry *entryAt(int index) const;
    const std::vector<PlaylistEntry> &entries() const { return entries_; }
    void setColumn(int index, PlaylistEntry::Column column, const QString &text);
    void setUnopenable(int index, bool unopenable);
    void setShownTitle(int index, const QString &text);

    void clearEntries();
    // The folder is stored absolute, so the entry survives a change of the
    // current folder and the next start.
    void addFileEntry(const QString &path);
    void addNetworkEntry(const QString &text);
    // A file whose folder (with trailing "/") and size are already known.
    void addFileEntry(const QString &folder, const QString &name, qint64 sizeKb);
    // The entry at `index` gives way to network entries for the addresses,
    // in their order (a station list read in place of its address).
    void replaceWithNetworkEntries(int index, const QStringList &addresses);
    // Removes every entry whose flag is set, with its played mark.
    void removeEntries(const std::vector<char> &removed);
    void swapEntries(int a, int b);
    void reverseEntries();
    // By title, ascending, in the user's locale; equal titles keep their
    // order. The current song, the pending request and the played marks
    // move with their entries: a sort never changes what plays.
    void sortEntries();
    // After every change of the list: sorts when it is kept sorted, then
    // renumbers. A change its writer left unsettled is settled before it is
    // told, so no way of adding can leave a kept-sorted list unsorted.
    void settle();
    void renumberEntries();
    // Path followed by the file-name part of the title; an address for a
    // network entry; empty beyond the end.
    QString entryPath(int index) const;

    static bool isNetworkEntry(const QString &text);

    int currentIndex() const { return currentIndex_; }
    void setCurrentIndex(int index);

    // Tells the changes gathered so far now rather than at the next turn,
    // for a writer that goes on to select or scroll to the rows it changed.
    void deliverChanges();

    // A request to play that position, taken by the next tick.
    int pendingIndex = NoPosition;
    PlayedMarks playedMarks;
    bool keepSorted = false;
    bool musicGroup = false;
    QString lastFolder;        // ends in "/" once set
    QString lastPlaylistFile;  // saved or opened from the main window

signals:
    // Rows first ... first + count - 1 changed at this level. Structure is
    // told before Metadata; told in the same turn, a Metadata range beyond
    // the Structure range's first row may name rows that have moved since.
    void changed(PlaylistModel::Level level, int first, int count);
    void currentChanged(int index);

private:
    // Positions first ... end - 1; empty when first is -1.
    struct Span {
        int first = -1;
        int end = 0;
    };

    void append(PlaylistEntry entry);
    void note(Level level, int first, int count);
    void scheduleDelivery();

    std::vector<PlaylistEntry> entries_;
    bool unsettled_ = false;  // rows added, moved or retitled since settle()
    int currentIndex_ = 0;
    int toldIndex_ = 0;  // as the last currentChanged told it
    std::array<Span, 2> pending_;
    QTimer delivery_;
};
