#include "image_files.h"

#include "toc_sheet.h"

#include "platform/regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cd {
namespace {

// The file a .cue's first FILE line names, from the .cue's folder; empty
// when it names none or the .cue is no regular file.
QString cueDataFile(const QString &cue)
{
    static const QRegularExpression fileLine(R"re(^\s*FILE\s+(?:"([^"]+)"|(\S+)))re",
                                             QRegularExpression::CaseInsensitiveOption);
    QFile file(cue);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        QByteArray line = file.readLine(4096);
        line.truncate(std::strlen(line.constData()));  // a file name ends at a NUL
        const QRegularExpressionMatch match = fileLine.match(QString::fromUtf8(line));
        if (match.hasMatch())
            return QFileInfo(cue).dir().filePath(match.captured(match.lastCapturedIndex()));
    }
    return {};
}

// Every file libcdio opens for the image `name`, encoded, the image first.
std::vector<QByteArray> imagePaths(const QString &name, const TocSheet &toc)
{
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("cue"))
        return {QFile::encodeName(name), QFile::encodeName(cueAudioFile(name))};
    if (suffix == QLatin1String("bin"))
        return {QFile::encodeName(name), QFile::encodeName(imagePair(name))};
    std::vector<QByteArray> paths{QFile::encodeName(name)};
    paths.insert(paths.end(), toc.files.begin(), toc.files.end());  // from the current folder, as libcdio opens them
    return paths;
}

}  // namespace

QString imagePair(const QString &name)
{
    static const std::pair<QLatin1String, QLatin1String> pairs[] = {
        {QLatin1String("cue"), QLatin1String("bin")},
        {QLatin1String("bin"), QLatin1String("cue")},
        {QLatin1String("CUE"), QLatin1String("BIN")},
        {QLatin1String("BIN"), QLatin1String("CUE")},
    };
    const QString suffix = QFileInfo(name).suffix();
    for (const auto &[from, to] : pairs)
        if (suffix == from)
            return name.left(name.size() - from.size()) + to;
    return {};
}

QString cueAudioFile(const QString &cue)
{
    const QString named = cueDataFile(cue);
    return !named.isEmpty() && QFileInfo::exists(named) ? named : imagePair(cue);
}

QString imageProblem(const QString &name)
{
    const TocSheet toc = QFileInfo(name).suffix().toLower() == QLatin1String("toc") ? readTocSheet(name) : TocSheet();
    for (const QByteArray &path : imagePaths(name, toc)) {
        struct stat info {};
        if (::stat(path.constData(), &info) != 0)
            continue;  // missing: libcdio finds no disc
        std::string error;
        const int fd = platform::openRegularFile(path.constData(), O_RDONLY, error);
        if (fd < 0)
            return QStringLiteral("%1: %2").arg(QFile::decodeName(path), QString::fromLocal8Bit(error.c_str()));
        ::close(fd);
    }
    return toc.problem.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(name, toc.problem);
}

}  // namespace cd
