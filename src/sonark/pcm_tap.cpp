#include "pcm_tap.h"

#include <algorithm>

namespace sonark {

PcmTap::PcmTap()
{
    for (Block &block : blocks_)
        block.stereo.resize(2 * Capacity);
}

void PcmTap::publish(const int16_t *frames, std::size_t count, int channels, double rate, int64_t delay)
{
    if (channels < 1 || rate <= 0)
        return clear();
    const std::size_t skipped = count > Capacity ? count - Capacity : 0;
    Block &block = blocks_[back_];
    block.frames = count - skipped;
    block.rate = rate;
    block.start = std::chrono::steady_clock::now() +
                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double>(static_cast<double>(std::max<int64_t>(0, delay)) / rate));
    const int16_t *in = frames + skipped * static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < block.frames; ++i, in += channels) {
        block.stereo[2 * i] = in[0];
        block.stereo[2 * i + 1] = in[channels > 1 ? 1 : 0];
    }
    swapOut();
}

void PcmTap::clear()
{
    blocks_[back_].frames = 0;
    swapOut();
}

void PcmTap::swapOut()
{
    back_ = middle_.exchange(back_ | Fresh, std::memory_order_acq_rel) & ~Fresh;
}

std::size_t PcmTap::read(int16_t *stereo, std::size_t count)
{
    std::lock_guard lock(readerMutex_);
    if (middle_.load(std::memory_order_relaxed) & Fresh)
        front_ = middle_.exchange(front_, std::memory_order_acq_rel) & ~Fresh;
    const Block &block = blocks_[front_];
    if (block.frames == 0 || count == 0)
        return 0;
    // The block plays from its start at its rate: take the frames just heard.
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - block.start).count();
    const auto heard = static_cast<std::size_t>(std::max(0.0, elapsed) * static_cast<double>(block.rate));
    if (heard > block.frames + static_cast<std::size_t>(block.rate / 2))
        return 0;
    const std::size_t n = std::min(count, block.frames);
    const std::size_t end = std::clamp(heard, n, block.frames);
    std::copy_n(block.stereo.begin() + static_cast<std::ptrdiff_t>(2 * (end - n)), 2 * n, stereo);
    return n;
}

}  // namespace sonark
