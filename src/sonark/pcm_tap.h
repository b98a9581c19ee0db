#pragma once

// The newest PCM the player wrote to its output, offered to readers on other
// threads (the visualizer) without ever making the player's thread wait: a
// triple buffer whose three slots change hands by atomic exchange.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

namespace sonark {

class PcmTap {
public:
    // More than one slice of the player at the highest rate and speed is
    // cut to its newest frames.
    static constexpr std::size_t Capacity = 16384;

    PcmTap();

    // Player thread: `count` frames of `channels` interleaved samples that
    // start to be heard `delay` frames from now and play at `rate` frames a
    // second.
    void publish(const int16_t *frames, std::size_t count, int channels, double rate, int64_t delay);
    // Player thread: nothing plays any more.
    void clear();

    // Any thread: the `count` stereo frames heard at this moment, interleaved
    // into `stereo`; the number copied, 0 while nothing plays (also when no
    // block came for a while: paused, ended or starved).
    std::size_t read(int16_t *stereo, std::size_t count);

private:
    struct Block {
        std::vector<int16_t> stereo;  // Capacity frames, 2 samples each
        std::size_t frames = 0;
        double rate = 0;
        std::chrono::steady_clock::time_point start;
    };

    void swapOut();

    static constexpr unsigned Fresh = 4;  // the middle slot holds an unread block
    std::array<Block, 3> blocks_;
    unsigned back_ = 0;                    // the writer's slot
    std::atomic<unsigned> middle_{1};      // slot index, or-ed with Fresh
    std::mutex readerMutex_;               // readers among themselves only
    unsigned front_ = 2;                   // the reader's slot
};

}  // namespace sonark
