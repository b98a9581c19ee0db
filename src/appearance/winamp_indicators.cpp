#include "appearance/slider_track.h"
#include "appearance/texture_bitmap.h"
#include "appearance/winamp_skin.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

QRect edges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

constexpr QPoint Counter{26, 26};
constexpr QRect TitleStrip{111, 27, 155, 6};

constexpr SliderGeometry ShadeTrack{227, 4, 3, 7, 12};

// The four digits of the time as the counters show it, at most 99:59.
std::array<int, 4> timeDigits(int seconds)
{
    const int t = std::clamp(seconds, 0, 99 * 60 + 59);
    return {t / 600, t % 600 / 60, t % 60 / 10, t % 10};
}

void paintCounter(QPainter &painter, const WinampSkin &skin, const WinampState &state)
{
    const int cell = state.playState == 1 ? 0 : state.playState == 2 ? 1 : 2;
    drawPiece(painter, Counter + QPoint(0, 2), skin.playPause, edges(9 * cell, 0, 9 * cell + 9, 9));
    if (!state.timeShown)
        return;
    if (state.remaining)
        drawPiece(painter, Counter + QPoint(10, 0), skin.numbers, edges(99, 0, 108, 13));
    const std::array<int, 4> digits = timeDigits(state.seconds);
    const int places[] = {22, 34, 52, 64};
    for (int i = 0; i < 4; ++i)
        drawPiece(painter, Counter + QPoint(places[i], 0), skin.numbers, edges(9 * digits[i], 0, 9 * digits[i] + 9, 13));
}

// The font's digit d, at `at`.
void paintTextDigit(QPainter &painter, const WinampSkin &skin, QPoint at, int d)
{
    drawPiece(painter, at, skin.text, QRect(5 * d, 6, 5, 6));
}

// Three digits of bit rate and two of kHz, each kept to what its field holds.
void paintStreamNumbers(QPainter &painter, const WinampSkin &skin, const WinampState &state)
{
    if (state.sampleRate <= 0)
        return;
    const int f = std::min(state.sampleRate, 99999);
    const int b = std::clamp(state.bitRate, 0, 999);
    paintTextDigit(painter, skin, {156, 43}, f / 10000);
    paintTextDigit(painter, skin, {161, 43}, f % 10000 / 1000);
    paintTextDigit(painter, skin, {111, 43}, b / 100);
    paintTextDigit(painter, skin, {116, 43}, b % 100 / 10);
    paintTextDigit(painter, skin, {121, 43}, b % 10);
}

void paintTitle(QPainter &painter, const WinampSkin &skin, const QString &title, int left)
{
    painter.fillRect(TitleStrip, QColor(skin.titleBackground));
    painter.save();
    painter.setClipRect(TitleStrip);
    int x = TitleStrip.left() + left;
    for (const char32_t character : title.toUcs4()) {
        if (x >= TitleStrip.right())
            break;
        const int glyph = winampGlyph(character);
        if (glyph >= 0)
            drawPiece(painter, {x, TitleStrip.top()}, skin.text, QRect(glyph % 31 * 5, glyph / 31 * 6, 5, 6));
        x += 5;
    }
    painter.restore();
}

}  // namespace

int winampGlyph(char32_t c)
{
    if (c >= 'a' && c <= 'z')
        c -= 'a' - 'A';
    if (c >= 'A' && c <= 'Z')
        return int(c - 'A');
    if (c >= '0' && c <= '9')
        return 31 + int(c - '0');
    // The blank, the dot and the ellipsis have cells of their own; a few
    // characters borrow the cell of their look-alike, as classic players do.
    static constexpr struct {
        char32_t character;
        int glyph;
    } others[] = {{'"', 26},  {'@', 27},  {' ', 30},  {0x2026, 41}, {'.', 42},  {':', 43},  {';', 43},  {'|', 43},
                  {'(', 44},  {'{', 44},  {')', 45},  {'}', 45},    {'-', 46},  {'~', 46},  {'\'', 47}, {'`', 47},
                  {'!', 48},  {'_', 49},  {'+', 50},  {'\\', 51},   {'/', 52},  {'[', 53},  {'<', 53},  {']', 54},
                  {'>', 54},  {'^', 55},  {'&', 56},  {'%', 57},    {',', 58},  {'=', 59},  {'$', 60},  {'#', 61},
                  {0xC5, 62}, {0xE5, 62}, {0x86, 62}, {0x8F, 62},   {0xD6, 63}, {0xF6, 63}, {0x94, 63}, {0x99, 63},
                  {0xC4, 64}, {0xE4, 64}, {0x84, 64}, {0x8E, 64},   {'?', 65},  {'*', 66}};
    for (const auto &other : others)
        if (other.character == c)
            return other.glyph;
    return -1;
}

void paintWinampIndicators(QPainter &painter, const WinampSkin &skin, const WinampState &state)
{
    const int volumeFrame = 27 * std::clamp(state.volume, 0, 100) / 100;
    drawPiece(painter, {107, 57}, skin.volume, edges(0, 15 * volumeFrame, 68, 15 * volumeFrame + 14));
    const int balanceFrame = std::abs(27 * (std::clamp(state.balance, 0, 100) - 50) / 50);
    drawPiece(painter, {177, 57}, skin.volume, edges(15, 15 * balanceFrame, 53, 15 * balanceFrame + 14));

    const int stereoRow = state.mono ? 12 : 0;
    const int monoRow = state.mono ? 0 : 12;
    drawPiece(painter, {213 + 26, 41}, skin.monoStereo, edges(0, stereoRow, 29, stereoRow + 12));
    drawPiece(painter, {213, 41}, skin.monoStereo, edges(30, monoRow, 56, monoRow + 12));

    drawPiece(painter, {164, 89}, skin.shuffleRepeat, state.shuffle ? edges(28, 30, 75, 45) : edges(28, 0, 75, 15));
    drawPiece(painter, {210, 89}, skin.shuffleRepeat, state.repeat ? edges(0, 30, 28, 45) : edges(0, 0, 28, 15));

    paintCounter(painter, skin, state);
    paintStreamNumbers(painter, skin, state);
    paintTitle(painter, skin, state.title, state.titleLeft);
}

int winampShadeKnobLeft(double position)
{
    return SliderTrack(ShadeTrack).knobLeftAt(position);
}

void paintWinampShade(QPainter &painter, const WinampSkin &skin, const WinampState &state)
{
    painter.drawImage(winampShadeKnobLeft(state.position), ShadeTrack.top, skin.shadeKnob);
    if (!state.timeShown)
        return;
    // Minutes and seconds in the font's digits, each pair a field of its own.
    const std::array<int, 4> digits = timeDigits(state.seconds);
    const int places[] = {134, 139, 147, 152};
    for (int i = 0; i < 4; ++i)
        paintTextDigit(painter, skin, {places[i], 4}, digits[i]);
}
