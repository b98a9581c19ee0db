#include "appearance/texture_manager.h"

#include "appearance/texture_archive.h"
#include "appearance/texture_loader.h"
#include "appearance/winamp_skin.h"
#include "platform/data_folders.h"
#include "platform/user_folder.h"

#include <QFileInfo>

#include <utility>

TextureManager::TextureManager(QStringList texturesFolders, QObject *parent)
    : QObject(parent), texturesFolders_(std::move(texturesFolders)),
      texture_(std::make_shared<const TextureSet>(TextureSet::builtin()))
{
}

QStringList TextureManager::names() const
{
    QList<QStringList> folders{{BuiltinName}};
    QList<QStringList> archives;
    for (const QString &folder : texturesFolders_) {
        folders << platform::subfolderNames(folder);
        QStringList &files = archives.emplace_back();
        for (const QString &file : platform::fileNames(folder))
            if (isTextureArchiveName(file) && QFileInfo(folder + file).isFile())
                files.append(file);
    }
    return platform::mergedNames(folders + archives);
}

namespace {

LoadedTexture load(const QString &path, const QString &name)
{
    const QString missing = QStringLiteral("The texture \"%1\" cannot be found.").arg(name);
    if (isTextureArchiveName(name) && QFileInfo(path).isFile()) {
        const TextureArchive archive(path);
        if (!archive.usable())
            return {nullptr, QStringLiteral("%1 is no zip archive that can be read.").arg(name)};
        return loadWinampSkin(archive);
    }
    const TextureFolder folder(path);
    return folder.usable() ? loadTextureFolder(folder) : LoadedTexture{nullptr, missing};
}

}  // namespace

bool TextureManager::apply(const QString &name, QString *error)
{
    auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (name == BuiltinName) {
        setTexture(name, std::make_shared<const TextureSet>(TextureSet::builtin()));
        return true;
    }
    if (!platform::isPlainName(name) || texturesFolders_.isEmpty())
        return fail(QStringLiteral("The texture \"%1\" cannot be found.").arg(name));
    LoadedTexture loaded = load(platform::findInFolders(texturesFolders_, name), name);
    if (!loaded.texture)
        return fail(loaded.error);
    setTexture(name, std::move(loaded.texture));
    return true;
}

void TextureManager::setTexture(const QString &name, std::shared_ptr<const TextureSet> texture)
{
    if (!texture)
        return;
    name_ = name;
    texture_ = std::move(texture);
    emit textureChanged();
}

void TextureManager::setWindowScale(qreal scale)
{
    if (scale == windowScale_)
        return;
    windowScale_ = scale;
    emit windowScaleChanged();
}
