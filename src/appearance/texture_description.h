#pragma once

// A texture folder's description of its layout: "Texture.ini", or the older
// "prefs" file of values one per line. Each reads over the layout it is
// given (the built-in one); an error (a colour that is neither a name nor
// a number, a number in "prefs" that is none) stops reading there and
// keeps what was read before it.

#include "appearance/texture_layout.h"

#include <QByteArray>
#include <QString>

// Description files are small; anything larger is no description.
inline constexpr qint64 MaxDescriptionBytes = 256 * 1024;

// Without Cool Bar pictures the Cool Bar keeps the built-in layout.
void readTextureIni(const QByteArray &bytes, bool hasCoolBarPictures, TextureLayout &layout, TextureInfo &info);

// `folderName` is shown as the texture's name.
void readLegacyPrefs(const QByteArray &bytes, const QString &folderName, bool hasCoolBarPictures, TextureLayout &layout,
                     TextureInfo &info);
