#pragma once

// Colours as texture files write them: 0x00BBGGRR, one of the 16 plain
// colour names, one of the 25 desktop colours (0x80000000 + index, taken
// from the desktop's palette when drawn) or clNone.

#include <QColor>
#include <QString>

#include <optional>

using TextureColor = quint32;

inline constexpr TextureColor NoColor = 0x1FFFFFFF;

// A colour name (letter case ignored) or an integer, decimal or hexadecimal
// after "$" or "0x"; nothing for anything else.
std::optional<TextureColor> parseTextureColor(const QString &text);

// An integer as texture files write them: decimal, or hexadecimal after
// "$" or "0x", with an optional sign; blanks around it are ignored.
std::optional<int> parseTextureInteger(const QString &text);

// clNone is transparent.
QColor toQColor(TextureColor color);
