#pragma once

// A five-pixel-high font for the labels drawn into the built-in pictures:
// capitals, digits and a little punctuation, crisp at any size of window.

#include <QColor>
#include <QPoint>
#include <QStringView>

class QPainter;

namespace pixel_font {

inline constexpr int Height = 5;

int textWidth(QStringView text);
// Draws with `topLeft` as the top-left pixel of the first glyph; letters are
// drawn as capitals, characters without a glyph as a gap.
void drawText(QPainter &painter, QPoint topLeft, QStringView text, const QColor &color);

}  // namespace pixel_font
