#pragma once

// The engine's software volume and balance.

#include <cstddef>
#include <cstdint>

namespace sonark {

struct VolumeSettings {
    int balance = 50;  // 0 left only ... 50 centre ... 100 right only
    int pcm = 100;     // 0 ... 100
    int master = 100;  // 0 ... 100
    bool muted = false;
};

class PcmGain {
public:
    void set(const VolumeSettings &volume);
    bool isUnity() const { return unity_; }
    // Interleaved 16-bit frames; mono frames take the louder side's gain.
    void apply(int16_t *samples, std::size_t frames, int channels) const;

private:
    double left_ = 1.0;
    double right_ = 1.0;
    bool unity_ = true;
};

}  // namespace sonark
