#include "toc_sheet.h"

#include "platform/regular_file.h"

#include <QFile>

#include <cstring>
#include <map>

#include <sys/stat.h>

namespace cd {
namespace {

// Bytes of a sector's data by track mode; libcdio gives other modes none.
const std::map<QByteArray, long long> &dataSizes()
{
    static const std::map<QByteArray, long long> sizes{
        {"AUDIO", 2352}, {"MODE1", 2048}, {"MODE1_RAW", 2048}, {"MODE2_FORM_MIX", 2336}, {"MODE2_RAW", 2048}};
    return sizes;
}

// One strtok() step: the next token of `line` from `at` between any of
// `delimiters`; `at` moves past the delimiter strtok() overwrites.
QByteArray nextToken(const QByteArray &line, qsizetype &at, const char *delimiters)
{
    while (at < line.size() && std::strchr(delimiters, line[at]))
        ++at;
    const qsizetype start = at;
    while (at < line.size() && !std::strchr(delimiters, line[at]))
        ++at;
    const QByteArray token = line.mid(start, at - start);
    if (at < line.size())
        ++at;
    return token;
}

// Frames of "mm:ss:ff" (or "0") as libcdio reads it; -1 when it is none.
long long framesOf(const QByteArray &msf)
{
    if (msf == "0")
        return 0;
    const QByteArrayList parts = msf.split(':');
    if (parts.size() != 3 || parts[0].isEmpty() || parts[0].size() > 9)
        return -1;
    for (const QByteArray &part : parts)
        for (const char c : part)
            if (c < '0' || c > '9')
                return -1;
    if (parts[1].isEmpty() || parts[1].size() > 2 || parts[2].isEmpty() || parts[2].size() > 2)
        return -1;
    const long long minutes = parts[0].toLongLong(), seconds = parts[1].toInt(), frames = parts[2].toInt();
    return seconds < 60 && frames < 75 ? (minutes * 60 + seconds) * 75 + frames : -1;
}

long long sizeOf(const QByteArray &path)
{
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

}  // namespace

// libcdio reads fgets() pieces of at most 511 bytes, each a C string cut at
// "//": the keyword up to a blank, then a track's mode up to a blank, or a
// file's name up to a quote, a tab or the line's end and its start and
// length up to blanks.
TocSheet readTocSheet(const QString &path)
{
    TocSheet sheet;
    QFile file(path);
    if (!platform::openRegularFile(file, QIODevice::ReadOnly))
        return sheet;
    int tracks = 0, trackFiles = 0;
    long long dataSize = 0;  // of the current track
    char line[512];
    while (file.readLine(line, sizeof line) > 0) {
        QByteArray piece(line, static_cast<qsizetype>(std::strlen(line)));
        if (const qsizetype comment = piece.indexOf("//"); comment >= 0)
            piece.truncate(comment);
        qsizetype at = 0;
        const QByteArray keyword = nextToken(piece, at, " \t\n\r");
        QString problem;
        if (keyword == "TRACK") {
            const auto mode = dataSizes().find(nextToken(piece, at, " \t\n\r"));
            dataSize = mode == dataSizes().end() ? 0 : mode->second;
            trackFiles = 0;
            if (++tracks > 99)
                problem = QStringLiteral("more than 99 tracks");
            else if (dataSize == 0)
                problem = QStringLiteral("track %1 has no mode this player reads").arg(tracks);
        } else if ((keyword == "ISRC" || keyword == "SILENCE") && tracks == 0) {
            problem = QStringLiteral("%1 before the first track").arg(QString::fromLatin1(keyword));
        } else if (keyword == "FILE" || keyword == "AUDIOFILE" || keyword == "DATAFILE") {
            const QByteArray name = nextToken(piece, at, "\"\t\n\r");
            if (name.isEmpty())
                continue;
            sheet.files.push_back(name);
            const long long size = sizeOf(name);
            if (tracks == 0)
                continue;  // libcdio refuses the line before it opens the file
            if (size < 0)
                problem = QStringLiteral("track %1: no file %2").arg(tracks).arg(QFile::decodeName(name));
            else if (++trackFiles > 1)
                problem = QStringLiteral("track %1 has more than one file").arg(tracks);
            nextToken(piece, at, " \t\n\r");  // start
            const long long length = keyword == "DATAFILE" ? 0 : framesOf(nextToken(piece, at, " \t\n\r"));
            if (problem.isEmpty() && length > 0 && length * dataSize > size)
                problem = QStringLiteral("track %1: %2 holds less than its length").arg(tracks).arg(QFile::decodeName(name));
        }
        if (!problem.isEmpty()) {
            sheet.problem = problem;
            break;
        }
    }
    return sheet;
}

}  // namespace cd
