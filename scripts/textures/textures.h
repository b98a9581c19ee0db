#pragma once

// The textures shipped with the player, each drawn from the built-in
// texture's layout and pictures where it shares them.

#include "art.h"

#include "appearance/texture_set.h"

TextureArt paintEmber(const TextureSet &builtin);
TextureArt paintMoss(const TextureSet &builtin);
