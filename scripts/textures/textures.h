#pragma once

// The textures shipped with the player: each draws its pictures for the
// layout its description file gives, and makes its secondary windows from
// the built-in texture's.

#include "art.h"

#include "appearance/texture_set.h"

void paintEmber(TextureArt &texture, const TextureSet &builtin);
void paintMoss(TextureArt &texture, const TextureSet &builtin);
// A Winamp skin: its bitmaps only, no description file.
void paintAlloy(TextureArt &texture, const TextureSet &builtin);
// Alloy's "pledit.txt": the playlist's colours in its green displays.
QByteArray alloyPlaylistColours();
