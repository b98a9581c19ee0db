#pragma once

// Knob places on a slider's track, from a value or from a drag.

#include "appearance/texture_layout.h"

class SliderTrack {
public:
    explicit SliderTrack(const SliderGeometry &geometry) : geometry_(geometry) {}

    // The knob's left for a fraction 0 ... 1 of the track.
    int knobLeftAt(double fraction) const;
    // The knob's left for a percentage 0 ... 100, rounded down.
    int knobLeftForPercent(int percent) const;
    // Where a knob that was at `knobLeft` when the mouse was pressed at
    // `pressX` goes when the mouse is at `mouseX`: it follows, within the track.
    int draggedKnobLeft(int knobLeft, int pressX, int mouseX) const;
    int offsetOf(int knobLeft) const { return knobLeft - geometry_.left; }
    int length() const { return geometry_.length; }

private:
    SliderGeometry geometry_;
};
