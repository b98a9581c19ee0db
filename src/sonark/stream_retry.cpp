#include "stream_retry.h"

#include <algorithm>

namespace sonark {

namespace {

constexpr std::chrono::seconds kFirstDelay{1};
constexpr std::chrono::seconds kLongestDelay{30};
constexpr std::chrono::minutes kGiveUpAfter{5};

}  // namespace

std::optional<StreamRetry::Clock::time_point> StreamRetry::next(Clock::time_point now)
{
    if (!breakAt_) {
        breakAt_ = now;
        delay_ = kFirstDelay;
    } else {
        delay_ = std::min(delay_ * 2, kLongestDelay);
    }
    if (now + delay_ > *breakAt_ + kGiveUpAfter) {
        breakAt_.reset();
        return std::nullopt;
    }
    return now + delay_;
}

}  // namespace sonark
