#include "appearance/winamp_playlist.h"

#include "appearance/texture_bitmap.h"
#include "appearance/window_frame.h"
#include "appearance/winamp_skin.h"
#include "platform/profile_file.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

// Skins write "#RRGGBB", some without the "#" or with more after it.
void readColour(const platform::ProfileFile &file, const char *key, QColor &colour)
{
    QString value = file.readString(QStringLiteral("Text"), QString::fromLatin1(key), {}).trimmed();
    if (value.startsWith('#'))
        value.remove(0, 1);
    bool ok = false;
    const uint rgb = value.left(6).toUInt(&ok, 16);
    if (ok && value.size() >= 6)
        colour = QColor::fromRgb(rgb);
}

// Pieces of the frame in "pledit.bmp".
constexpr QRect TopLeft{0, 0, 25, 20};
constexpr QRect Title{26, 0, 100, 20};
constexpr QRect TopTile{127, 0, 25, 20};
constexpr QRect TopRight{153, 0, 25, 20};
constexpr QRect LeftTile{0, 42, 12, 29};
constexpr QRect RightTile{32, 42, 19, 29};  // the list covers the piece's first column
constexpr QRect BottomLeft{0, 72, 125, 38};
constexpr QRect BottomRight{126, 72, 150, 38};
constexpr QRect BottomTile{179, 0, 25, 38};
constexpr QRect Visualizer{205, 0, 75, 38};
constexpr QRect CloseLit{52, 42, 9, 9};
constexpr QRect Knob{52, 53, 8, 18};
constexpr QRect KnobPressed{61, 53, 8, 18};
constexpr int TopHeight = 20, BottomHeight = 38, KnobHeight = 18;
constexpr int InactiveShift = 21;  // the title bar of an inactive window lies below

constexpr int ItemHeight = 18;
constexpr int LitShift = 23;

}  // namespace

WinampPlaylistColours readWinampPlaylistColours(const QByteArray &bytes)
{
    const platform::ProfileFile file = platform::ProfileFile::parse(bytes);
    WinampPlaylistColours colours;
    readColour(file, "Normal", colours.normal);
    readColour(file, "Current", colours.current);
    readColour(file, "NormalBG", colours.normalBackground);
    readColour(file, "SelectedBG", colours.selectedBackground);
    const QString font = file.readString(QStringLiteral("Text"), QStringLiteral("Font"), {}).trimmed();
    if (!font.isEmpty())
        colours.font = font;
    return colours;
}

namespace winamp_playlist {

QSize snappedSize(QSize wanted, QSize maximum)
{
    const auto snap = [](int want, int least, int step, int most) {
        const int steps = std::max(0, (want - least + step / 2) / step);
        return least + std::min(steps, (most - least) / step) * step;
    };
    return {snap(wanted.width(), MinimumSize.width(), Step.width(), maximum.width()),
            snap(wanted.height(), MinimumSize.height(), Step.height(), maximum.height())};
}

QRect listRect(QSize size)
{
    return {12, TopHeight, size.width() - 31, size.height() - TopHeight - BottomHeight};
}

QRect sliderRect(QSize size)
{
    return {size.width() - 15, TopHeight, 8, size.height() - TopHeight - BottomHeight};
}

QRect closeRect(QSize size)
{
    return {size.width() - 11, 3, 9, 9};
}

QRect gripRect(QSize size)
{
    return {size.width() - 20, size.height() - 20, 20, 20};
}

QRect infoRect(QSize size)
{
    return {size.width() - 143, size.height() - 28, 90, 6};
}

QRect scrollUpRect(QSize size)
{
    return {size.width() - 14, size.height() - 35, 8, 5};
}

QRect scrollDownRect(QSize size)
{
    return {size.width() - 14, size.height() - 30, 8, 5};
}

QRect menuButtonRect(MenuButton button, QSize size)
{
    constexpr std::array<int, 4> lefts{14, 43, 72, 101};
    const int left = button == MenuButton::List ? size.width() - 44 : lefts[static_cast<std::size_t>(button)];
    return {left, size.height() - 30, 22, ItemHeight};
}

QRect transportRect(int index, QSize size)
{
    constexpr std::array<int, 6> fromRight{144, 138, 128, 118, 109, 100};
    constexpr std::array<int, 6> widths{8, 10, 10, 9, 8, 9};
    const auto i = static_cast<std::size_t>(index);
    return {size.width() - fromRight.at(i), size.height() - 16, widths.at(i), 7};
}

// The remove menu's fourth item (more ways to remove) has no command here.
MenuPictures menuPictures(MenuButton button)
{
    constexpr std::array<int, 5> columns{0, 54, 104, 154, 204};
    constexpr std::array<int, 5> bars{48, 100, 150, 200, 250};
    const auto i = static_cast<std::size_t>(button);
    MenuPictures pictures;
    for (const int top : {111, 130, 149}) {
        pictures.items.emplace_back(columns[i], top, 22, ItemHeight);
        pictures.litItems.emplace_back(columns[i] + LitShift, top, 22, ItemHeight);
    }
    pictures.bar = QRect(bars[i], 111, 3, 3 * ItemHeight);
    return pictures;
}

void paintFrame(QPainter &painter, QSize size, const QImage &picture, bool active)
{
    const int w = size.width(), h = size.height();
    const QPoint shift(0, active ? 0 : InactiveShift);
    tilePiece(painter, QRect(0, 0, w, TopHeight), picture, TopTile.translated(shift));
    drawPiece(painter, {(w - Title.width()) / 2, 0}, picture, Title.translated(shift));
    drawPiece(painter, {0, 0}, picture, TopLeft.translated(shift));
    drawPiece(painter, {w - TopRight.width(), 0}, picture, TopRight.translated(shift));
    const int sides = h - TopHeight - BottomHeight;
    tilePiece(painter, QRect(0, TopHeight, LeftTile.width(), sides), picture, LeftTile);
    tilePiece(painter, QRect(w - RightTile.width(), TopHeight, RightTile.width(), sides), picture, RightTile);
    tilePiece(painter, QRect(0, h - BottomHeight, w, BottomHeight), picture, BottomTile);
    drawPiece(painter, {0, h - BottomHeight}, picture, BottomLeft);
    // The visualizer's place shows once three tiles fit between the corners.
    if (w - BottomLeft.width() - BottomRight.width() >= Visualizer.width())
        drawPiece(painter, {w - BottomRight.width() - Visualizer.width(), h - BottomHeight}, picture, Visualizer);
    drawPiece(painter, {w - BottomRight.width(), h - BottomHeight}, picture, BottomRight);
}

void paintCloseLit(QPainter &painter, QSize size, const QImage &picture)
{
    drawPiece(painter, closeRect(size).topLeft(), picture, CloseLit);
}

void paintSliderKnob(QPainter &painter, QSize size, const QImage &picture, int value, int maximum, bool pressed)
{
    const QRect slider = sliderRect(size);
    const int travel = std::max(0, slider.height() - KnobHeight);
    const int top = maximum > 0 ? slider.top() + std::clamp(value, 0, maximum) * travel / maximum : slider.top();
    drawPiece(painter, {slider.left(), top}, picture, pressed ? KnobPressed : Knob);
}

int sliderValueAt(QSize size, int y, int maximum)
{
    const QRect slider = sliderRect(size);
    const int travel = slider.height() - KnobHeight;
    if (travel <= 0 || maximum <= 0)
        return 0;
    const int offset = std::clamp(y - slider.top() - KnobHeight / 2, 0, travel);
    return (offset * maximum + travel / 2) / travel;
}

void paintInfo(QPainter &painter, QSize size, const QImage &font, const QString &text)
{
    const QRect place = infoRect(size);
    painter.save();
    painter.setClipRect(place);
    int x = place.left();
    for (const char32_t character : text.toUcs4()) {
        if (x > place.right())
            break;
        const int glyph = winampGlyph(character);
        if (glyph >= 0)
            drawPiece(painter, {x, place.top()}, font, QRect(glyph % 31 * 5, glyph / 31 * 6, 5, 6));
        x += 5;
    }
    painter.restore();
}

}  // namespace winamp_playlist
