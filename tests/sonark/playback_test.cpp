// Playing through the sound device (ALSA's "null" device in tests): the
// notifications a player relies on, in order, with the right contents, and
// the PCM a visualizer reads.

#include "support/engine_session.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

using namespace std::chrono_literals;

namespace {

std::vector<double> timecodesSince(const EngineSession &s, std::size_t since = 0)
{
    std::vector<double> t;
    for (std::size_t i = since; i < s.events().size(); ++i)
        if (s.events()[i].code() == SK_NOTIFY_INPUT_TIMECODE)
            t.push_back(s.events()[i].seconds());
    return t;
}

}  // namespace

TEST(Playback, OpeningReportsNameDurationFormatAndStartOfEveryKindOfSong)
{
    struct Expect {
        const char *song;
        int seconds, level, layer, frequency, mode;
    };
    const Expect cases[] = {
        {"l3-44k-stereo-cbr.mp3", 4, 1, 3, 44100, 1},  {"l3-22k-mono-vbr.mp3", 4, 2, 3, 22050, 3},
        {"l3-44k-joint-long.mp3", 30, 1, 3, 44100, 1}, {"l2-32k-mono.mp2", 4, 1, 2, 32000, 3},
        {"l2-22k-stereo.mp2", 4, 2, 2, 22050, 0},
    };
    EngineSession s;
    for (const Expect &e : cases) {
        SCOPED_TRACE(e.song);
        const std::size_t since = s.mark();
        s.open(fixture(e.song));
        ASSERT_NE(s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since), nullptr);
        // The answer first: what follows is about the new input alone.
        EXPECT_EQ(s.codesSince(since), (std::vector<int>{SK_NOTIFY_ACK, SK_NOTIFY_INPUT_NAME, SK_NOTIFY_INPUT_DURATION,
                                                         SK_NOTIFY_INPUT_STREAM_INFO, SK_NOTIFY_INPUT_TIMECODE}));
        EXPECT_EQ(s.find(SK_NOTIFY_INPUT_DURATION, since)->message.data.value, e.seconds);
        const auto &info = s.find(SK_NOTIFY_INPUT_STREAM_INFO, since)->message.data.stream_info;
        EXPECT_EQ(std::vector<int>({info.level, info.layer, info.frequency, info.mode}),
                  std::vector<int>({e.level, e.layer, e.frequency, e.mode}));
    }
}

// With steady time codes, through ALSA's "null" device and, reported,
// without a usable sound device.
TEST(Playback, PlaysToTheEndInRealTimeWithOrWithoutASoundDevice)
{
    const std::string saved = std::getenv("LUDRO_ALSA_DEVICE") ? std::getenv("LUDRO_ALSA_DEVICE") : "";
    for (const std::string device : {"null", "ludro_no_such_device"}) {
        setenv("LUDRO_ALSA_DEVICE", device.c_str(), 1);
        EngineSession s;
        s.open(fixture("l3-44k-stereo-cbr.mp3"));
        const std::size_t since = s.mark();
        s.send(SK_PLAY);
        const bool ended = s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF) != nullptr;
        setenv("LUDRO_ALSA_DEVICE", saved.c_str(), 1);

        ASSERT_TRUE(ended) << device;
        const auto times = timecodesSince(s, since);
        ASSERT_GE(times.size(), 16u) << "at least four time codes a second";
        EXPECT_TRUE(std::is_sorted(times.begin(), times.end())) << device;
        EXPECT_NEAR(times.back(), 4.0, 0.1) << device;
        const Event *error = s.find(SK_NOTIFY_ERROR);
        EXPECT_EQ(error != nullptr, device != "null");
        EXPECT_TRUE(!error || error->texts[0].find(device) != std::string::npos);
    }
}

// A seek while playing is the controller's test, through this engine.
TEST(Playback, SeekLandsNearItsTargetWhileStoppedAndANewOutputTakesOver)
{
    EngineSession s;
    s.open(fixture("l3-44k-joint-long.mp3"));
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE), nullptr);
    const auto seek = [&](int position, int of) {
        const std::size_t since = s.mark();
        control_message_send_II(s.player(), SK_INPUT_SEEK, position, of);
        const Event *landed = s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since);
        return landed ? landed->seconds() : -1;
    };
    const std::size_t since = s.mark();
    s.send(SK_STOP);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_STOPPED), nullptr);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since), nullptr) << "a time code follows a stop";
    EXPECT_EQ(seek(0, 0), 0.0);
    // The knob sends pixels: 150 of 200 is three quarters of 30 s.
    seek(150, 200);
    const std::size_t resumed = s.mark();
    s.send(SK_PLAY);
    const Event *played = s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, resumed);
    EXPECT_NEAR(played ? played->seconds() : -1, 22.5, 0.5);

    // A new output takes over mid-song: the rest lands in the WAV file, the song is not started again.
    QTemporaryDir dir;
    const std::string wav = dir.filePath("rest.wav").toStdString();
    s.setOutput("wav:" + wav);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, resumed, SK_STATE_EOF), nullptr);
    const WavData rest = readWav(wav).value_or(WavData{.rate = 1});
    EXPECT_NEAR(static_cast<double>(rest.frames()) / rest.rate, 7.0, 1.0);
}

// A song plays in real time on ALSA's "null" device; the highest pitch on
// the direct sound output plays it twice as fast. At the lowest pitch one
// decoded chunk plays for most of a minute; the player still answers within
// a fraction of a second.
TEST(Playback, TimingRealTimePitchAndPromptAnswers)
{
    const auto secondsFor = [](const std::function<bool()> &done) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(done());
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const std::string song = fixture("l3-44k-stereo-cbr.mp3");
    EXPECT_GT(secondsFor([&] { return EngineSession().playToEnd(song); }), 3.5) << "four seconds on the null device";
    EngineSession s;
    auto pitch = [&](int value) {
        control_message_send_SI(s.player(), SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.PITCH", value);
    };
    s.setOutput("/dev/dsound/0");
    pitch(2000);
    const double wall = secondsFor([&] { return s.playToEnd(song); });
    EXPECT_LT(wall, 3.4) << "four seconds of song at double speed";
    EXPECT_GT(wall, 1.5);

    auto secondsToAnswer = [&](const std::function<void()> &send, int answer) {
        const std::size_t since = s.mark();
        return secondsFor([&] {
            send();
            return s.waitForEvent(answer, since, {}, 60s) != nullptr;
        });
    };
    pitch(1);
    const std::size_t since = s.mark();
    s.open(song);
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_PLAYING), nullptr);
    s.waitFor([] { return false; }, 300ms);
    EXPECT_LT(secondsToAnswer([&] { pitch(2); }, SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER), 0.5);
    EXPECT_LT(secondsToAnswer([&] { s.send(SK_STOP); }, SK_NOTIFY_ACK), 0.5);
}

// A visualizer reading the newest PCM on a thread of its own while the
// player plays, pauses and stops: it sees the song while it is heard and
// nothing otherwise, and never races the player (run under ThreadSanitizer).
TEST(PcmReader, SeesTheSongOnlyWhileItIsHeardWithoutRacingThePlayer)
{
    EngineSession s;
    std::atomic<bool> done{false};
    std::atomic<int> lastFrames{-1}, loudest{0};
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
        return s.waitFor([&] { return lastFrames.load() == (frames ? 512 : 0); });
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
    EXPECT_EQ(player_read_pcm(s.player(), nullptr, 1), SK_ERROR_INVALID_ARGUMENT);
}
