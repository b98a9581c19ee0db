#pragma once

// The texts of the main window's hints, kept up to date by Timer1.

#include <QString>

// "37%" of the song played, in whole seconds; empty while the length is unknown.
QString positionHint(double positionSeconds, double durationSeconds);
// The title alone with fewer than two entries, else "3. Title".
QString titleHint(const QString &title, int entryCount, int currentIndex);
