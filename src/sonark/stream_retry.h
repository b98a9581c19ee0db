#pragma once

// When a radio stream breaks, the player connects again after 1, 2, 4 ...
// seconds, at most 30 between tries, and gives up 5 minutes after the break.
// Audio flowing again ends the plan; the next break starts a new one.

#include <chrono>
#include <optional>

namespace sonark {

class StreamRetry {
public:
    using Clock = std::chrono::steady_clock;

    // The stream broke, or a try failed: when to try next, or nothing once
    // that would be past the 5 minutes.
    std::optional<Clock::time_point> next(Clock::time_point now);
    void recovered() { breakAt_.reset(); }
    bool active() const { return breakAt_.has_value(); }
    // The wait before the try that next() gave.
    std::chrono::seconds delay() const { return delay_; }

private:
    std::optional<Clock::time_point> breakAt_;
    std::chrono::seconds delay_{0};
};

}  // namespace sonark
