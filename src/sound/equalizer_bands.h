#pragma once

// The ten equalizer sliders and what they mean: the decoder's 32-band,
// two-channel record, the band label texts, the twelve stored values and
// the rotations of "Move Right" and "Move Left". A slider's top, -127, is
// the largest boost.

#include "sonark/sonark.h"

#include <QString>

#include <array>

namespace equalizer {

inline constexpr int SliderCount = 10;
inline constexpr int MinPosition = -127;
inline constexpr int MaxPosition = 127;

using Positions = std::array<int, SliderCount>;
using StoredValues = std::array<int, 12>;  // Eq1 ... Eq12

// Frequencies of the band labels; below 20 they are kHz.
inline constexpr std::array<int, SliderCount> Frequencies{60, 170, 310, 600, 1, 3, 6, 12, 14, 16};

// (-position) / 2, toward zero: -63 ... +63.
int bandValue(int position);
// Bands 0-7 from sliders 1-8, 8-13 from slider 9, 14-31 from slider 10;
// the right channel repeats the left.
SK_EqualizerInfo bandRecord(const Positions &positions);
// "60Hz : 40dB", "1KHz : -20dB" for a 0-based slider.
QString bandLabel(int slider, int position);

Positions movedRight(const Positions &positions);
Positions movedLeft(const Positions &positions);

// Eq1 and Eq2 hold slider 1, Eq3 ... Eq10 sliders 2 ... 9, Eq11 and Eq12 slider 10.
StoredValues storedValues(const Positions &positions);
Positions fromStoredValues(const StoredValues &values);

}  // namespace equalizer
