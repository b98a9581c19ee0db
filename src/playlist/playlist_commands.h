#pragma once

// The playlist window's commands on the list, asking through the program's
// dialogs and reporting the user's own I/O failures in an error box.
// A selection is one flag per entry.

#include "playlist_model.h"
#include "platform/dialogs.h"

#include <random>
#include <vector>

class PlaylistCommands {
public:
    PlaylistCommands(PlaylistModel &playlist, platform::Dialogs &dialogs);

    void addFiles();
    void addDirectories();
    void addUrl();
    void deleteSelected(const std::vector<char> &selected);
    void deleteAllButSelected(const std::vector<char> &selected);
    void deleteAll();
    void loadPlaylist();
    void savePlaylist();
    void toggleMusicGroup();
    void setKeepSorted(bool on);
    void sortOnce();
    void randomize();
    void reverse();
    // The moved entry's new index, or -1 when nothing moved.
    int moveUp(int index);
    int moveDown(int index);
    void playEntry(int index);
    // The title of the folder box of "Directories...".
    void setFolderCaption(const QString &caption) { folderCaption_ = caption; }

private:
    // Stops at the first failure, which it reports; false then.
    bool readList(const QString &name);
    void finishAdding();

    PlaylistModel &playlist_;
    QString folderCaption_;
    platform::Dialogs &dialogs_;
    std::mt19937 random_{std::random_device{}()};
};
