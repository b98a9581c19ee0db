#pragma once

// Windows restored from the settings come back onto the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

// A left edge beyond the screen moves to 10 pixels inside its right side, a
// negative one to 10; the same for the top edge.
QPoint keptOnScreen(const QRect &window, const QSize &screen);

// Stored sizes out of reason fall back: a playlist height below 200 or above
// the screen becomes 408, a width above 800 or below 300 becomes 483; an
// equalizer width above 800 or below 274 becomes 400.
QSize correctedPlaylistSize(const QSize &stored, int screenHeight);
int correctedEqualizerWidth(int stored);
