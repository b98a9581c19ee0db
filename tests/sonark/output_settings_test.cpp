// Volume, balance, channel modes, quality and the equalizer change the
// decoded sound as a listener expects; at neutral settings nothing changes.

#include "support/engine_session.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

class OutputSettings : public testing::Test {
protected:
    void SetUp() override { reference = *decodeWithMpg123(song, dir.filePath("ref.wav").toStdString()); }

    // Decodes the song through the engine with the settings applied first.
    WavData decodeWith(const std::function<void(SK_Player)> &settings)
    {
        const std::string out = dir.filePath("out" + QString::number(++count) + ".wav").toStdString();
        EngineSession s;
        s.setOutput("wav:" + out);
        settings(s.player());
        EXPECT_TRUE(s.playToEnd(song));
        const WavData wav = readWav(out).value_or(WavData{});
        EXPECT_EQ(wav.channels, 2);
        return wav;
    }
    // The share of frames where `channel` is within `tolerance` of left * the
    // reference's left plus right * its right.
    double shareNear(const WavData &wav, int channel, double left, double right, double tolerance) const
    {
        std::size_t near = 0;
        for (std::size_t f = 0; f < wav.frames() && f < reference.frames(); ++f)
            near += std::abs(wav.samples[f * 2 + channel] - left * reference.samples[f * 2] -
                             right * reference.samples[f * 2 + 1]) <= tolerance;
        return double(near) / reference.frames();
    }

    const std::string song = fixture("l3-44k-stereo-cbr.mp3");
    QTemporaryDir dir;
    WavData reference;
    int count = 0;
};

TEST_F(OutputSettings, VolumeBalanceChannelModesAndQualityShapeTheSamples)
{
    const WavData half =
        decodeWith([](SK_Player p) { control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 255, 50, 255); });
    EXPECT_EQ(shareNear(half, 0, 0.25, 0, 1), 1.0);
    const WavData left =
        decodeWith([](SK_Player p) { control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 0, 255, 255); });
    EXPECT_EQ(shareNear(left, 0, 1, 0, 0), 1.0);
    EXPECT_EQ(shareNear(left, 1, 0, 0, 0), 1.0);

    const WavData monoLeft = decodeWith([](SK_Player p) { control_message_send_I(p, SK_SET_OUTPUT_CHANNELS, 1); });
    EXPECT_GT(shareNear(monoLeft, 0, 1, 0, 1), 0.9);
    EXPECT_GT(shareNear(monoLeft, 1, 1, 0, 1), 0.9);
    const WavData mix = decodeWith([](SK_Player p) { control_message_send_I(p, SK_SET_OUTPUT_CHANNELS, 3); });
    EXPECT_GT(shareNear(mix, 0, 0.5, 0.5, 2), 0.9);
    EXPECT_EQ(decodeWith([](SK_Player p) { control_message_send_I(p, SK_SET_CODEC_QUALITY, 2); }).rate, 11025);
}

TEST_F(OutputSettings, EqualizerCutsTheBassWithoutClipping)
{
    SK_EqualizerInfo bassCut{}, boost{};
    bassCut.left[0] = bassCut.right[0] = bassCut.left[1] = bassCut.right[1] = -63;
    std::memset(&boost, 63, sizeof boost);
    const WavData cut = decodeWith([&](SK_Player p) {
        SK_EqualizerInfo reused = bassCut;
        control_message_send_P(p, SK_SET_CODEC_EQUALIZER, &reused);
        reused = boost;  // the record was copied when sent
    });
    for (int channel = 0; channel < 2; ++channel) {
        const double drop = 10 * std::log10(lowBandEnergy(reference, channel, 200) / lowBandEnergy(cut, channel, 200));
        EXPECT_GT(drop, 6.0) << "channel " << channel << ": bass cut by " << drop << " dB";
    }

    const WavData boosted = decodeWith([&](SK_Player p) { control_message_send_P(p, SK_SET_CODEC_EQUALIZER, &boost); });
    EXPECT_LT(*std::ranges::max_element(boosted.samples), 32767) << "a full boost must not clip";

    const WavData off = decodeWith([&](SK_Player p) {
        control_message_send_P(p, SK_SET_CODEC_EQUALIZER, &bassCut);
        control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 10, 20, 30);
        control_message_send_P(p, SK_SET_CODEC_EQUALIZER, nullptr);
        control_message_send_III(p, SK_SET_OUTPUT_VOLUME, 50, 100, 100);
    });
    EXPECT_EQ(off.samples, reference.samples);
}
