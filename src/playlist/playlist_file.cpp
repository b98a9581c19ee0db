#include "playlist_file.h"

#include "platform/text_decoding.h"

#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <optional>

#include <sys/stat.h>

namespace playlist_files {

namespace {

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

// What a line names: a .pls "FileN=" value, or any line of another list
// but an extended M3U comment. Nothing for the other lines.
std::optional<QString> nameOnLine(QString line, bool pls)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.trimmed().isEmpty())
        return std::nullopt;
    if (pls) {
        static const QRegularExpression fileKey(QStringLiteral("^file[0-9]+=(.*)$"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = fileKey.match(line);
        if (!match.hasMatch() || match.captured(1).trimmed().isEmpty())
            return std::nullopt;
        return match.captured(1);
    }
    if (line.startsWith('#'))
        return std::nullopt;
    return line;
}

struct ReadLines {
    QStringList lines;
    QString error;
};

ReadLines readLines(const QString &name)
{
    if (QFileInfo(name).isDir())
        return {{}, QString::fromLocal8Bit(std::strerror(EISDIR))};
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    QString text = platform::decodeText(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return {{}, file.errorString()};
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return {text.split('\n'), {}};
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

QString readPlaylistFile(PlaylistModel &playlist, const QString &name)
{
    const ReadLines read = readLines(name);
    const QDir folder = QFileInfo(name).absoluteDir();
    const bool pls = isPlsName(name);
    for (const QString &line : read.lines) {
        const std::optional<QString> named = nameOnLine(line, pls);
        if (!named)
            continue;
        if (PlaylistModel::isNetworkEntry(*named)) {
            playlist.addNetworkEntry(*named);
            continue;
        }
        const QString path = resolved(folder, *named);
        const QChar last = path.back();
        if (last != '1' && last != '2' && last != '3')
            continue;
        const qint64 size = regularFileSize(path);
        const qsizetype slash = path.lastIndexOf('/');
        if (size >= 0)
            playlist.addFileEntry(path.left(slash + 1), path.mid(slash + 1), size / 1024);
    }
    playlist.renumberEntries();
    return read.error;
}

void openFromMainWindow(PlaylistModel &playlist, const QString &name)
{
    playlist.clearEntries();
    playlist.currentIndex = 0;
    if (isSongName(name)) {
        playlist.addFileEntry(name);
        playlist.renumberEntries();
        return;
    }
    playlist.lastPlaylistFile = name;
    const QDir folder = QFileInfo(name).absoluteDir();
    const bool pls = isPlsName(name);
    for (const QString &line : readLines(name).lines) {
        const std::optional<QString> named = nameOnLine(line, pls);
        if (!named)
            continue;
        if (PlaylistModel::isNetworkEntry(*named))
            playlist.addNetworkEntry(*named);
        else
            playlist.addFileEntry(resolved(folder, *named));
    }
    playlist.renumberEntries();
}

QString writePlaylistFile(const PlaylistModel &playlist, const QString &name)
{
    QByteArray text;
    for (int i = 0; i < playlist.entryCount(); ++i) {
        const QString &title = playlist.entry(i)[PlaylistEntry::Title];
        text += (PlaylistModel::isNetworkEntry(title) ? title : playlist.entryPath(i)).toUtf8();
        text += '\n';
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(text) != text.size() || !file.commit())
        return file.errorString();
    return {};
}

QString defaultPlaylistPath()
{
    return platform::programFolder() + QStringLiteral("Ludro.m3u");
}

}  // namespace playlist_files
