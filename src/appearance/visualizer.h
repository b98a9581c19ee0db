#pragma once

// The main window's visualization area: a spectrum analyser whose bars fall
// and whose peaks drop after them, or an oscilloscope, or nothing. It keeps
// what it shows between the blocks of sound it is fed, and paints itself
// into its rectangle in a skin's visualizer colours.

#include "appearance/vis_colors.h"

#include <QImage>
#include <QRect>

#include <array>
#include <cstdint>

class QPainter;

class Visualizer {
public:
    enum class Mode { Off, Analyser, Scope };
    // Frames of a block it takes: one transform's length.
    static constexpr int BlockFrames = 512;
    static constexpr int Bars = 19;
    static constexpr int Height = 16;
    static constexpr int ScopeWidth = 76;

    Mode mode() const { return mode_; }
    void setMode(Mode mode);
    // Analyser, scope, off, and round again.
    void cycleMode();

    // A block of `frames` interleaved stereo frames (fewer than BlockFrames
    // are padded with silence); none at all lets the bars fall.
    void feed(const int16_t *stereo, int frames);
    // Everything down at once, as when playing stops.
    void clear();
    // Bars or peaks still above the floor: more frames would change it.
    bool moving() const;

    void paint(QPainter &painter, const QRect &area, const VisColors &colors) const;
    // What it shows, one pixel a skin pixel.
    QImage picture(const VisColors &colors) const;

    // Heights 0 ... Height, for tests.
    int barHeight(int bar) const { return static_cast<int>(bars_[static_cast<std::size_t>(bar)]); }
    int peakHeight(int bar) const { return static_cast<int>(peaks_[static_cast<std::size_t>(bar)]); }
    // The scope's row (0 at the top) of each column.
    int scopeRow(int column) const { return scope_[static_cast<std::size_t>(column)]; }

private:
    void analyse(const std::array<float, BlockFrames> &mono);

    Mode mode_ = Mode::Analyser;
    std::array<float, Bars> bars_{};
    std::array<float, Bars> peaks_{};
    std::array<float, Bars> peakSpeed_{};
    std::array<int, ScopeWidth> scope_ = [] {
        std::array<int, ScopeWidth> middle{};
        middle.fill(Height / 2);
        return middle;
    }();
};
