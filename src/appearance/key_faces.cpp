#include "appearance/key_faces.h"

#include "appearance/pixel_font.h"

#include <QPainter>

void paintGlyphKey(QPainter &painter, const QRect &rect, Glyph glyph, int glyphHeight, bool lit, qreal radius,
                   const QColor &glyphColor)
{
    if (rect.isEmpty())
        return;
    theme::paintKey(painter, rect, radius, lit);
    theme::paintGlyph(painter, glyphPath(glyph, QRectF(rect).adjusted(0, 0, 0, -1), glyphHeight), lit, glyphColor);
}

void paintLabelledKey(QPainter &painter, const QRect &rect, Glyph glyph, int glyphHeight, const QString &name, bool lit)
{
    theme::paintKey(painter, rect, 3, lit);
    const int labelTop = rect.bottom() - pixel_font::Height - 4;
    const QRectF glyphBox(rect.left(), rect.top() + 2, rect.width(), labelTop - rect.top() - 2);
    theme::paintGlyph(painter, glyphPath(glyph, glyphBox, glyphHeight), lit);
    theme::paintEngravedCentred(painter, rect.center().x() + 1, labelTop, name,
                                lit ? theme::AccentLight : theme::Glyph);
}
