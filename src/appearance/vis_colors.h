#pragma once

// The visualizer's 24 colours as a skin's "viscolor.txt" gives them: the
// background, the grid dots, 16 analyser rows from the top down, 5
// oscilloscope shades from the brightest, and the analyser's peak dots.

#include <QByteArray>
#include <QRgb>

#include <array>

class TextureSource;

struct VisColors {
    static constexpr int Background = 0;
    static constexpr int Dots = 1;
    static constexpr int AnalyserTop = 2;  // ... 17 at the bottom row
    static constexpr int Scope = 18;       // ... 22
    static constexpr int Peak = 23;

    std::array<QRgb, 24> colors = defaults();

    QRgb operator[](int index) const { return colors[static_cast<std::size_t>(index)]; }
    static std::array<QRgb, 24> defaults();
};

// Lines of "r,g,b" with anything after the third number ignored; a missing,
// short or unreadable line keeps its default.
VisColors parseVisColors(const QByteArray &text);
// A texture's or skin's "viscolor.txt"; the defaults without one.
VisColors readVisColors(const TextureSource &source);
