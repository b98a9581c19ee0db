#pragma once

// Equalizer preset files in the "presets" folders: twelve lines of slider
// positions, named as the user typed them. They are saved to the first
// folder (the user's) and read from the first that holds them. Names never
// reach outside the folders.

#include "sound/equalizer_bands.h"

#include <QString>
#include <QStringList>

#include <vector>

class PresetFolder {
public:
    // Each folder ends with "/".
    explicit PresetFolder(QStringList folders) : folders_(std::move(folders)) {}

    // The preset files of every folder, alphabetically, each name once.
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
    QStringList folders_;
};
