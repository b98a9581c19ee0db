#pragma once

// Values and read-outs of the volume and balance sliders, from the knob's
// offset on its track.

#include <QString>

// 0 ... 100.
int volumeFromKnob(int offset, int width);
// -50 (left) ... +50 (right), with a dead zone of 5 pixels each side of the
// centre.
int balanceFromKnob(int offset, int width);

QString volumeText(int volume);      // "Volume 45%"
QString balanceText(int balance);    // "Balance 30% Left", "Balance Left=Right"; balance 0 ... 100
QString balanceHint(int balance);    // "30% Left", "Left=Right"
