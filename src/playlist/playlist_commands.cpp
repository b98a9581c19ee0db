#include "playlist_commands.h"

#include "folder_walk.h"
#include "playlist_edits.h"
#include "playlist_file.h"

#include <QFileInfo>

namespace {

QString folderOf(const QString &name)
{
    return QFileInfo(name).absolutePath() + '/';
}

bool hasSongEnding(const QString &name)
{
    const QChar last = name.isEmpty() ? QChar() : name.back();
    return last == '1' || last == '2' || last == '3';
}

}  // namespace

PlaylistCommands::PlaylistCommands(PlaylistModel &playlist, platform::Dialogs &dialogs)
    : playlist_(playlist), dialogs_(dialogs)
{
}

bool PlaylistCommands::readList(const QString &name)
{
    const QString error = playlist_files::readPlaylistFile(playlist_, name);
    if (error.isEmpty())
        return true;
    dialogs_.error(QStringLiteral("Could not read \"%1\": %2").arg(name, error));
    return false;
}

void PlaylistCommands::finishAdding()
{
    playlist_edits::applyMusicGroup(playlist_);
    playlist_.settle();
}

void PlaylistCommands::addFiles()
{
    const QStringList names =
        dialogs_.openFileNames(QStringLiteral("Open MPx or Playlist"), playlist_.lastFolder,
                               QStringLiteral("MPx and Playlist Files (*.mp1 *.mp2 *.mp3 *.m3u *.m3u8 *.dmp *.pls)"));
    if (names.isEmpty())
        return;
    playlist_.lastFolder = folderOf(names.front());
    for (const QString &name : names) {
        if (hasSongEnding(name))
            playlist_.addFileEntry(name);
        else if (!readList(name))
            break;
    }
    finishAdding();
}

void PlaylistCommands::addDirectories()
{
    const QString folder = dialogs_.folderName(folderCaption_, playlist_.lastFolder);
    if (folder.isEmpty())
        return;
    folder_walk::walk(folder, [this](const folder_walk::FoundFile &file) {
        playlist_.addFileEntry(file.folder, file.name, file.sizeKb);
    });
    finishAdding();
}

void PlaylistCommands::addUrl()
{
    const QString address = dialogs_.askAddress();
    if (address.isEmpty())
        return;
    playlist_.addNetworkEntry(address);
    playlist_.settle();
}

void PlaylistCommands::deleteSelected(const std::vector<char> &selected)
{
    playlist_edits::deleteEntries(playlist_, selected, false);
}

void PlaylistCommands::deleteAllButSelected(const std::vector<char> &selected)
{
    playlist_edits::deleteEntries(playlist_, selected, true);
}

void PlaylistCommands::deleteAll()
{
    playlist_edits::deleteAll(playlist_);
}

void PlaylistCommands::loadPlaylist()
{
    const QString name = dialogs_.openFileName(QStringLiteral("Load Playlist File"), playlist_.lastFolder,
                                               QStringLiteral("Playlist Files (*.m3u *.m3u8 *.pls *.dmp)"));
    if (name.isEmpty())
        return;
    playlist_.lastFolder = folderOf(name);
    playlist_edits::deleteAll(playlist_);
    readList(name);
    finishAdding();
}

void PlaylistCommands::savePlaylist()
{
    if (playlist_.entryCount() == 0)
        return;
    const QString name = dialogs_.saveFileName(QStringLiteral("Save Playlist"), playlist_.lastFolder,
                                               QStringLiteral("M3U playlist (*.m3u);;M3U playlist in UTF-8 (*.m3u8);;"
                                                              "PLS playlist (*.pls);;Plain list (*.dmp)"));
    if (name.isEmpty())
        return;
    const QString error = playlist_files::writePlaylistFile(playlist_, name);
    if (!error.isEmpty()) {
        dialogs_.error(QStringLiteral("Could not write \"%1\": %2").arg(name, error));
        return;
    }
    playlist_.lastPlaylistFile = name;
}

void PlaylistCommands::toggleMusicGroup()
{
    playlist_.musicGroup = !playlist_.musicGroup;
    finishAdding();
}

void PlaylistCommands::setKeepSorted(bool on)
{
    playlist_.keepSorted = on;
    playlist_.settle();
}

void PlaylistCommands::sortOnce()
{
    playlist_.keepSorted = false;
    playlist_edits::sort(playlist_);
}

void PlaylistCommands::randomize()
{
    if (!playlist_.keepSorted)
        playlist_edits::randomize(playlist_, random_);
}

void PlaylistCommands::reverse()
{
    if (!playlist_.keepSorted)
        playlist_edits::reverse(playlist_);
}

int PlaylistCommands::moveUp(int index)
{
    return playlist_.keepSorted ? -1 : playlist_edits::moveUp(playlist_, index);
}

int PlaylistCommands::moveDown(int index)
{
    return playlist_.keepSorted ? -1 : playlist_edits::moveDown(playlist_, index);
}

void PlaylistCommands::playEntry(int index)
{
    if (index >= 0 && index < playlist_.entryCount())
        playlist_.pendingIndex = index;
}
