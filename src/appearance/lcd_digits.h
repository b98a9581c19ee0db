#pragma once

// Seven-segment LCD digits, slightly slanted, for the time counters.

#include <QColor>
#include <QRectF>

class QPainter;

// The segments of a digit 0 ... 9 as bits a (top) to g (middle).
unsigned lcdSegments(int digit);
inline constexpr unsigned AllLcdSegments = 0x7F;

// Draws the given segments in `cell`; lit segments glow.
void paintLcdSegments(QPainter &painter, const QRectF &cell, unsigned segments, const QColor &color, bool glow);
