#include "file_drop.h"

#include "playlist_edits.h"
#include "playlist_file.h"

#include <QFileInfo>

namespace file_drop {

namespace {

bool hasMpegEnding(const QString &name)
{
    return name.size() >= 3 && name[name.size() - 3].toLower() == 'm' && name[name.size() - 2].toLower() == 'p';
}

bool hasSongExtension(const QString &name)
{
    const QString extension = name.section('.', -1).toLower();
    return name.contains('.') && (extension == "mp1" || extension == "mp2" || extension == "mp3");
}

void readList(PlaylistModel &playlist, const QString &name, QStringList &errors)
{
    const QString error = playlist_files::readPlaylistFile(playlist, name);
    if (!error.isEmpty())
        errors << QStringLiteral("Could not read \"%1\": %2").arg(name, error);
}

}  // namespace

QStringList dropOnMainWindow(PlaylistModel &playlist, const QStringList &names, const DropOptions &options)
{
    if (options.clearList)
        playlist_edits::deleteAll(playlist);
    QStringList errors;
    QString lastSong;
    for (const QString &name : names) {
        if (hasMpegEnding(name)) {
            playlist.addFileEntry(name);
            lastSong = QFileInfo(name).absoluteFilePath();
        } else {
            readList(playlist, name, errors);
        }
    }
    playlist_edits::applyMusicGroup(playlist);
    playlist.settle();
    if (options.startPlay && !lastSong.isEmpty())
        for (int i = playlist.entryCount() - 1; i >= 0; --i)
            if (playlist.entryPath(i) == lastSong) {
                playlist.pendingIndex = i;
                break;
            }
    return errors;
}

QStringList dropOnPlaylistWindow(PlaylistModel &playlist, const QStringList &names)
{
    QStringList errors;
    for (const QString &name : names) {
        if (hasSongExtension(name))
            playlist.addFileEntry(name);
        else
            readList(playlist, name, errors);
    }
    playlist_edits::applyMusicGroup(playlist);
    playlist.settle();
    return errors;
}

QStringList addNamed(PlaylistModel &playlist, const QStringList &names)
{
    QStringList errors;
    for (const QString &name : names) {
        if (PlaylistModel::isNetworkEntry(name))
            playlist.addNetworkEntry(name);
        else if (hasMpegEnding(name))
            playlist.addFileEntry(name);
        else
            readList(playlist, name, errors);
    }
    playlist_edits::applyMusicGroup(playlist);
    return errors;
}

}  // namespace file_drop
