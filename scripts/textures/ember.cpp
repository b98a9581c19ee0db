// "Ember": copper and charcoal with an amber display, a rounded window with
// every button of the player, and keys that glow up over three frames.

#include "textures.h"

#include "appearance/theme.h"

#include <QPainter>
#include <QPainterPath>

namespace {

using art::textureColor;

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

TextureLayout emberLayout()
{
    TextureLayout layout;
    MainLayout &m = layout.main;
    m.width = 275;
    m.height = 116;
    m.background = textureColor(8, 5, 3);
    m.fileName = {"Arial", true, 8, textureColor(255, 206, 140), 14, 47};
    m.fileNameWidth = 160;
    m.fileNameHeight = 14;
    m.monoStereo = {"Arial", true, 7, textureColor(255, 170, 64), 118, 34};
    m.fileLength = {"Arial", true, 8, textureColor(255, 226, 170), 120, 20};
    m.filePos = {"Arial", true, 8, textureColor(255, 226, 170), HiddenLeft, 0};
    m.counter = {31, 20, 65, 20};
    m.action = {14, 24};
    m.positionDot = {HiddenLeft, 0, 0, 0};

    m.menu = {6, 3, 11, 9};
    m.cd = {187, 3, 11, 9};
    m.audio = {200, 3, 11, 9};
    m.prefs = {213, 3, 11, 9};
    m.minimize = {230, 3, 11, 9};
    m.mode = {243, 3, 11, 9};
    m.exit = {256, 3, 11, 9};

    m.scrollerVolume = {192, 25, 9, 9, 66};
    m.scrollerBalance = {192, 44, 9, 9, 66};
    m.repeat = {188, 56, 38, 11};
    m.shuffle = {230, 56, 40, 11};
    m.scrollerTime = {10, 71, 18, 8, 238};

    m.previous = {8, 84, 26, 22};
    m.play = {36, 84, 30, 22};
    m.pause = {68, 84, 26, 22};
    m.stop = {96, 84, 26, 22};
    m.next = {124, 84, 26, 22};
    m.load = {154, 84, 22, 22};
    m.rewind = {180, 84, 20, 10};
    m.forward = {180, 96, 20, 10};
    m.playlist = {206, 86, 18, 18};
    m.equalizer = {228, 86, 18, 18};
    m.info = {250, 86, 18, 18};

    CoolBarLayout &c = layout.coolBar;
    c.width = 275;
    c.height = 17;
    c.status = {6, 2};
    c.counter = {"Arial", true, 7, textureColor(255, 206, 140), 22, 2};
    c.previous = {86, 3, 13, 11};
    c.play = {101, 3, 13, 11};
    c.pause = {116, 3, 13, 11};
    c.stop = {131, 3, 13, 11};
    c.next = {146, 3, 13, 11};
    c.load = {163, 3, 13, 11};
    c.rewind = {HiddenLeft, 0, 0, 0};
    c.forward = {HiddenLeft, 0, 0, 0};
    c.playlist = {182, 3, 13, 11};
    c.info = {197, 3, 13, 11};
    c.menu = {HiddenLeft, 0, 0, 0};
    c.minimize = {236, 3, 11, 11};
    c.mode = {248, 3, 11, 11};
    c.exit = {260, 3, 11, 11};

    PlaylistLayout &p = layout.playlist;
    p.quickSortColor = textureColor(255, 196, 128);
    p.quickSearchEditColor = textureColor(255, 222, 180);
    p.quickSearchEditBackground = textureColor(22, 12, 7);
    p.infoTextColor = textureColor(255, 196, 128);
    p.listBackground = textureColor(18, 10, 6);
    p.listColor = textureColor(250, 226, 200);
    layout.equalizer = {textureColor(255, 216, 150), textureColor(18, 10, 6), textureColor(250, 226, 200)};
    layout.recorder = {textureColor(255, 216, 150), textureColor(250, 226, 200), textureColor(18, 10, 6),
                       textureColor(250, 226, 200)};
    return layout;
}

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

TextureArt paintEmber(const TextureSet &builtin)
{
    TextureArt texture{emberLayout(), {}, {}};
    texture.info = {"Ember", "1.0", "The Ludro Pro authors",
                    "",      "",    "Copper and amber; its keys glow up when the pointer comes."};
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
    return texture;
}
