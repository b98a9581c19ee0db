#pragma once

// Window shapes: the built-in texture's dome over a rectangle, and the
// shape a texture's mask picture gives.

#include <QImage>
#include <QRegion>

QRegion builtinWindowShape();

// More rectangles than any X server takes in one request (16 MiB): such a
// shape is never worn, so it is not kept either.
inline constexpr qsizetype MaxShapeRectangles = qsizetype(1) << 21;

// The black pixels of `mask` within a window of `window`, row by row; every
// other colour is cut away, and so is what lies beyond the window, which no
// mask can shape. A mask that needs more than MaxShapeRectangles gives no
// shape at all.
QRegion maskRegion(const QImage &mask, QSize window);
