#pragma once

// Pictures from files users bring: size-capped, read as BMP only and made
// opaque RGB32 (a 32-bit BMP may carry an alpha that the format's home
// platform ignores), and drawn only where they have pixels.

#include "appearance/texture_source.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

class QPainter;

inline constexpr int MaxBitmapSide = 4096;
inline constexpr qint64 MaxBitmapBytes = qint64(MaxBitmapSide) * MaxBitmapSide * 4 + 65536;

// The bitmap `name` of the source; nothing when it is missing, no BMP
// picture or larger than MaxBitmapSide either way.
std::optional<QImage> readTextureBitmap(const TextureSource &source, const QString &name);

// Draws the part of `source` that lies within `picture`, so that the
// rectangle's top-left lands at `at`. A tiny picture draws what it has; an
// empty rectangle draws nothing.
void drawPiece(QPainter &painter, QPoint at, const QImage &picture, const QRect &source);
