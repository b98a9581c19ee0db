#pragma once

// Windows restored from the settings come back onto the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

// A left edge beyond the screen moves to 10 pixels inside its right side, a
// negative one to 10; the same for the top edge.
QPoint keptOnScreen(const QRect &window, const QSize &screen);
