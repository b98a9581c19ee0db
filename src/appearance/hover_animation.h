#pragma once

// The frames of a highlighted button, one every 75 ms from the first; after
// the last the timer stops and the last frame stays, so a finished
// animation costs nothing.

#include <QTimer>

#include <functional>

class HoverAnimation {
public:
    // `frameChanged` redraws the button.
    explicit HoverAnimation(std::function<void()> frameChanged);

    // Frame 0 now; with one frame nothing runs.
    void start(int frames);
    // Back to frame 0.
    void stop();
    int frame() const { return frame_; }
    bool running() const { return timer_.isActive(); }

private:
    void advance();

    std::function<void()> frameChanged_;
    QTimer timer_;
    int frames_ = 1;
    int frame_ = 0;
};
