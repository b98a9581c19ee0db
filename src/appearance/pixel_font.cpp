#include "appearance/pixel_font.h"

#include <QPainter>

#include <array>
#include <string_view>

namespace pixel_font {

namespace {

struct Glyph {
    char character;
    std::array<std::string_view, Height> rows;
};

constexpr std::array glyphs{
    Glyph{'A', {".#.", "#.#", "###", "#.#", "#.#"}},
    Glyph{'B', {"##.", "#.#", "##.", "#.#", "##."}},
    Glyph{'C', {".##", "#..", "#..", "#..", ".##"}},
    Glyph{'D', {"##.", "#.#", "#.#", "#.#", "##."}},
    Glyph{'E', {"###", "#..", "##.", "#..", "###"}},
    Glyph{'F', {"###", "#..", "##.", "#..", "#.."}},
    Glyph{'G', {".##", "#..", "#.#", "#.#", ".##"}},
    Glyph{'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
    Glyph{'I', {"###", ".#.", ".#.", ".#.", "###"}},
    Glyph{'J', {"..#", "..#", "..#", "#.#", ".#."}},
    Glyph{'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
    Glyph{'L', {"#..", "#..", "#..", "#..", "###"}},
    Glyph{'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
    Glyph{'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
    Glyph{'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
    Glyph{'P', {"##.", "#.#", "##.", "#..", "#.."}},
    Glyph{'Q', {".#.", "#.#", "#.#", "#.#", ".##"}},
    Glyph{'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
    Glyph{'S', {".##", "#..", ".#.", "..#", "##."}},
    Glyph{'T', {"###", ".#.", ".#.", ".#.", ".#."}},
    Glyph{'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
    Glyph{'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
    Glyph{'W', {"#...#", "#...#", "#.#.#", "##.##", "#...#"}},
    Glyph{'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
    Glyph{'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
    Glyph{'Z', {"###", "..#", ".#.", "#..", "###"}},
    Glyph{'0', {"###", "#.#", "#.#", "#.#", "###"}},
    Glyph{'1', {".#.", "##.", ".#.", ".#.", "###"}},
    Glyph{'2', {"##.", "..#", ".#.", "#..", "###"}},
    Glyph{'3', {"##.", "..#", ".#.", "..#", "##."}},
    Glyph{'4', {"#.#", "#.#", "###", "..#", "..#"}},
    Glyph{'5', {"###", "#..", "##.", "..#", "##."}},
    Glyph{'6', {".##", "#..", "###", "#.#", "###"}},
    Glyph{'7', {"###", "..#", ".#.", ".#.", ".#."}},
    Glyph{'8', {"###", "#.#", "###", "#.#", "###"}},
    Glyph{'9', {"###", "#.#", "###", "..#", "##."}},
    Glyph{'-', {"...", "...", "###", "...", "..."}},
    Glyph{'+', {"...", ".#.", "###", ".#.", "..."}},
    Glyph{'.', {".", ".", ".", ".", "#"}},
    Glyph{':', {".", "#", ".", "#", "."}},
    Glyph{'/', {"..#", "..#", ".#.", "#..", "#.."}},
};

constexpr int GapWidth = 2;

const Glyph *glyphFor(QChar c)
{
    const char wanted = static_cast<char>(c.toUpper().unicode());
    for (const Glyph &glyph : glyphs) {
        if (glyph.character == wanted)
            return &glyph;
    }
    return nullptr;
}

int advance(QChar c)
{
    const Glyph *glyph = glyphFor(c);
    return (glyph ? static_cast<int>(glyph->rows[0].size()) : GapWidth) + 1;
}

}  // namespace

int textWidth(QStringView text)
{
    int width = 0;
    for (QChar c : text)
        width += advance(c);
    return text.isEmpty() ? 0 : width - 1;
}

void drawText(QPainter &painter, QPoint topLeft, QStringView text, const QColor &color)
{
    int x = topLeft.x();
    for (QChar c : text) {
        if (const Glyph *glyph = glyphFor(c)) {
            for (int row = 0; row < Height; ++row) {
                for (std::size_t col = 0; col < glyph->rows[row].size(); ++col) {
                    if (glyph->rows[row][col] == '#')
                        painter.fillRect(x + static_cast<int>(col), topLeft.y() + row, 1, 1, color);
                }
            }
        }
        x += advance(c);
    }
}

}  // namespace pixel_font
