#include "appearance/slider_track.h"

#include <algorithm>
#include <cmath>

int SliderTrack::knobLeftAt(double fraction) const
{
    return geometry_.left + static_cast<int>(std::lround(geometry_.length * std::clamp(fraction, 0.0, 1.0)));
}

int SliderTrack::knobLeftForPercent(int percent) const
{
    return geometry_.left + geometry_.length * std::clamp(percent, 0, 100) / 100;
}

int SliderTrack::draggedKnobLeft(int knobLeft, int pressX, int mouseX) const
{
    return std::clamp(knobLeft + (mouseX - pressX), geometry_.left, geometry_.left + geometry_.length);
}
