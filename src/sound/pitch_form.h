#pragma once

// "Pitch Control": one slider from slow to fast and a Reset button. A move
// only records the wish; the main window's second timer sends it.

#include <QSlider>
#include <QWidget>

#include <functional>

class TPitchForm : public QWidget {
public:
    explicit TPitchForm(QWidget *parent = nullptr);

    QSlider &PitchBar() { return *pitchBar_; }
    void ResetClick();

    // The slider's position, each time it changes.
    std::function<void(int)> OnPitchChange;

    static constexpr int NormalPitch = 1000;

private:
    QSlider *pitchBar_;
};
