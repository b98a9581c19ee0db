#include "encoder/job_files.h"

#include "platform/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace encoder {

QString makeJobFolder(const QString &destination)
{
    QByteArray pattern = QFile::encodeName(QDir(destination).filePath(QStringLiteral(".ludro-job-XXXXXX")));
    if (!mkdtemp(pattern.data()))
        return {};
    return QFile::decodeName(pattern);
}

bool moveWithoutReplacing(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // File systems without the flag: a hard link fails on an existing name too.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (link(source.constData(), target.constData()) != 0)
        return false;
    unlink(source.constData());
    return true;
}

QString oneComponentName(const QString &name, const QString &extension)
{
    QString safe = name;
    while (safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    safe.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QChar(0), QLatin1Char('_'));
    const qsizetype maxBytes = 255 - extension.toUtf8().size();
    qsizetype bytes = safe.toUtf8().size();
    while (bytes > maxBytes) {
        const qsizetype last = safe.size() >= 2 && safe.at(safe.size() - 1).isLowSurrogate() ? 2 : 1;
        bytes -= QStringView(safe).right(last).toUtf8().size();
        safe.chop(last);
    }
    if (safe.isEmpty())
        return {};
    return safe + extension;
}

QString Placement::note(const QString &wanted) const
{
    if (!freeName)
        return {};
    return QStringLiteral("%1 existed: kept as %2").arg(QFileInfo(wanted).fileName(), QFileInfo(path).fileName());
}

QString numberedName(const QString &path, int number)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    const QString name = oneComponentName(QStringLiteral("%1 (%2)").arg(stem).arg(number),
                                          suffix.isEmpty() ? QString() : '.' + suffix);
    return QDir(info.path()).filePath(name);
}

// The first "Name (N).ext" that is free, taken without replacing a file
// that appears meanwhile.
static Placement placeUnderFreeName(const QString &from, const QString &wanted)
{
    constexpr int lastNumber = 9999;
    for (int number = 2; number <= lastNumber; ++number) {
        const QString target = numberedName(wanted, number);
        if (moveWithoutReplacing(from, target))
            return {target, true};
        if (errno != EEXIST)
            break;
    }
    return {};
}

Placement placeResult(const QString &from, const QString &to, platform::Dialogs &dialogs, const Messages &texts)
{
    const QString folder = QFileInfo(to).path();
    QString target = to;
    while (target.isEmpty() || !moveWithoutReplacing(from, target)) {
        const QString asked = target.isEmpty() ? QFileInfo(to).fileName() : QFileInfo(target).fileName();
        const QString name = oneComponentName(dialogs.askText(texts["Error_Message1"], texts["Error_Message2"], asked));
        if (name.isEmpty())
            return placeUnderFreeName(from, to);
        target = QDir(folder).filePath(name);
    }
    return {target, false};
}

}  // namespace encoder
