#include "appearance/texture_manager.h"

#include "appearance/texture_archive.h"
#include "appearance/texture_loader.h"
#include "appearance/winamp_skin.h"
#include "platform/user_folder.h"

#include <QFileInfo>

#include <utility>

TextureManager::TextureManager(const QString &texturesFolder, QObject *parent)
    : QObject(parent), texturesFolder_(texturesFolder),
      texture_(std::make_shared<const TextureSet>(TextureSet::builtin()))
{
}

QStringList TextureManager::names() const
{
    QStringList archives;
    if (!texturesFolder_.isEmpty())
        for (const QString &file : platform::fileNames(texturesFolder_))
            if (isTextureArchiveName(file) && QFileInfo(texturesFolder_ + file).isFile())
                archives.append(file);
    return QStringList{BuiltinName} + platform::subfolderNames(texturesFolder_) + archives;
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
    if (!platform::isPlainName(name) || texturesFolder_.isEmpty())
        return fail(QStringLiteral("The texture \"%1\" cannot be found.").arg(name));
    LoadedTexture loaded = load(texturesFolder_ + name, name);
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
