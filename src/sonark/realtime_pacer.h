#pragma once

// Keeps a writer from running ahead of real time by more than a lead, for
// outputs that would otherwise swallow audio at once (a silent sink, ALSA's
// "null" device). Also tells how far ahead the writer is.

#include <chrono>
#include <cstdint>

namespace sonark {

class RealtimePacer {
public:
    using Clock = std::chrono::steady_clock;

    void start(long rate, double leadSeconds);
    // Sleeps as long as the writer is more than the lead ahead.
    void wrote(int64_t frames);
    // Sleeps until everything written was heard, then starts afresh.
    void finish();
    void pause();
    void resume();
    void reset();
    int64_t aheadFrames() const;

private:
    int64_t elapsedFrames(Clock::time_point now) const;

    long rate_ = 0;
    int64_t lead_ = 0;
    int64_t written_ = 0;
    Clock::time_point anchor_{};
    Clock::time_point pausedAt_{};
    bool paused_ = false;
};

}  // namespace sonark
