#include "appearance/texture_source.h"

#include "platform/user_folder.h"

#include <QFileInfo>

TextureFolder::TextureFolder(const QString &path) : path_(path), files_(platform::fileNames(path)) {}

bool TextureFolder::usable() const
{
    const QFileInfo folder(path_);
    return folder.isDir() && folder.isReadable() && folder.isExecutable();
}

std::optional<QByteArray> TextureFolder::file(const QString &name, qint64 limit) const
{
    const QString found = platform::findIgnoringCase(files_, name);
    if (found.isEmpty())
        return std::nullopt;
    return platform::readLimitedFile(path_ + '/' + found, limit);
}

QString TextureFolder::name() const
{
    return QFileInfo(path_).fileName();
}
