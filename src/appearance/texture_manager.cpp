#include "appearance/texture_manager.h"

#include <utility>

TextureManager::TextureManager(QObject *parent)
    : QObject(parent), texture_(std::make_shared<const TextureSet>(TextureSet::builtin()))
{
}

void TextureManager::setTexture(const QString &name, std::shared_ptr<const TextureSet> texture)
{
    if (!texture)
        return;
    name_ = name;
    texture_ = std::move(texture);
    emit textureChanged();
}
