#include "playlist_formats.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace playlist_files {

ListKind listKindOf(const QString &name)
{
    const QString extension = QFileInfo(name).suffix().toLower();
    if (extension == QLatin1String("pls"))
        return ListKind::Pls;
    if (extension == QLatin1String("m3u") || extension == QLatin1String("m3u8"))
        return ListKind::ExtendedM3u;
    return ListKind::Lines;
}

QString listedName(const PlaylistModel &playlist, int index)
{
    const QString &title = (*playlist.entryAt(index))[PlaylistEntry::Title];
    QString name = PlaylistModel::isNetworkEntry(title) ? title : playlist.entryPath(index);
    if (name.contains('\n') || name.contains('\r'))
        name = QUrl::fromLocalFile(name).toString(QUrl::FullyEncoded);
    return name;
}

QString listedTitle(const PlaylistModel &playlist, int index)
{
    const PlaylistEntry &entry = *playlist.entryAt(index);
    QString title = entry[PlaylistEntry::Title];
    // A file's title may carry its music group before the name.
    if (const QFileInfo file(playlist.entryPath(index));
        !PlaylistModel::isNetworkEntry(title) && title.section('/', -1) == file.fileName())
        title = file.completeBaseName();
    if (const QString &artist = entry[PlaylistEntry::Artist]; !artist.isEmpty() && artist != QLatin1String("..."))
        title = artist + QStringLiteral(" - ") + title;
    // A title is one line of the list.
    return title.replace(QRegularExpression(QStringLiteral("[\\r\\n]")), QStringLiteral(" "));
}

int listedSeconds(const QString &time)
{
    int seconds = 0;
    const QStringList parts = time.split(':');
    if (parts.size() < 2 || parts.size() > 3)
        return -1;
    for (const QString &part : parts) {
        bool number = false;
        const int value = part.toInt(&number);
        if (!number || value < 0)
            return -1;
        seconds = seconds * 60 + value;
    }
    return seconds;
}

QByteArray playlistText(const PlaylistModel &playlist, ListKind kind)
{
    QString text;
    const int count = playlist.entryCount();
    if (kind == ListKind::Pls)
        text += QStringLiteral("[playlist]\n");
    if (kind == ListKind::ExtendedM3u)
        text += QStringLiteral("#EXTM3U\n");
    for (int i = 0; i < count; ++i) {
        const QString name = listedName(playlist, i);
        const int seconds = listedSeconds((*playlist.entryAt(i))[PlaylistEntry::Time]);
        switch (kind) {
        case ListKind::Pls:
            text += QStringLiteral("File%1=%2\nTitle%1=%3\nLength%1=%4\n")
                        .arg(QString::number(i + 1), name, listedTitle(playlist, i), QString::number(seconds));
            break;
        case ListKind::ExtendedM3u:
            text += QStringLiteral("#EXTINF:%1,%2\n%3\n").arg(QString::number(seconds), listedTitle(playlist, i), name);
            break;
        case ListKind::Lines:
            text += name + '\n';
        }
    }
    if (kind == ListKind::Pls)
        text += QStringLiteral("NumberOfEntries=%1\nVersion=2\n").arg(count);
    return text.toUtf8();
}

}  // namespace playlist_files
