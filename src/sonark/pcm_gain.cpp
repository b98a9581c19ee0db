#include "pcm_gain.h"

#include <algorithm>
#include <cmath>

namespace sonark {
namespace {

// Levels follow the ear rather than the amplitude: half the level is about
// a quarter of the amplitude.
double levelToGain(int level)
{
    const double x = std::clamp(level, 0, 100) / 100.0;
    return x * x;
}

int16_t scaled(int16_t sample, double gain)
{
    const long v = std::lround(sample * gain);
    return static_cast<int16_t>(std::clamp<long>(v, INT16_MIN, INT16_MAX));
}

}  // namespace

void PcmGain::set(const VolumeSettings &volume)
{
    const double level = volume.muted ? 0.0 : levelToGain(volume.pcm) * levelToGain(volume.master);
    const int balance = std::clamp(volume.balance, 0, 100);
    left_ = level * (balance <= 50 ? 1.0 : (100 - balance) / 50.0);
    right_ = level * (balance >= 50 ? 1.0 : balance / 50.0);
    unity_ = left_ == 1.0 && right_ == 1.0;
}

void PcmGain::apply(int16_t *samples, std::size_t frames, int channels) const
{
    if (unity_)
        return;
    if (channels == 1) {
        const double gain = std::max(left_, right_);
        for (std::size_t i = 0; i < frames; ++i)
            samples[i] = scaled(samples[i], gain);
        return;
    }
    for (std::size_t i = 0; i < frames; ++i) {
        int16_t *frame = samples + i * static_cast<std::size_t>(channels);
        frame[0] = scaled(frame[0], left_);
        frame[1] = scaled(frame[1], right_);
    }
}

}  // namespace sonark
