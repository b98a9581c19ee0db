#include "playlist_file.h"

#include "playlist_edits.h"
#include "playlist_formats.h"

#include "platform/data_folders.h"
#include "platform/regular_file.h"
#include "platform/text_decoding.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <optional>

#include <sys/stat.h>

namespace playlist_files {

namespace {

const QString notText = QStringLiteral("not a playlist file (it holds no text)");

// ".pls": the second-last character of the list's name.
bool isPlsName(const QString &name)
{
    return name.size() >= 2 && name[name.size() - 2].toLower() == QLatin1Char('l');
}

// ".mp1", ".mp2", ".mp3": the second-last character names a song.
bool isSongName(const QString &name)
{
    return name.size() >= 2 && name[name.size() - 2].toLower() == QLatin1Char('p');
}

const QRegularExpression &plsFileKey()
{
    static const QRegularExpression key(QStringLiteral("^file[0-9]+=(.*)$"), QRegularExpression::CaseInsensitiveOption);
    return key;
}

// A line break in a file name cannot stand on a line of its own: such a
// name is written as a file address, and read back from one.
bool isFileAddress(const QString &line)
{
    return line.startsWith(QLatin1String("file://"), Qt::CaseInsensitive);
}

// What a line names: a "FileN=" value of a .pls list, or any line of
// another list but an extended M3U comment. Nothing for the other lines.
std::optional<QString> nameOnLine(QString line, bool pls)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.trimmed().isEmpty())
        return std::nullopt;
    if (pls) {
        const QRegularExpressionMatch match = plsFileKey().match(line);
        if (!match.hasMatch() || match.captured(1).trimmed().isEmpty())
            return std::nullopt;
        line = match.captured(1);
    } else if (line.startsWith('#')) {
        return std::nullopt;
    }
    if (isFileAddress(line)) {
        const QString local = QUrl(line).toLocalFile();
        return local.isEmpty() ? std::nullopt : std::optional<QString>(local);
    }
    return line;
}

struct ListFile {
    QStringList names;
    QString error;
    bool isText = true;
};

// The names a list holds. A .pls without a single "FileN=" key (as lists of
// bare lines saved under that name are) is read line by line.
ListFile readList(const QString &name)
{
    QFile file(name);
    QString error;
    if (!platform::openRegularFile(file, QIODevice::ReadOnly, &error))
        return {{}, error};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    const std::optional<QString> text = platform::decodeTextFile(bytes);
    if (!text)
        return {{}, notText, false};
    return {namesInList(*text, isPlsName(name))};
}

// Lists name many files: one plain stat each keeps long lists fast.
qint64 regularFileSize(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return static_cast<qint64>(info.st_size);
}

QString resolved(const QDir &folder, const QString &line)
{
    return QDir::isAbsolutePath(line) ? line : QDir::cleanPath(folder.absoluteFilePath(line));
}

}  // namespace

QStringList namesInList(QString text, bool plsName)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split('\n');
    const bool pls = plsName && std::any_of(lines.begin(), lines.end(),
                                            [](const QString &line) { return plsFileKey().match(line).hasMatch(); });
    QStringList names;
    for (const QString &line : lines)
        if (std::optional<QString> named = nameOnLine(line, pls))
            names << *named;
    return names;
}

QString readPlaylistFile(PlaylistModel &playlist, const QString &name)
{
    const ListFile list = readList(name);
    const QDir folder = QFileInfo(name).absoluteDir();
    for (const QString &named : list.names) {
        if (PlaylistModel::isNetworkEntry(named)) {
            playlist.addNetworkEntry(named);
            continue;
        }
        const QString path = resolved(folder, named);
        const QChar last = path.back();
        if (last != '1' && last != '2' && last != '3')
            continue;
        const qint64 size = regularFileSize(path);
        const qsizetype slash = path.lastIndexOf('/');
        if (size >= 0)
            playlist.addFileEntry(path.left(slash + 1), path.mid(slash + 1), size / 1024);
    }
    playlist.renumberEntries();
    return list.error;
}

QString openFromMainWindow(PlaylistModel &playlist, const QString &name)
{
    if (PlaylistModel::isNetworkEntry(name)) {
        playlist.clearEntries();
        playlist.setCurrentIndex(0);
        playlist.addNetworkEntry(name);
        playlist.renumberEntries();
        return {};
    }
    if (isSongName(name)) {
        playlist.clearEntries();
        playlist.setCurrentIndex(0);
        playlist.addFileEntry(name);
        playlist_edits::applyMusicGroup(playlist);
        return {};
    }
    const ListFile list = readList(name);
    if (!list.isText)
        return QStringLiteral("\"%1\" is %2.").arg(name, notText);
    playlist.clearEntries();
    playlist.setCurrentIndex(0);
    playlist.lastPlaylistFile = name;
    const QDir folder = QFileInfo(name).absoluteDir();
    for (const QString &named : list.names) {
        if (PlaylistModel::isNetworkEntry(named))
            playlist.addNetworkEntry(named);
        else
            playlist.addFileEntry(resolved(folder, named));
    }
    playlist_edits::applyMusicGroup(playlist);
    return {};
}

QString writePlaylistFile(const PlaylistModel &playlist, const QString &name)
{
    return platform::saveWholeFile(name, playlistText(playlist, listKindOf(name)));
}

QString defaultPlaylistPath()
{
    return platform::DataFolders::current().user() + QStringLiteral("Ludro.m3u");
}

}  // namespace playlist_files
