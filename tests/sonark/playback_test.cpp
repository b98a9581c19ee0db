// Playing through the sound device (ALSA's "null" device in tests): the
// notifications a player relies on, in order, with the right contents.

#include "support/engine_session.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

using namespace std::chrono_literals;

namespace {

std::vector<double> timecodesSince(const EngineSession &s, std::size_t since)
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
        {"l3-44k-stereo-cbr.mp3", 4, 1, 3, 44100, 1}, {"l3-44k-stereo-vbr.mp3", 4, 1, 3, 44100, 1},
        {"l3-22k-mono-vbr.mp3", 4, 2, 3, 22050, 3},   {"l3-44k-joint-long.mp3", 30, 1, 3, 44100, 1},
        {"l2-32k-mono.mp2", 4, 1, 2, 32000, 3},       {"l2-22k-stereo.mp2", 4, 2, 2, 22050, 0},
    };
    EngineSession s;
    for (const Expect &e : cases) {
        const std::size_t since = s.mark();
        s.open(fixture(e.song));
        ASSERT_NE(s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since), nullptr) << e.song;
        // The answer first: what follows is about the new input alone.
        EXPECT_EQ(s.codesSince(since), (std::vector<int>{SK_NOTIFY_ACK, SK_NOTIFY_INPUT_NAME, SK_NOTIFY_INPUT_DURATION,
                                                         SK_NOTIFY_INPUT_STREAM_INFO, SK_NOTIFY_INPUT_TIMECODE}));
        EXPECT_EQ(s.find(SK_NOTIFY_INPUT_NAME, since)->texts[0], fixture(e.song));
        EXPECT_EQ(s.find(SK_NOTIFY_INPUT_DURATION, since)->message.data.value, e.seconds) << e.song;
        const auto &info = s.find(SK_NOTIFY_INPUT_STREAM_INFO, since)->message.data.stream_info;
        EXPECT_EQ(info.level, e.level) << e.song;
        EXPECT_EQ(info.layer, e.layer) << e.song;
        EXPECT_EQ(info.frequency, e.frequency) << e.song;
        EXPECT_EQ(info.mode, e.mode) << e.song;
        EXPECT_GT(info.bitrate, 0) << e.song;
        EXPECT_EQ(s.find(SK_NOTIFY_ACK, since)->message.data.ack.command, SK_INPUT_OPEN);
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
        EXPECT_EQ(s.find(SK_NOTIFY_PLAYER_STATE, since)->state(), SK_STATE_PLAYING) << device;
        const Event *error = s.find(SK_NOTIFY_ERROR);
        EXPECT_EQ(error != nullptr, device != "null");
        if (error) {
            EXPECT_EQ(error->message.data.error.source, SK_SOURCE_OUTPUT);
            EXPECT_NE(error->texts[0].find(device), std::string::npos);
        }
    }
}

TEST(Playback, PauseHoldsThePositionAndPlayResumes)
{
    EngineSession s;
    s.open(fixture("l3-44k-joint-long.mp3"));
    s.send(SK_PLAY);
    ASSERT_TRUE(s.waitFor([&] { return !timecodesSince(s, 0).empty() && timecodesSince(s, 0).back() > 0.5; }));
    std::size_t since = s.mark();
    s.send(SK_PAUSE);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_PAUSED), nullptr);
    s.waitFor([] { return false; }, 300ms);
    since = s.mark();
    s.waitFor([] { return false; }, 500ms);
    EXPECT_TRUE(timecodesSince(s, since).empty());

    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_PLAYING), nullptr);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since), nullptr);
}

TEST(Playback, SeekLandsNearItsTargetWhilePlayingAndStopped)
{
    EngineSession s;
    s.open(fixture("l3-44k-joint-long.mp3"));
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_PLAYING), nullptr);

    std::size_t since = s.mark();
    control_message_send_II(s.player(), SK_INPUT_SEEK, 20, 30);
    const Event *ack = s.waitForEvent(SK_NOTIFY_ACK, since);
    ASSERT_NE(ack, nullptr);
    // A time code of the old place may still come before the acknowledgement.
    const Event *landed = s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, static_cast<std::size_t>(ack - s.events().data()));
    ASSERT_NE(landed, nullptr);
    EXPECT_NEAR(landed->seconds(), 20.0, 0.5);

    since = s.mark();
    s.send(SK_STOP);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_STOPPED), nullptr);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since), nullptr) << "a time code follows a stop";

    since = s.mark();
    control_message_send_II(s.player(), SK_INPUT_SEEK, 0, 0);
    const Event *start = s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->seconds(), 0.0);

    // The knob sends pixels: 150 of 200 is three quarters of 30 s.
    since = s.mark();
    control_message_send_II(s.player(), SK_INPUT_SEEK, 150, 200);
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_PLAYING), nullptr);
    const Event *resumed = s.waitForEvent(SK_NOTIFY_INPUT_TIMECODE, since);
    ASSERT_NE(resumed, nullptr);
    EXPECT_NEAR(resumed->seconds(), 22.5, 0.5);
}

// End of input leaves the song open; a seek to the start and Play repeat it,
// as the playlist's "repeat one" does.
TEST(Playback, EndOfInputThenSeekToStartPlaysAgain)
{
    EngineSession s;
    s.setOutput("wav:/dev/null");
    ASSERT_TRUE(s.playToEnd(fixture("l2-32k-mono.mp2")));
    std::size_t since = s.mark();
    control_message_send_II(s.player(), SK_INPUT_SEEK, 0, 0);
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_PLAYING), nullptr);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF), nullptr);

    // Play straight after the end starts over too.
    since = s.mark();
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_EOF), nullptr);
    const auto times = timecodesSince(s, since);
    ASSERT_FALSE(times.empty());
    EXPECT_NEAR(times.back(), 4.0, 0.1);
}

// A new output takes over mid-song: the rest of the song lands in the WAV
// file and the song is not started again.
TEST(Playback, SwitchingOutputsWhilePlayingContinuesTheSong)
{
    QTemporaryDir dir;
    const std::string wav = dir.filePath("rest.wav").toStdString();
    EngineSession s;
    s.open(fixture("l3-44k-joint-long.mp3"));
    s.send(SK_PLAY);
    ASSERT_TRUE(s.waitFor([&] { return !timecodesSince(s, 0).empty() && timecodesSince(s, 0).back() >= 1.0; }));
    s.setOutput("wav:" + wav);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, 0, SK_STATE_EOF), nullptr);
    const auto rest = readWav(wav);
    ASSERT_TRUE(rest.has_value());
    const double seconds = static_cast<double>(rest->frames()) / rest->rate;
    EXPECT_GT(seconds, 25.0);
    EXPECT_LT(seconds, 29.5);
}

// A song plays in real time on ALSA's "null" device; the highest pitch on
// the direct sound output plays it twice as fast. At the lowest pitch one
// decoded chunk plays for most of a minute; the player still answers within
// a fraction of a second.
TEST(Playback, TimingRealTimePitchAndPromptAnswers)
{
    const auto playedFor = [](EngineSession &s) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(s.playToEnd(fixture("l3-44k-stereo-cbr.mp3")));
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    {
        EngineSession realTime;
        EXPECT_GT(playedFor(realTime), 3.5) << "four seconds of song on the null device";
    }
    EngineSession s;
    auto pitch = [&](int value) {
        control_message_send_SI(s.player(), SK_SET_PLAYER_ENVIRONMENT_INTEGER, "OUTPUT.DIRECTSOUND.PITCH", value);
    };
    s.setOutput("/dev/dsound/0");
    pitch(2000);
    const double wall = playedFor(s);
    EXPECT_LT(wall, 3.4) << "four seconds of song at double speed";
    EXPECT_GT(wall, 1.5);

    auto secondsToAnswer = [&](const std::function<void()> &send, int answer) {
        const std::size_t since = s.mark();
        const auto start = std::chrono::steady_clock::now();
        send();
        s.waitForEvent(answer, since, {}, 60s);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    pitch(1);
    const std::size_t since = s.mark();
    s.open(fixture("l3-44k-stereo-cbr.mp3"));
    s.send(SK_PLAY);
    ASSERT_NE(s.waitForEvent(SK_NOTIFY_PLAYER_STATE, since, SK_STATE_PLAYING), nullptr);
    s.waitFor([] { return false; }, 300ms);
    EXPECT_LT(secondsToAnswer([&] { pitch(2); }, SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER), 0.5);
    EXPECT_LT(secondsToAnswer([&] { s.send(SK_STOP); }, SK_NOTIFY_ACK), 0.5);
}
