#pragma once

// The bitmap time counter: four digit pictures, minutes and seconds, with
// the counter's own background showing between them.

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

struct CounterDigit {
    QRect source;  // in the digit picture, which holds 0 to 9 side by side
    QRect target;  // relative to the counter's top-left corner
};

// The four digits of `seconds` (its amount, at most 99:59) on a counter of
// size `counter`; each digit is one fifth of the counter wide.
std::array<CounterDigit, 4> counterDigits(QSize counter, int seconds);

// Whole seconds of an "m:ss" time text; a remaining time "-m:ss" counts
// its amount.
int secondsOfTimeText(const QString &text);
