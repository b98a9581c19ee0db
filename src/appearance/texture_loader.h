#pragma once

// Loading a texture folder's files into a texture: each picture that can be
// read replaces the built-in one, the description file places everything,
// the mask picture shapes the window. Pure: no widgets are touched, so a
// texture is made off screen and handed to the texture manager.

#include "appearance/texture_set.h"
#include "appearance/texture_source.h"

#include <QString>

#include <memory>

struct LoadedTexture {
    std::shared_ptr<const TextureSet> texture;  // none when it cannot be used
    QString error;
};

// Windows smaller than this either way could not be seen or clicked.
inline constexpr int MinimumWindowSide = 8;

LoadedTexture loadTextureFolder(const TextureSource &source);
