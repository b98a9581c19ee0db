#pragma once

// Drawing tools for the textures shipped with the player: brushed metal,
// keys, LCD glass and digits in a texture's own colours, pictures made from
// the built-in ones in other colours, and the files a texture folder holds.

#include "appearance/glyphs.h"
#include "appearance/texture_set.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <functional>
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

// A texture ready to be written: its layout and what it says of itself, as
// read from its description file, and its pictures by file name.
struct TextureArt {
    TextureLayout layout;
    TextureInfo info;
    std::map<QString, QImage> pictures;
    QByteArray description;
};

namespace art {

void paintWell(QPainter &painter, const QPainterPath &area, const Palette &palette);
void paintLcd(QPainter &painter, const QPainterPath &area, const Palette &palette);
// A key; `glow` 0 ... 1 lights it by degrees (the hover frames).
void paintKey(QPainter &painter, const QRectF &area, qreal radius, const Palette &palette, double glow);
void paintGlyph(QPainter &painter, Glyph glyph, const QRectF &box, int height, const Palette &palette, double glow,
                const QColor &color = {});
// A glyph on a key, drawn only for a place inside the window.
void paintGlyphKey(QPainter &painter, const QRect &rect, Glyph glyph, int height, const Palette &palette, double glow,
                   qreal radius = 3);
// A round key in its socket.
void paintRoundKey(QPainter &painter, const QRect &rect, Glyph glyph, int height, const Palette &palette, double glow);
// The grooves of the position, volume and balance sliders.
void paintSliderTracks(QPainter &painter, const MainLayout &layout, const Palette &palette);
// A Cool Bar: metal with corners of `radius`, an LCD for the play state and
// the time, its keys, and the texture's name at `labelAt`.
QImage paintCoolBar(const CoolBarLayout &layout, const Palette &palette, qreal radius, const QRectF &lcd,
                    QPoint labelAt, const QString &label, double glow);
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

// How a texture draws its main window and Cool Bar, lit by `glow` 0 ... 1,
// and how its secondary windows are made from the built-in ones.
struct Drawing {
    std::function<QImage(double glow)> main;
    std::function<QImage(double glow)> coolBar;
    QPainterPath outline;
    // The glow of each hover frame; the last is fully lit.
    std::vector<double> hoverGlows;
    int hueShift = 0;
    double saturation = 1;
};

// Every picture of the texture: the windows drawn, the digits, play states
// and knobs on the main picture's own background, the secondary windows
// recoloured from the built-in texture's.
void drawPictures(TextureArt &texture, const Palette &palette, const Drawing &drawing, const TextureSet &builtin);

// Writes the texture into `folder`; false with a message on stderr when a
// file cannot be written.
bool writeTexture(const TextureArt &texture, const QString &folder);

}  // namespace art
