#include "user_folder.h"

#include "regular_file.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace platform {

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith('.') && !name.contains('/') && !name.contains(QChar(0));
}

QStringList subfolderNames(const QString &folder)
{
    QStringList names;
    for (const QString &entry : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable))
        if (isPlainName(entry))
            names << entry;
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QStringList fileNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QString findIgnoringCase(const QStringList &names, const QString &name)
{
    if (names.contains(name))
        return name;
    const auto match = std::find_if(names.begin(), names.end(), [&name](const QString &entry) {
        return entry.compare(name, Qt::CaseInsensitive) == 0;
    });
    return match == names.end() ? QString() : *match;
}

std::optional<QByteArray> readLimitedFile(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!openRegularFile(file, QIODevice::ReadOnly) || file.size() > limit)
        return std::nullopt;
    // The size is known, so no buffer of the limit's size is made.
    QByteArray bytes = file.read(file.size() + 1);
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

}  // namespace platform
