// "Alloy": a classic skin, its bitmaps in the Winamp layout: dark brushed
// metal, green displays, keys that light up when pressed. The shade bar
// and the equalizer come with it.

#include "textures.h"

#include "appearance/pixel_font.h"
#include "appearance/theme.h"
#include "appearance/winamp_skin.h"

#include <QPainter>
#include <QPainterPath>

#include <utility>
#include <vector>

namespace {

const Palette palette{
    .metalTop = {78, 84, 96},
    .metalBottom = {30, 33, 40},
    .rimLight = {170, 180, 196},
    .rimDark = {6, 7, 10},
    .lcdTop = {8, 14, 10},
    .lcdBottom = {8, 14, 10},
    .accent = {96, 224, 110},
    .accentLight = {196, 255, 196},
    .glyph = {214, 220, 230},
    .label = {150, 160, 178},
    .keyTop = {98, 104, 118},
    .keyBottom = {38, 41, 50},
};
const QColor dim(40, 72, 46);

QImage canvas(int width, int height, const QColor &fill = palette.metalBottom)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QPainterPath rounded(const QRectF &area, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(area, radius, radius);
    return path;
}

void paintMetal(QPainter &painter, const QRectF &area, qreal radius = 0)
{
    const QPainterPath path = rounded(area, radius);
    theme::paintMetal(painter, path, palette.metalTop, palette.metalBottom);
    theme::paintRaisedEdge(painter, path, palette.rimLight, palette.rimDark);
}

void paintLcd(QPainter &painter, const QRectF &area)
{
    art::paintLcd(painter, rounded(area, 2), palette);
}

// The title bar: its grip, the name and the four window buttons; the shade
// bar adds its small transport buttons and a time display.
void paintBar(QPainter &painter, QPoint at, bool shade)
{
    painter.save();
    painter.translate(at);
    paintMetal(painter, QRectF(0, 0, 275, 14));
    const std::vector<std::pair<int, int>> grips =
        shade ? std::vector<std::pair<int, int>>{{18, 122}} : std::vector<std::pair<int, int>>{{18, 106}, {168, 238}};
    for (const auto &[left, right] : grips)
        for (int line = 0; line < 3; ++line)
            painter.fillRect(left, 4 + 2 * line, right - left, 1, palette.rimDark);
    if (shade) {
        paintLcd(painter, QRectF(131.5, 2.5, 29, 9));
        painter.fillRect(145, 6, 1, 1, palette.accent);
        painter.fillRect(145, 8, 1, 1, palette.accent);
        const Glyph transport[] = {Glyph::Previous, Glyph::Play, Glyph::Pause, Glyph::Stop, Glyph::Next, Glyph::Eject};
        for (int i = 0; i < 6; ++i)
            art::paintGlyph(painter, transport[i], QRectF(166 + 10 * i, 4, 9, 9), 5, palette, 0);
    } else {
        art::paintLabelCentred(painter, 137, 4, QStringLiteral("LUDRO ALLOY"), palette.glyph, palette.rimDark);
    }
    const struct {
        int left;
        Glyph glyph;
    } buttons[] = {{6, Glyph::List}, {244, Glyph::Minimize}, {254, Glyph::Mode}, {264, Glyph::Close}};
    for (const auto &button : buttons)
        art::paintGlyphKey(painter, QRect(button.left, 3, 9, 9), button.glyph, 4, palette, 0, 2);
    painter.restore();
}

QImage mainPicture()
{
    QImage image = canvas(275, 116);
    QPainter painter(&image);
    paintMetal(painter, QRectF(0, 0, 275, 116), 3);
    paintLcd(painter, QRectF(21.5, 22.5, 82, 43));
    painter.fillRect(26 + 46, 30, 2, 2, palette.accent);
    painter.fillRect(26 + 46, 35, 2, 2, palette.accent);
    pixel_font::drawText(painter, QPoint(30, 55), QStringLiteral("ALLOY"), dim);
    paintLcd(painter, QRectF(107.5, 23.5, 162, 14));
    paintLcd(painter, QRectF(108.5, 40.5, 21, 12));
    paintLcd(painter, QRectF(153.5, 40.5, 15, 12));
    art::paintLabel(painter, QPoint(131, 44), QStringLiteral("KBPS"), palette.label, palette.rimDark);
    art::paintLabel(painter, QPoint(170, 44), QStringLiteral("KHZ"), palette.label, palette.rimDark);
    art::paintRoundKey(painter, QRect(247, 89, 20, 20), Glyph::Globe, 10, palette, 0);
    return image;
}

QImage buttonsPicture()
{
    QImage image = canvas(136, 36);
    QPainter painter(&image);
    const Glyph transport[] = {Glyph::Previous, Glyph::Play, Glyph::Pause, Glyph::Stop, Glyph::Next};
    for (int pressed = 0; pressed < 2; ++pressed) {
        for (int i = 0; i < 5; ++i)
            art::paintGlyphKey(painter, QRect(23 * i, 18 * pressed, i < 4 ? 23 : 22, 18), transport[i], 7, palette,
                               pressed, 3);
        art::paintGlyphKey(painter, QRect(114, 16 * pressed, 22, 16), Glyph::Eject, 7, palette, pressed, 3);
    }
    return image;
}

QImage titleBarPicture()
{
    QImage image = canvas(344, 87);
    QPainter painter(&image);
    paintBar(painter, {27, 0}, false);
    paintBar(painter, {27, 29}, true);
    // Pressed window buttons: menu, minimize, exit; the mode switch below.
    const struct {
        QPoint at;
        Glyph glyph;
    } pressed[] = {{{0, 9}, Glyph::List}, {{9, 9}, Glyph::Minimize}, {{18, 9}, Glyph::Close}, {{9, 27}, Glyph::Mode}};
    for (const auto &button : pressed)
        art::paintGlyphKey(painter, QRect(button.at, QSize(9, 9)), button.glyph, 4, palette, 1, 2);
    // The options strip, and the shade bar's position track and knob.
    art::paintWell(painter, rounded(QRectF(304.5, 0.5, 7, 42), 2), palette);
    for (int i = 0; i < 5; ++i)
        painter.fillRect(307, 5 + 8 * i, 2, 2, palette.label);
    art::paintWell(painter, rounded(QRectF(0.5, 38.5, 16, 3), 1.5), palette);
    painter.fillRect(20, 36, 3, 7, palette.accent);
    return image;
}

QImage positionBarPicture()
{
    QImage image = canvas(307, 10);
    QPainter painter(&image);
    paintMetal(painter, QRectF(0, 0, 248, 10));
    art::paintWell(painter, rounded(QRectF(2.5, 3.5, 243, 3), 1.5), palette);
    art::paintKey(painter, QRectF(248, 0, 29, 10), 3, palette, 0);
    art::paintKey(painter, QRectF(278, 0, 29, 10), 3, palette, 1);
    return image;
}

// 28 frames of the level bars, filled green to amber as the level rises,
// and the knobs below them.
QImage volumePicture()
{
    QImage image = canvas(68, 433);
    QPainter painter(&image);
    for (int frame = 0; frame < 28; ++frame) {
        const QRectF bar(0.5, 15 * frame + 3.5, 67, 6);
        paintMetal(painter, QRectF(0, 15 * frame, 68, 13));
        art::paintWell(painter, rounded(bar, 2), palette);
        const double level = frame / 27.0;
        const QColor fill = QColor::fromHsvF(0.33 - 0.22 * level, 0.8, 0.5 + 0.4 * level);
        painter.fillRect(QRectF(bar.left() + 1, bar.top() + 1, (bar.width() - 2) * level, bar.height() - 2), fill);
    }
    art::paintKey(painter, QRectF(15, 422, 14, 11), 3, palette, 0);
    art::paintKey(painter, QRectF(0, 422, 14, 11), 3, palette, 1);
    return image;
}

QImage numbersPicture()
{
    return art::digitsPicture(canvas(9, 13, palette.lcdTop), palette);
}

// The bitmap font: every character of the glyph table in its 5 x 6 cell.
QImage textPicture()
{
    QImage image = canvas(155, 18, palette.lcdTop);
    QPainter painter(&image);
    for (int code = 32; code < 128; ++code) {
        const int glyph = winampGlyph(char32_t(code));
        if (glyph < 0 || (code >= 'a' && code <= 'z'))
            continue;
        const QString character{QChar(code)};
        const QPoint cell(glyph % 31 * 5 + (5 - pixel_font::textWidth(character)) / 2, glyph / 31 * 6);
        pixel_font::drawText(painter, cell, character, palette.accent);
    }
    return image;
}

QImage playPausePicture()
{
    QImage image = canvas(27, 9, palette.lcdTop);
    QPainter painter(&image);
    const Glyph states[] = {Glyph::Play, Glyph::Pause, Glyph::Stop};
    for (int i = 0; i < 3; ++i)
        art::paintGlyph(painter, states[i], QRectF(9 * i, 0, 9, 9), 7, palette, 0, i == 0 ? palette.accent : dim);
    return image;
}

// Shuffle and repeat off and on, each also pressed; the equalizer and
// playlist buttons, then lit.
QImage shuffleRepeatPicture()
{
    QImage image = canvas(92, 85);
    QPainter painter(&image);
    for (int row = 0; row < 4; ++row) {
        const double glow = row < 2 ? 0.3 * row : 0.7 + 0.3 * (row - 2);
        art::paintToggle(painter, QRect(0, 15 * row, 28, 15), QStringLiteral("REP"), palette, glow);
        art::paintToggle(painter, QRect(28, 15 * row, 47, 15), QStringLiteral("SHUFFLE"), palette, glow);
    }
    art::paintToggle(painter, QRect(0, 61, 22, 12), QStringLiteral("EQ"), palette, 0);
    art::paintToggle(painter, QRect(24, 61, 22, 12), QStringLiteral("PL"), palette, 0);
    art::paintToggle(painter, QRect(46, 61, 22, 12), QStringLiteral("EQ"), palette, 1);
    art::paintToggle(painter, QRect(70, 61, 22, 12), QStringLiteral("PL"), palette, 1);
    return image;
}

QImage monoStereoPicture()
{
    QImage image = canvas(56, 24);
    QPainter painter(&image);
    for (int row = 0; row < 2; ++row) {
        const QColor ink = row == 0 ? palette.accent : dim;
        pixel_font::drawText(painter, QPoint(2, 12 * row + 4), QStringLiteral("STEREO"), ink);
        pixel_font::drawText(painter, QPoint(32, 12 * row + 4), QStringLiteral("MONO"), ink);
    }
    return image;
}

}  // namespace

void paintAlloy(TextureArt &texture, const TextureSet &builtin)
{
    texture.pictures = {
        {"main.bmp", mainPicture()},
        {"cbuttons.bmp", buttonsPicture()},
        {"titlebar.bmp", titleBarPicture()},
        {"posbar.bmp", positionBarPicture()},
        {"volume.bmp", volumePicture()},
        {"numbers.bmp", numbersPicture()},
        {"text.bmp", textPicture()},
        {"playpaus.bmp", playPausePicture()},
        {"shufrep.bmp", shuffleRepeatPicture()},
        {"monoster.bmp", monoStereoPicture()},
        {"eqmain.bmp", art::recoloured(builtin.pictures.equalizer, 0, 0.4)},
    };
}
