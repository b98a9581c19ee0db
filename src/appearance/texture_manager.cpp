#include "appearance/texture_manager.h"

#include "appearance/texture_loader.h"
#include "platform/user_folder.h"

#include <utility>

TextureManager::TextureManager(const QString &texturesFolder, QObject *parent)
    : QObject(parent), texturesFolder_(texturesFolder),
      texture_(std::make_shared<const TextureSet>(TextureSet::builtin()))
{
}

QStringList TextureManager::names() const
{
    return QStringList{BuiltinName} + platform::subfolderNames(texturesFolder_);
}

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
    const TextureFolder folder(texturesFolder_ + name);
    if (!platform::isPlainName(name) || texturesFolder_.isEmpty() || !folder.usable())
        return fail(QStringLiteral("The texture \"%1\" cannot be found.").arg(name));
    LoadedTexture loaded = loadTextureFolder(folder);
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
