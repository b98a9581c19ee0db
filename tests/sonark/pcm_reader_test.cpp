// A visualizer reading the newest PCM on a thread of its own while the
// player plays, pauses and stops: it sees the song while it is heard and
// nothing otherwise, and never races the player (run under ThreadSanitizer).

#include "support/engine_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <thread>

TEST(PcmReader, SeesTheSongOnlyWhileItIsHeardWithoutRacingThePlayer)
{
    EngineSession s;
    std::atomic<bool> done{false};
    std::atomic<int> lastFrames{-1};
    std::atomic<int> loudest{0};
    std::thread reader([&] {
        std::array<int16_t, 2 * 512> stereo{};
        while (!done.load()) {
            const int n = player_read_pcm(s.player(), stereo.data(), 512);
            lastFrames.store(n);
            for (int i = 0; i < 2 * n; ++i)
                loudest.store(std::max(loudest.load(), std::abs(int(stereo[std::size_t(i)]))));
            std::this_thread::yield();
        }
    });
    const auto readerSees = [&](bool frames) {
        return s.waitFor([&] { return frames ? lastFrames.load() == 512 : lastFrames.load() == 0; });
    };

    EXPECT_TRUE(readerSees(false)) << "nothing before playing";
    s.open(fixture("l3-44k-joint-long.mp3"));
    s.send(SK_PLAY);
    EXPECT_TRUE(readerSees(true)) << "the song while it plays";
    EXPECT_GT(loudest.load(), 1000) << "the signal, not silence";
    s.send(SK_PAUSE);
    EXPECT_TRUE(readerSees(false)) << "nothing while paused";
    s.send(SK_PLAY);
    EXPECT_TRUE(readerSees(true)) << "again after the pause";
    s.send(SK_STOP);
    EXPECT_TRUE(readerSees(false)) << "nothing once stopped";
    done = true;
    reader.join();

    int16_t sample[2];
    EXPECT_EQ(player_read_pcm(s.player(), nullptr, 1), SK_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(player_read_pcm(s.player() + 1000, sample, 1), SK_ERROR_NO_SUCH_PLAYER);
}
