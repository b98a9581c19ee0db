// The equalizer is heard: the same song decoded through the engine's WAV
// output with flat sliders and with the low sliders pulled to the bottom
// loses most of its bass.

#include "sound/equalizer_bands.h"
#include "support/engine_session.h"
#include "support/wav_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

WavData decodeWithSliders(const QString &out, const equalizer::Positions &positions)
{
    const SK_EqualizerInfo record = equalizer::bandRecord(positions);
    EngineSession s;
    s.setOutput("wav:" + out.toStdString());
    control_message_send_P(s.player(), SK_SET_CODEC_EQUALIZER, &record);
    EXPECT_TRUE(s.playToEnd(fixture("l3-44k-stereo-cbr.mp3")));
    return readWav(out.toStdString()).value_or(WavData{});
}

}  // namespace

TEST(AudibleEqualizer, PullingTheLowSlidersDownCutsTheBass)
{
    QTemporaryDir dir;
    const WavData flat = decodeWithSliders(dir.filePath("flat.wav"), {});
    const WavData cut = decodeWithSliders(dir.filePath("cut.wav"), {127, 127, 127, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_GT(flat.frames(), 0u);
    ASSERT_EQ(cut.frames(), flat.frames());
    for (int channel = 0; channel < 2; ++channel) {
        const double drop = 10 * std::log10(lowBandEnergy(flat, channel, 200) / lowBandEnergy(cut, channel, 200));
        EXPECT_GT(drop, 6.0) << "channel " << channel << ": bass cut by " << drop << " dB";
    }
}
