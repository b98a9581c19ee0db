#pragma once

// Equalizer preset files in the program's "presets" folder: twelve lines of
// slider positions, named as the user typed them. Names never reach
// outside the folder.

#include "sound/equalizer_bands.h"

#include <QString>
#include <QStringList>

#include <vector>

class PresetFolder {
public:
    // `folder` ends with "/".
    explicit PresetFolder(QString folder) : folder_(std::move(folder)) {}

    // The preset files, alphabetically.
    QStringList names() const;
    // Why a typed name cannot be a preset's name, or empty when it can.
    static QString refusal(const QString &name);
    // Creates or replaces the preset whole; the I/O error, or empty.
    QString save(const QString &name, const equalizer::Positions &positions) const;

    struct Loaded {
        // Slider positions in order, up to a bad line; they may be out of range.
        std::vector<int> positions;
        QString error;
    };
    // Line 1 is skipped, lines 2 to 11 give sliders 1 to 10.
    Loaded load(const QString &name) const;

private:
    QString folder_;
};
