#pragma once

// The built-in texture's look: graphite metal, an ice-blue LCD and its
// glow. Every built-in picture paints with these, so the windows match.

#include <QColor>
#include <QGradient>
#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>

class QPainter;

namespace theme {

inline const QColor MetalTop{74, 84, 99};
inline const QColor MetalBottom{27, 32, 40};
inline const QColor RimLight{134, 148, 167};
inline const QColor RimDark{7, 9, 12};
inline const QColor LcdTop{5, 12, 17};
inline const QColor LcdBottom{11, 24, 31};
inline const QColor Accent{88, 208, 255};
inline const QColor AccentLight{178, 238, 255};
inline const QColor Glyph{212, 220, 231};
inline const QColor Label{146, 159, 177};
inline const QColor LabelShadow{9, 11, 15};
inline const QColor LightMetalTop{170, 180, 193};
inline const QColor LightMetalBottom{128, 139, 154};

// Metal between `top` and `bottom` rows with fine brushed streaks.
void paintMetal(QPainter &painter, const QPainterPath &area, const QColor &top, const QColor &bottom);
// A 1-pixel raised edge just inside the area: light above, dark below.
void paintRaisedEdge(QPainter &painter, const QPainterPath &area, const QColor &light = RimLight,
                     const QColor &dark = RimDark);
// Outlines an area with a pen whose colour runs from top to bottom.
void strokeEdge(QPainter &painter, const QPainterPath &area, const QGradientStops &stops, qreal width);
// A recess: darker fill, shadow at its upper edge, light at its lower edge.
void paintWell(QPainter &painter, const QPainterPath &area);
// The LCD glass, a deep blue-black with a faint reflection.
void paintLcd(QPainter &painter, const QPainterPath &area);
// A raised key face; a lit key glows at its rim.
void paintKey(QPainter &painter, const QRectF &area, qreal radius, bool lit);
// A glyph on a key: light grey, or glowing ice blue when lit.
void paintGlyph(QPainter &painter, const QPainterPath &glyph, bool lit, const QColor &color = Glyph);
// A small status light.
void paintLed(QPainter &painter, const QRectF &area, bool lit);
// Pixel-font text pressed into the metal, its top-left at `topLeft`.
void paintEngraved(QPainter &painter, QPoint topLeft, const QString &text, const QColor &color = Label);
// The same, centred on `centreX`.
void paintEngravedCentred(QPainter &painter, int centreX, int top, const QString &text, const QColor &color = Label);
// Rows of small round holes, as in a speaker cover.
void paintGrille(QPainter &painter, const QRect &area);

}  // namespace theme
