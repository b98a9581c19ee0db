#include "playlist_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// Lists made on other systems may be in Windows-1252 rather than UTF-8.
QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? windows1252(bytes) : QString::fromLatin1(bytes);
}

}  // namespace

void appendPlaylistFile(PlaylistModel &playlist, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QDir folder = QFileInfo(path).absoluteDir();
    const QStringList lines = decode(file.readAll()).split('\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (PlaylistModel::isNetworkEntry(line))
            playlist.addNetworkEntry(line);
        else
            playlist.addFileEntry(QDir::cleanPath(folder.absoluteFilePath(line)));
    }
}
