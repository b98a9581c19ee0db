#pragma once

// Values and read-outs of the volume and balance sliders, from the knob's
// offset on its track.

#include "language/messages.h"

#include <QString>

// 0 ... 100.
int volumeFromKnob(int offset, int width);
// -50 (left) ... +50 (right), with a dead zone of 5 pixels each side of the
// centre.
int balanceFromKnob(int offset, int width);

// In the words of the language.
QString volumeText(int volume, const Messages &words);    // "Volume 45%"
QString balanceText(int balance, const Messages &words);  // "Balance 30% Left", "Balance Left=Right"; 0 ... 100
QString balanceHint(int balance, const Messages &words);  // "30% Left", "Left=Right"
