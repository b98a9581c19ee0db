#pragma once

// The main window's visualizer fed from the engine: on its own timer, and
// only while the window shows its area and a song plays. A click on the
// area picks the next mode, kept as the setting "Visualizer".

#include "app/feature.h"

#include <QTimer>

class VisualizerFeature : public Feature {
public:
    explicit VisualizerFeature(AppContext &app);

    void restore() override;
    void store() override;
    bool running() const { return timer_.isActive(); }

    // Frames a second it draws while running.
    static constexpr int FramesPerSecond = 25;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void tick();

    QTimer timer_;
};
