#pragma once

// Pictures from files users bring: size-capped, read as BMP only and made
// opaque RGB32 (a 32-bit BMP may carry an alpha that the format's home
// platform ignores), and drawn only where they have pixels. A few kilobytes
// of run-length coded or 1-bit bitmaps can declare gigabytes of pixels, so
// the pixels of one skin's bitmaps together are capped before they decode.

#include "appearance/texture_source.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

class QPainter;

inline constexpr int MaxBitmapSide = 4096;
inline constexpr qint64 MaxBitmapBytes = qint64(MaxBitmapSide) * MaxBitmapSide * 4 + 65536;

// Far above any real skin's bitmaps together (a Winamp skin has about half
// a million pixels), far below what a hostile one declares.
inline constexpr qint64 MaxSkinPixels = 16'000'000;

// The pixels a skin's bitmaps may still decode to. The first bitmap that
// does not fit puts the skin over its budget, and from then on none decodes.
class PixelBudget {
public:
    // Takes the pixels of a picture of `size`; false when they do not fit.
    bool take(QSize size);
    bool exceeded() const { return exceeded_; }
    // Why the skin `name` is refused.
    static QString refusal(const QString &name);

private:
    qint64 left_ = MaxSkinPixels;
    bool exceeded_ = false;
};

// The bitmap `name` of the source, its pixels taken from `budget` before it
// decodes; nothing when it is missing, no BMP picture, larger than
// MaxBitmapSide either way or beyond the budget.
std::optional<QImage> readTextureBitmap(const TextureSource &source, const QString &name, PixelBudget &budget);

// Draws the part of `source` that lies within `picture`, so that the
// rectangle's top-left lands at `at`. A tiny picture draws what it has; an
// empty rectangle draws nothing.
void drawPiece(QPainter &painter, QPoint at, const QImage &picture, const QRect &source);
