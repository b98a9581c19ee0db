#include "image_files.h"

#include "platform/regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <unistd.h>

namespace cd {
namespace {

constexpr qint64 maxSheetBytes = 1 << 20;  // cue sheets and .toc files take a few KB

QString suffixOf(const QString &name)
{
    return QFileInfo(name).suffix().toLower();
}

QString sibling(const QString &name, const QString &suffix)
{
    const QFileInfo info(name);
    return info.dir().filePath(info.completeBaseName() + suffix);
}

// The names the file lines of a cue sheet or .toc give, in order; none
// when it is no regular file.
QStringList namedFiles(const QString &sheet, const QRegularExpression &fileLine)
{
    QFile file(sheet);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return {};
    QStringList names;
    const QStringList lines = QString::fromUtf8(file.read(maxSheetBytes)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = fileLine.match(line);
        if (match.hasMatch())
            names << match.captured(match.lastCapturedIndex());
    }
    return names;
}

}  // namespace

QString cueDataFile(const QString &cue)
{
    static const QRegularExpression fileLine(R"re(^\s*FILE\s+(?:"([^"]+)"|(\S+)))re",
                                             QRegularExpression::CaseInsensitiveOption);
    const QStringList names = namedFiles(cue, fileLine);
    return names.isEmpty() ? QString() : QFileInfo(cue).dir().filePath(names.front());
}

QString cueAudioFile(const QString &cue)
{
    const QString named = cueDataFile(cue);
    return !named.isEmpty() && QFileInfo::exists(named) ? named : sibling(cue, QStringLiteral(".bin"));
}

QStringList imageFiles(const QString &name)
{
    const QString suffix = suffixOf(name);
    if (suffix == QLatin1String("cue"))
        return {name, cueAudioFile(name)};
    if (suffix == QLatin1String("bin"))
        return {name, sibling(name, QStringLiteral(".cue"))};
    if (suffix != QLatin1String("toc"))
        return {name};
    // libcdio takes the names as they stand, so from the current folder.
    static const QRegularExpression fileLine(R"re(^\s*(?:FILE|AUDIOFILE|DATAFILE)\s+"([^"\t\r\n]+)")re");
    QStringList files{name};
    for (const QString &named : namedFiles(name, fileLine))
        files << QFileInfo(named).absoluteFilePath();
    return files;
}

QString imageProblem(const QString &name)
{
    for (const QString &file : imageFiles(name)) {
        if (!QFileInfo::exists(file))
            continue;
        std::string error;
        const int fd = platform::openRegularFile(QFile::encodeName(file).constData(), O_RDONLY, error);
        if (fd < 0)
            return QStringLiteral("%1: %2").arg(file, QString::fromLocal8Bit(error.c_str()));
        ::close(fd);
    }
    return {};
}

}  // namespace cd
