#pragma once

// The built-in texture's window shape: a dome over a rectangle.

#include <QRegion>

QRegion builtinWindowShape();
