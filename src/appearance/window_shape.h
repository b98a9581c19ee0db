#pragma once

// Window shapes: the built-in texture's dome over a rectangle, and the
// shape a texture's mask picture gives.

#include <QImage>
#include <QRegion>

QRegion builtinWindowShape();

// The black pixels of `mask`, row by row; every other colour is cut away.
QRegion maskRegion(const QImage &mask);
