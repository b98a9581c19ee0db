// Volume, balance, channel modes, quality and the equalizer change the
// decoded sound as a listener expects; at neutral settings nothing changes.

#include "support/engine_session.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

class OutputSettings : public testing::Test {
protected:
    void SetUp() override
    {
        reference = *decodeWithMpg123(song, dir.filePath("ref.wav").toStdString());
        ASSERT_EQ(reference.channels, 2);
    }

    // Decodes the song through the engine with the settings applied first.
    WavData decodeWith(const std::function<void(SK_Player)> &settings)
    {
        const std::string out = dir.filePath("out" + QString::number(++count) + ".wav").toStdString();
        EngineSession s;
        s.setOutput("wav:" + out);
        settings(s.player());
        EXPECT_TRUE(s.playToEnd(song));
        return readWav(out).value_or(WavData{});
    }

    int16_t ref(std::size_t frame, int channel) const { return reference.samples[frame * 2 + channel]; }

    const std::string song = fixture("l3-44k-stereo-cbr.mp3");
    QTemporaryDir dir;
    WavData reference;
    int count = 0;
};

TEST_F(OutputSettings, VolumeAndBalanceScaleTheSamples)
{
    const WavData half =
        decodeWith([](SK_Player p) { control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 255, 50, 255); });
    ASSERT_EQ(half.samples.size(), reference.samples.size());
    for (std::size_t i = 0; i < half.samples.size(); i += 97)
        ASSERT_NEAR(half.samples[i], reference.samples[i] * 0.25, 1.0) << i;

    const WavData left =
        decodeWith([](SK_Player p) { control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 0, 255, 255); });
    ASSERT_EQ(left.frames(), reference.frames());
    for (std::size_t f = 0; f < left.frames(); f += 31) {
        ASSERT_EQ(left.samples[f * 2], ref(f, 0));
        ASSERT_EQ(left.samples[f * 2 + 1], 0);
    }

    const WavData restored = decodeWith([](SK_Player p) {
        control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 10, 20, 30);
        control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 50, 100, 100);
    });
    EXPECT_EQ(restored.samples, reference.samples);
}

TEST_F(OutputSettings, ChannelModesAndQuality)
{
    const WavData monoLeft = decodeWith([](SK_Player p) { control_message_send_I(p, SK_SET_OUTPUT_CHANNELS, 1); });
    ASSERT_EQ(monoLeft.channels, 2);
    ASSERT_EQ(monoLeft.frames(), reference.frames());
    std::size_t leftMatches = 0;
    for (std::size_t f = 0; f < monoLeft.frames(); ++f) {
        ASSERT_EQ(monoLeft.samples[f * 2], monoLeft.samples[f * 2 + 1]);
        leftMatches += std::abs(monoLeft.samples[f * 2] - ref(f, 0)) <= 1;
    }
    EXPECT_GT(leftMatches, monoLeft.frames() * 9 / 10);

    const WavData mix = decodeWith([](SK_Player p) { control_message_send_I(p, SK_SET_OUTPUT_CHANNELS, 3); });
    ASSERT_EQ(mix.frames(), reference.frames());
    std::size_t mixMatches = 0;
    for (std::size_t f = 0; f < mix.frames(); ++f)
        mixMatches += std::abs(mix.samples[f * 2] - (ref(f, 0) + ref(f, 1)) / 2.0) <= 2;
    EXPECT_GT(mixMatches, mix.frames() * 9 / 10);

    const WavData quarter = decodeWith([](SK_Player p) { control_message_send_I(p, SK_SET_CODEC_QUALITY, 2); });
    EXPECT_EQ(quarter.rate, 11025);
    EXPECT_NEAR(static_cast<double>(quarter.frames()), reference.frames() / 4.0, 1200);
}

TEST_F(OutputSettings, EqualizerCutsTheBassWithoutClipping)
{
    SK_EqualizerInfo bassCut{};
    for (int b = 0; b < 2; ++b)
        bassCut.left[b] = bassCut.right[b] = -63;
    const WavData cut = decodeWith([&](SK_Player p) { control_message_send_P(p, SK_SET_CODEC_EQUALIZER, &bassCut); });
    ASSERT_EQ(cut.frames(), reference.frames());
    for (int channel = 0; channel < 2; ++channel) {
        const double drop = 10 * std::log10(lowBandEnergy(reference, channel, 200) / lowBandEnergy(cut, channel, 200));
        EXPECT_GT(drop, 6.0) << "channel " << channel << ": bass cut by " << drop << " dB";
    }

    SK_EqualizerInfo boost{};
    for (int b = 0; b < 32; ++b)
        boost.left[b] = boost.right[b] = 63;
    const WavData boosted = decodeWith([&](SK_Player p) { control_message_send_P(p, SK_SET_CODEC_EQUALIZER, &boost); });
    int peak = 0;
    for (int16_t v : boosted.samples)
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_LT(peak, 32767) << "a full boost must not clip";

    const WavData off = decodeWith([&](SK_Player p) {
        control_message_send_P(p, SK_SET_CODEC_EQUALIZER, &bassCut);
        control_message_send_P(p, SK_SET_CODEC_EQUALIZER, nullptr);
    });
    EXPECT_EQ(off.samples, reference.samples);
}
