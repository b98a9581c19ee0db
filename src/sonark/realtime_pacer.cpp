#include "realtime_pacer.h"

#include <algorithm>
#include <thread>

namespace sonark {

void RealtimePacer::start(long rate, double leadSeconds)
{
    rate_ = rate;
    lead_ = static_cast<int64_t>(leadSeconds * rate);
    reset();
}

void RealtimePacer::reset()
{
    written_ = 0;
    anchor_ = Clock::now();
    paused_ = false;
}

int64_t RealtimePacer::elapsedFrames(Clock::time_point now) const
{
    const auto end = paused_ ? pausedAt_ : now;
    return std::chrono::duration_cast<std::chrono::microseconds>(end - anchor_).count() * rate_ / 1000000;
}

void RealtimePacer::wrote(int64_t frames)
{
    if (rate_ <= 0)
        return;
    const auto now = Clock::now();
    // Fell behind (an underrun): start counting afresh, without credit.
    if (written_ < elapsedFrames(now)) {
        anchor_ = now;
        written_ = 0;
    }
    written_ += frames;
    const int64_t excess = written_ - elapsedFrames(now) - lead_;
    if (excess > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(excess * 1000000 / rate_));
}

void RealtimePacer::finish()
{
    if (rate_ > 0 && !paused_) {
        const int64_t left = aheadFrames();
        if (left > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(left * 1000000 / rate_));
    }
    reset();
}

void RealtimePacer::pause()
{
    if (!paused_) {
        pausedAt_ = Clock::now();
        paused_ = true;
    }
}

void RealtimePacer::resume()
{
    if (paused_) {
        anchor_ += Clock::now() - pausedAt_;
        paused_ = false;
    }
}

int64_t RealtimePacer::aheadFrames() const
{
    return std::max<int64_t>(0, written_ - elapsedFrames(Clock::now()));
}

}  // namespace sonark
