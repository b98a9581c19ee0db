#include "audio_output.h"
#include "realtime_pacer.h"

namespace sonark {
namespace {

// Stands in for a sound device that cannot be opened: the song goes on in
// real time, so time codes and the end of input still arrive.
class SilentOutput : public AudioOutput {
public:
    bool open(const PcmFormat &format, std::string &) override
    {
        pacer_.start(format.rate, 0.2);
        open_ = true;
        return true;
    }
    bool isOpen() const override { return open_; }
    bool write(const int16_t *, std::size_t count, std::string &) override
    {
        pacer_.resume();
        pacer_.wrote(static_cast<int64_t>(count));
        return true;
    }
    void pause(bool paused) override { paused ? pacer_.pause() : pacer_.resume(); }
    void drop() override { pacer_.reset(); }
    bool drain(std::string &) override
    {
        pacer_.finish();
        return true;
    }
    void close() override { open_ = false; }
    int64_t delayFrames() override { return pacer_.aheadFrames(); }

private:
    RealtimePacer pacer_;
    bool open_ = false;
};

}  // namespace

std::unique_ptr<AudioOutput> createPlainSilentOutput()
{
    return std::make_unique<SilentOutput>();
}

}  // namespace sonark
