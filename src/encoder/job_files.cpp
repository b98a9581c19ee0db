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
    safe.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QChar(0), QLatin1Char('_'));
    const qsizetype maxBytes = 255 - extension.toUtf8().size();
    qsizetype bytes = safe.toUtf8().size();
    while (bytes > maxBytes) {
        const qsizetype last = safe.size() >= 2 && safe.at(safe.size() - 1).isLowSurrogate() ? 2 : 1;
        bytes -= QStringView(safe).right(last).toUtf8().size();
        safe.chop(last);
    }
    if (safe.isEmpty() || safe == QLatin1String(".") || safe == QLatin1String(".."))
        return {};
    return safe + extension;
}

bool placeResult(const QString &from, const QString &to, platform::Dialogs &dialogs, const Messages &texts)
{
    const QString folder = QFileInfo(to).path();
    QString target = to;
    while (target.isEmpty() || !moveWithoutReplacing(from, target)) {
        const QString answer = dialogs.askText(texts["Error_Message1"], texts["Error_Message2"], {});
        if (answer.isEmpty()) {
            QFile::remove(from);
            return false;
        }
        const QString name = oneComponentName(answer);
        target = name.isEmpty() ? QString() : QDir(folder).filePath(name);
    }
    return true;
}

}  // namespace encoder
