// "Alloy": a classic skin, its bitmaps in the Winamp layout: dark brushed
// metal, green displays, keys that light up when pressed. The shade bar,
// the equalizer and the playlist come with it.

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

// The playlist window's pieces in the "pledit.bmp" layout: the title bar
// (active, then inactive), the sides with the scroll groove, the bottom
// corners with their buttons and displays, the knob, and the button menus'
// items, each also lit. Pieces that repeat are flat metal, so they join
// without seams; the window's outer edges carry the rim.
void paintFlat(QPainter &painter, const QRectF &area)
{
    QPainterPath path;
    path.addRect(area);
    theme::paintMetal(painter, path, palette.metalTop, palette.metalBottom);
}

void paintPlaylistBar(QPainter &painter, int top)
{
    paintFlat(painter, QRectF(0, top, 178, 20));
    painter.fillRect(0, top, 178, 1, palette.rimLight);
    painter.fillRect(0, top, 1, 20, palette.rimLight);
    painter.fillRect(177, top, 1, 20, palette.rimDark);
    for (int line = 0; line < 3; ++line) {
        painter.fillRect(4, top + 7 + 2 * line, 21, 1, palette.rimDark);
        painter.fillRect(127, top + 7 + 2 * line, 25, 1, palette.rimDark);
        painter.fillRect(153, top + 7 + 2 * line, 11, 1, palette.rimDark);
    }
    paintLcd(painter, QRectF(34.5, top + 4.5, 84, 11));
    art::paintLabelCentred(painter, 76, top + 7, QStringLiteral("PLAYLIST"), palette.accent, palette.rimDark);
    art::paintGlyphKey(painter, QRect(167, top + 3, 9, 9), Glyph::Close, 4, palette, 0, 2);
}

void paintMenuItems(QPainter &painter, int left, const std::vector<QString> &names, int bar)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        for (int lit = 0; lit < 2; ++lit)
            art::paintToggle(painter, QRect(left + 23 * lit, 111 + 19 * static_cast<int>(i), 22, 18), names[i], palette,
                             lit);
    painter.fillRect(bar, 111, 3, 18 * static_cast<int>(names.size()), palette.accent);
}

QImage playlistPicture()
{
    QImage image = canvas(280, 186);
    QPainter painter(&image);
    paintPlaylistBar(painter, 0);
    paintPlaylistBar(painter, 21);
    painter.fillRect(0, 42, 12, 29, palette.metalBottom);
    painter.fillRect(0, 42, 1, 29, palette.rimLight);
    painter.fillRect(31, 42, 20, 29, palette.metalBottom);
    painter.fillRect(50, 42, 1, 29, palette.rimDark);
    painter.fillRect(36, 42, 8, 29, palette.lcdTop);
    art::paintGlyphKey(painter, QRect(52, 42, 9, 9), Glyph::Close, 4, palette, 1, 2);
    art::paintKey(painter, QRectF(52, 53, 8, 18), 2, palette, 0);
    art::paintKey(painter, QRectF(61, 53, 8, 18), 2, palette, 1);
    for (const QRectF &piece :
         {QRectF(0, 72, 125, 38), QRectF(126, 72, 150, 38), QRectF(179, 0, 25, 38), QRectF(205, 0, 75, 38)}) {
        paintFlat(painter, piece);
        painter.fillRect(QRectF(piece.left(), piece.bottom() - 1, piece.width(), 1), palette.rimDark);
    }
    painter.fillRect(0, 72, 1, 38, palette.rimLight);
    painter.fillRect(275, 72, 1, 38, palette.rimDark);
    paintLcd(painter, QRectF(211.5, 5.5, 63, 27));
    const char *const buttons[] = {"ADD", "REM", "SEL", "MISC"};
    for (int i = 0; i < 4; ++i)
        art::paintToggle(painter, QRect(14 + 29 * i, 80, 22, 18), QString::fromLatin1(buttons[i]), palette, 0);
    art::paintToggle(painter, QRect(126 + 106, 80, 22, 18), QStringLiteral("LIST"), palette, 0);
    paintLcd(painter, QRectF(126 + 5.5, 72 + 8.5, 94, 10));
    const Glyph transport[] = {Glyph::Previous, Glyph::Play, Glyph::Pause, Glyph::Stop, Glyph::Next, Glyph::Eject};
    const int lefts[] = {6, 12, 22, 32, 41, 50};
    for (int i = 0; i < 6; ++i)
        art::paintGlyph(painter, transport[i], QRectF(126 + lefts[i], 72 + 22, 9, 7), 5, palette, 0);
    // The scroll-up and scroll-down arrows.
    for (int row = 0; row < 3; ++row) {
        painter.fillRect(126 + 139 - row, 72 + 4 + row, 1 + 2 * row, 1, palette.glyph);
        painter.fillRect(126 + 139 - row, 72 + 11 - row, 1 + 2 * row, 1, palette.glyph);
    }
    for (int line = 0; line < 4; ++line)
        painter.fillRect(126 + 150 - 4 - 4 * line, 72 + 34 - 4 * line, 4 + 4 * line, 1, palette.rimLight);
    paintMenuItems(painter, 0, {"URL", "DIR", "FILE"}, 48);
    paintMenuItems(painter, 54, {"ALL", "CROP", "SEL", ""}, 100);
    paintMenuItems(painter, 104, {"INV", "NONE", "ALL"}, 150);
    paintMenuItems(painter, 154, {"SORT", "INF", "OPTS"}, 200);
    paintMenuItems(painter, 204, {"NEW", "SAVE", "LOAD"}, 250);
    return image;
}

}  // namespace

QByteArray alloyPlaylistColours()
{
    return "[Text]\r\nNormal=#60E06E\r\nCurrent=#C4FFC4\r\nNormalBG=#080E0A\r\nSelectedBG=#28482E\r\n"
           "Font=Arial\r\n";
}

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
        {"pledit.bmp", playlistPicture()},
    };
}
