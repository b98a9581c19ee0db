#pragma once

// Button faces shared by the built-in pictures: a key with a glyph, or with
// a glyph over a name.

#include "appearance/glyphs.h"
#include "appearance/theme.h"

#include <QRect>
#include <QString>

class QPainter;

void paintGlyphKey(QPainter &painter, const QRect &rect, Glyph glyph, int glyphHeight, bool lit, qreal radius = 2.5,
                   const QColor &glyphColor = theme::Glyph);
void paintLabelledKey(QPainter &painter, const QRect &rect, Glyph glyph, int glyphHeight, const QString &name,
                      bool lit);
