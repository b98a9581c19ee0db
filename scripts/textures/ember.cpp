// "Ember": copper and charcoal with an amber display, a rounded window with
// every button of the player, and keys that glow up over three frames.

#include "textures.h"

#include "appearance/theme.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const Palette palette{
    .metalTop = {96, 68, 50},
    .metalBottom = {30, 21, 17},
    .rimLight = {214, 164, 120},
    .rimDark = {8, 5, 3},
    .lcdTop = {20, 9, 4},
    .lcdBottom = {40, 19, 8},
    .accent = {255, 146, 36},
    .accentLight = {255, 216, 150},
    .glyph = {238, 218, 200},
    .label = {196, 156, 124},
    .keyTop = {118, 88, 68},
    .keyBottom = {48, 33, 26},
};

QPainterPath outline(const MainLayout &m)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(0, 0, m.width, m.height), 9, 9);
    return body;
}

QRectF lcdArea()
{
    return {8.5, 16.5, 172, 49};
}

QImage paintMain(const MainLayout &m, double glow)
{
    QImage image(m.width, m.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(toQColor(m.background));
    QPainter painter(&image);
    const QPainterPath body = outline(m);
    theme::paintMetal(painter, body, palette.metalTop, palette.metalBottom);
    theme::paintRaisedEdge(painter, body, palette.rimLight, palette.rimDark);

    // The top strip: the name, then the small keys.
    art::paintLabel(painter, QPoint(21, 5), "EMBER", palette.accent, palette.rimDark);
    QPainterPath groove;
    groove.addRect(QRectF(50, 7.5, 130, 2));
    art::paintWell(painter, groove, palette);

    QPainterPath lcd;
    lcd.addRoundedRect(lcdArea(), 4, 4);
    art::paintLcd(painter, lcd, palette);
    art::paintCounterGhosts(painter, m.counter, palette);
    QPainterPath rule;
    rule.addRect(QRectF(14, m.fileName.top - 3, 160, 1));
    painter.fillPath(rule, QColor(255, 146, 36, 50));

    // The levels beside the display.
    art::paintLabel(painter, QPoint(m.scrollerVolume.left, 18), "VOLUME", palette.label, palette.rimDark);
    art::paintLabel(painter, QPoint(m.scrollerBalance.left, 37), "BALANCE", palette.label, palette.rimDark);
    art::paintSliderTracks(painter, m, palette);
    art::paintToggle(painter, m.repeat, "REPEAT", palette, glow);
    art::paintToggle(painter, m.shuffle, "SHUFFLE", palette, glow);

    QPainterPath well;
    well.addRoundedRect(QRectF(m.previous.united(m.load)).adjusted(-3, -2.5, 3, 2.5), 5, 5);
    art::paintWell(painter, well, palette);
    art::paintGlyphKey(painter, m.previous, Glyph::Previous, 8, palette, glow, 4);
    art::paintGlyphKey(painter, m.play, Glyph::Play, 10, palette, glow, 4);
    art::paintGlyphKey(painter, m.pause, Glyph::Pause, 9, palette, glow, 4);
    art::paintGlyphKey(painter, m.stop, Glyph::Stop, 8, palette, glow, 4);
    art::paintGlyphKey(painter, m.next, Glyph::Next, 8, palette, glow, 4);
    art::paintGlyphKey(painter, m.load, Glyph::Eject, 8, palette, glow, 4);
    art::paintGlyphKey(painter, m.rewind, Glyph::Rewind, 5, palette, glow, 2.5);
    art::paintGlyphKey(painter, m.forward, Glyph::Forward, 5, palette, glow, 2.5);
    art::paintRoundKey(painter, m.playlist, Glyph::List, 8, palette, glow);
    art::paintRoundKey(painter, m.equalizer, Glyph::Equalizer, 8, palette, glow);
    art::paintRoundKey(painter, m.info, Glyph::Info, 8, palette, glow);
    art::paintGlyphKey(painter, m.menu, Glyph::List, 5, palette, glow, 2);
    art::paintGlyphKey(painter, m.cd, Glyph::Disc, 7, palette, glow, 2);
    art::paintGlyphKey(painter, m.audio, Glyph::Record, 4, palette, glow, 2);
    art::paintGlyphKey(painter, m.prefs, Glyph::Gear, 7, palette, glow, 2);
    art::paintGlyphKey(painter, m.minimize, Glyph::Minimize, 4, palette, glow, 2);
    art::paintGlyphKey(painter, m.mode, Glyph::Mode, 5, palette, glow, 2);
    art::paintGlyphKey(painter, m.exit, Glyph::Close, 4, palette, glow, 2);
    return image;
}

}  // namespace

void paintEmber(TextureArt &texture, const TextureSet &builtin)
{
    const TextureLayout &layout = texture.layout;
    art::drawPictures(
        texture, palette,
        {[&layout](double glow) { return paintMain(layout.main, glow); },
         [&layout](double glow) {
             return art::paintCoolBar(layout.coolBar, palette, 4, {3.5, 1.5, 76, 14}, {213, 6}, "EMBER", glow);
         },
         outline(layout.main),
         {0.35, 0.7, 1.0},
         180,
         1.6},
        builtin);
}
