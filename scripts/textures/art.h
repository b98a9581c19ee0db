#pragma once

// Drawing tools for the textures shipped with the player: brushed metal,
// keys, LCD glass and digits in a texture's own colours, pictures made from
// the built-in ones in other colours, and the files a texture folder holds.

#include "appearance/glyphs.h"
#include "appearance/texture_layout.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <map>
#include <vector>

class QPainter;

struct Palette {
    QColor metalTop, metalBottom;
    QColor rimLight, rimDark;
    QColor lcdTop, lcdBottom;
    QColor accent, accentLight;
    QColor glyph, label;
    QColor keyTop, keyBottom;
};

// A texture ready to be written: its layout, what it says of itself and its
// pictures by file name.
struct TextureArt {
    TextureLayout layout;
    TextureInfo info;
    std::map<QString, QImage> pictures;
};

namespace art {

// A colour as texture files write it.
constexpr TextureColor textureColor(int red, int green, int blue)
{
    return static_cast<TextureColor>(red | green << 8 | blue << 16);
}

void paintMetal(QPainter &painter, const QPainterPath &area, const Palette &palette, unsigned seed = 7);
void paintRaisedEdge(QPainter &painter, const QPainterPath &area, const Palette &palette);
void paintWell(QPainter &painter, const QPainterPath &area, const Palette &palette);
void paintLcd(QPainter &painter, const QPainterPath &area, const Palette &palette);
// A key; `glow` 0 ... 1 lights it by degrees (the hover frames).
void paintKey(QPainter &painter, const QRectF &area, qreal radius, const Palette &palette, double glow);
void paintGlyph(QPainter &painter, Glyph glyph, const QRectF &box, int height, const Palette &palette, double glow,
                const QColor &color = {});
// A glyph on a key, drawn only for a place inside the window.
void paintGlyphKey(QPainter &painter, const QRect &rect, Glyph glyph, int height, const Palette &palette, double glow,
                   qreal radius = 3);
// A toggle with its name in the pixel font.
void paintToggle(QPainter &painter, const QRect &rect, const QString &name, const Palette &palette, double glow);
void paintLabel(QPainter &painter, QPoint topLeft, const QString &text, const QColor &color, const QColor &shadow);
void paintLabelCentred(QPainter &painter, int centreX, int top, const QString &text, const QColor &color,
                       const QColor &shadow);
// Seven-segment digits' unlit "8"s under a counter's four cells, and its colon.
void paintCounterGhosts(QPainter &painter, const QRect &counter, const Palette &palette);
// Digits 0 ... 9 side by side, each on the background `cell`.
QImage digitsPicture(const QImage &cell, const Palette &palette);
// Playing, stopped and paused on the background `cell` (11 x 13), and the
// 5 x 5 position dot after them.
QImage statusPicture(const QImage &cell, const Palette &palette, const QColor &dotBackground);
// A slider knob filling its rectangle, on its background.
QImage knobPicture(const QImage &background, const Palette &palette, bool pressed, bool round);

// The picture with its hues turned by `hueShift` degrees and its colour
// strength scaled; lightness kept.
QImage recoloured(const QImage &picture, int hueShift, double saturation);
// `from` turned into `to` by `amount` 0 ... 1.
QImage blended(const QImage &from, const QImage &to, double amount);
// The pictures one below the other.
QImage stacked(const std::vector<QImage> &pictures);
// Black inside the outline, white outside, in whole pixels.
QImage maskPicture(const QPainterPath &outline, QSize size);

// The built-in playlist picture with `frames` hover frames below its pieces.
QImage playlistWithFrames(const QImage &builtin, int frames);

// Texture.ini for the layout, every key written out.
QByteArray textureIni(const TextureLayout &layout, const TextureInfo &info);
// Writes the texture into `folder`; false with a message on stderr when a
// file cannot be written.
bool writeTexture(const TextureArt &texture, const QString &folder);

}  // namespace art
