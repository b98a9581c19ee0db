// "Moss": a capsule of green-grey metal with a phosphor display on which a
// dot rides an arc as the song plays; levels in the left cap, the window
// buttons in the right one, keys that light up over two frames.

#include "textures.h"

#include "appearance/theme.h"

#include <QPainter>
#include <QPainterPath>

#include <numbers>

namespace {

const Palette palette{
    .metalTop = {66, 86, 72},
    .metalBottom = {18, 27, 22},
    .rimLight = {160, 200, 170},
    .rimDark = {4, 8, 6},
    .lcdTop = {5, 15, 9},
    .lcdBottom = {11, 30, 18},
    .accent = {110, 236, 104},
    .accentLight = {206, 255, 188},
    .glyph = {218, 236, 222},
    .label = {140, 178, 150},
    .keyTop = {86, 110, 94},
    .keyBottom = {30, 42, 34},
};

QPainterPath capsule(QRectF area)
{
    QPainterPath path;
    path.addRoundedRect(area, area.height() / 2, area.height() / 2);
    return path;
}

QRectF lcdArea()
{
    return {62.5, 7.5, 164, 63};
}

// The arc the position dot rides: the dot's top-left follows the ellipse,
// so its middle follows this one.
void paintArc(QPainter &painter, const QRect &dot)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int step = 0; step <= 40; ++step) {
        const double angle = std::numbers::pi * step / 40;
        const QPointF at(dot.left() + 2.5 - dot.width() * std::cos(angle),
                         dot.top() + 2.5 - dot.height() * std::sin(angle));
        painter.setBrush(QColor(110, 236, 104, step % 5 == 0 ? 90 : 38));
        painter.drawEllipse(at, step % 5 == 0 ? 1.1 : 0.7, step % 5 == 0 ? 1.1 : 0.7);
    }
    painter.restore();
}

QImage paintMain(const MainLayout &m, double glow)
{
    QImage image(m.width, m.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(toQColor(m.background));
    QPainter painter(&image);
    const QPainterPath body = capsule(QRectF(0, 0, m.width, m.height));
    theme::paintMetal(painter, body, palette.metalTop, palette.metalBottom);
    theme::paintRaisedEdge(painter, body, palette.rimLight, palette.rimDark);

    QPainterPath lcd;
    lcd.addRoundedRect(lcdArea(), 6, 6);
    art::paintLcd(painter, lcd, palette);
    paintArc(painter, m.positionDot);
    art::paintCounterGhosts(painter, m.counter, palette);

    art::paintLabel(painter, QPoint(38, 16), "MOSS", palette.accent, palette.rimDark);
    art::paintLabel(painter, QPoint(m.scrollerVolume.left, 27), "VOL", palette.label, palette.rimDark);
    art::paintLabel(painter, QPoint(m.scrollerBalance.left, 47), "BAL", palette.label, palette.rimDark);
    art::paintSliderTracks(painter, m, palette);
    art::paintToggle(painter, m.repeat, "REP", palette, glow);
    art::paintToggle(painter, m.shuffle, "SHUF", palette, glow);

    QPainterPath well;
    well.addRoundedRect(QRectF(m.previous.united(m.next).united(m.play)).adjusted(-3, -2.5, 3, 2.5), 6, 6);
    art::paintWell(painter, well, palette);
    art::paintGlyphKey(painter, m.previous, Glyph::Previous, 7, palette, glow, 4);
    art::paintGlyphKey(painter, m.rewind, Glyph::Rewind, 7, palette, glow, 4);
    art::paintGlyphKey(painter, m.play, Glyph::Play, 10, palette, glow, 5);
    art::paintGlyphKey(painter, m.pause, Glyph::Pause, 7, palette, glow, 4);
    art::paintGlyphKey(painter, m.stop, Glyph::Stop, 6, palette, glow, 4);
    art::paintGlyphKey(painter, m.forward, Glyph::Forward, 7, palette, glow, 4);
    art::paintGlyphKey(painter, m.next, Glyph::Next, 7, palette, glow, 4);

    const struct {
        QRect rect;
        Glyph glyph;
        int height;
    } round[] = {{m.playlist, Glyph::List, 7}, {m.equalizer, Glyph::Equalizer, 7}, {m.cd, Glyph::Disc, 9},
                 {m.audio, Glyph::Record, 5},  {m.load, Glyph::Eject, 7},          {m.info, Glyph::Info, 8}};
    for (const auto &button : round)
        art::paintRoundKey(painter, button.rect, button.glyph, button.height, palette, glow);
    art::paintGlyphKey(painter, m.menu, Glyph::List, 5, palette, glow, 2);
    art::paintGlyphKey(painter, m.minimize, Glyph::Minimize, 4, palette, glow, 2);
    art::paintGlyphKey(painter, m.mode, Glyph::Mode, 5, palette, glow, 2);
    art::paintGlyphKey(painter, m.exit, Glyph::Close, 4, palette, glow, 2);
    return image;
}

}  // namespace

void paintMoss(TextureArt &texture, const TextureSet &builtin)
{
    const TextureLayout &layout = texture.layout;
    art::drawPictures(
        texture, palette,
        {[&layout](double glow) { return paintMain(layout.main, glow); },
         [&layout](double glow) {
             return art::paintCoolBar(layout.coolBar, palette, 9, {7.5, 2.5, 76, 14}, {224, 7}, "MOSS", glow);
         },
         capsule(QRectF(0, 0, layout.main.width, layout.main.height)),
         {0.55, 1.0},
         -75,
         1.5},
        builtin);
}
