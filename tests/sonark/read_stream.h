#pragma once

// Reads a stream address to its end with the engine's reader, the way the
// engine does: sleeping on the wakeups between reads.

#include "sonark/stream_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace stream_test {

using sonark::StreamReader;
using Status = StreamReader::Status;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Counts wakeup calls so a test can sleep on them the way the engine does.
class Wakeups {
public:
    std::function<void()> callback()
    {
        return [this] {
            std::lock_guard lock(mutex_);
            ++count_;
            changed_.notify_all();
        };
    }
    long count() const
    {
        std::lock_guard lock(mutex_);
        return count_;
    }
    bool waitBeyond(long seen, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return count_ > seen; });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    long count_ = 0;
};

struct Outcome {
    std::string audio;
    Status status = Status::Connecting;
    std::string error;
    std::string title;
    std::string contentType;
    bool failedForGood = false;
    bool live = false;
    std::string stationList;
    std::size_t largestRead = 0;
};

// Reads `address` until the stream ends or fails, sleeping on wakeups between
// reads; a wait that times out is a missed wakeup.
inline Outcome readStream(const std::string &address, StreamReader::Options options = {.timeoutMs = 3000},
                          std::chrono::milliseconds pauseAfterRead = 0ms)
{
    Wakeups wakeups;
    StreamReader reader(address, options, wakeups.callback());
    Outcome outcome;
    const auto start = Clock::now();
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const long seen = wakeups.count();
        const Status before = reader.status();
        const std::size_t n = reader.read(buffer.data(), buffer.size());
        if (n > 0) {
            EXPECT_TRUE(before == Status::Streaming) << "the end was reported while audio was still buffered";
            outcome.audio.append(buffer.data(), n);
            outcome.largestRead = std::max(outcome.largestRead, n);
            std::this_thread::sleep_for(pauseAfterRead);
            continue;
        }
        outcome.status = reader.status();
        if (outcome.status == Status::Ended || outcome.status == Status::Failed ||
            outcome.status == Status::StationList || Clock::now() - start > 10s)
            break;
        if (!wakeups.waitBeyond(seen, 3s))
            ADD_FAILURE() << "no wakeup within 3 s";
    }
    outcome.error = reader.error();
    outcome.title = reader.streamTitle();
    outcome.contentType = reader.contentType();
    outcome.failedForGood = reader.failedForGood();
    outcome.live = reader.isLive();
    outcome.stationList = reader.stationList();
    return outcome;
}

}  // namespace stream_test
