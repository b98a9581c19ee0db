#include "appearance/hover_animation.h"

#include <utility>

HoverAnimation::HoverAnimation(std::function<void()> frameChanged) : frameChanged_(std::move(frameChanged))
{
    timer_.setInterval(75);
    QObject::connect(&timer_, &QTimer::timeout, [this] { advance(); });
}

void HoverAnimation::start(int frames)
{
    frames_ = frames;
    frame_ = 0;
    if (frames_ > 1)
        timer_.start();
    else
        timer_.stop();
}

void HoverAnimation::stop()
{
    timer_.stop();
    frame_ = 0;
}

void HoverAnimation::advance()
{
    ++frame_;
    if (frame_ >= frames_ - 1)
        timer_.stop();
    frameChanged_();
}
