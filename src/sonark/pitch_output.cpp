#include "audio_output.h"

#include <soxr.h>

#include <vector>

namespace sonark {

std::unique_ptr<AudioOutput> createAlsaOutput();
std::unique_ptr<AudioOutput> createPlainSilentOutput();
std::unique_ptr<AudioOutput> createWavFileOutput(const std::string &path);

namespace {

constexpr int normalPitch = 1000;

// Plays faster or slower, speed and pitch together, as a change of the
// sample rate does: audio of rate r is resampled from r * pitch / 1000 to r.
class PitchOutput : public AudioOutput {
public:
    explicit PitchOutput(std::unique_ptr<AudioOutput> inner) : inner_(std::move(inner)) {}
    ~PitchOutput() override { freeResampler(); }

    bool open(const PcmFormat &format, std::string &error) override
    {
        format_ = format;
        freeResampler();
        return inner_->open(format, error);
    }
    bool isOpen() const override { return inner_->isOpen(); }

    bool write(const int16_t *frames, std::size_t count, std::string &error) override
    {
        if (pitch_ == normalPitch)
            return inner_->write(frames, count, error);
        if (!resampler_ && !createResampler(error))
            return false;
        const std::size_t channels = static_cast<std::size_t>(format_.channels);
        const std::size_t capacity = count * normalPitch / static_cast<std::size_t>(pitch_) + 64;
        converted_.resize(capacity * channels);
        std::size_t consumed = 0;
        while (consumed < count) {
            std::size_t used = 0, produced = 0;
            soxr_error_t e = soxr_process(resampler_, frames + consumed * channels, count - consumed, &used,
                                          converted_.data(), capacity, &produced);
            if (e) {
                error = std::string("Pitch resampler failed: ") + e;
                return false;
            }
            consumed += used;
            if (produced > 0 && !inner_->write(converted_.data(), produced, error))
                return false;
            if (used == 0 && produced == 0)
                break;
        }
        return true;
    }

    void pause(bool paused) override { inner_->pause(paused); }
    void drop() override
    {
        freeResampler();
        inner_->drop();
    }
    bool drain(std::string &error) override
    {
        freeResampler();
        return inner_->drain(error);
    }
    void close() override
    {
        freeResampler();
        inner_->close();
    }
    int64_t delayFrames() override { return inner_->delayFrames() * pitch_ / normalPitch; }

    double speed() const override { return static_cast<double>(pitch_) / normalPitch; }

    void setPitch(int permille) override
    {
        if (permille == pitch_)
            return;
        pitch_ = permille;
        freeResampler();
    }

private:
    bool createResampler(std::string &error)
    {
        soxr_error_t e = nullptr;
        const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_MQ, 0);
        const double inputRate = static_cast<double>(format_.rate) * pitch_ / normalPitch;
        resampler_ = soxr_create(inputRate, static_cast<double>(format_.rate), static_cast<unsigned>(format_.channels),
                                 &e, &io, &quality, nullptr);
        if (e) {
            error = std::string("Pitch resampler failed: ") + e;
            resampler_ = nullptr;
            return false;
        }
        return true;
    }

    void freeResampler()
    {
        if (resampler_) {
            soxr_delete(resampler_);
            resampler_ = nullptr;
        }
    }

    std::unique_ptr<AudioOutput> inner_;
    PcmFormat format_;
    int pitch_ = normalPitch;
    soxr_t resampler_ = nullptr;
    std::vector<int16_t> converted_;
};

const std::string waveOutput = "/dev/wave/0";
const std::string directSoundOutput = "/dev/dsound/0";
const std::string wavFilePrefix = "wav:";

}  // namespace

bool isValidOutputName(const std::string &name)
{
    return name == waveOutput || name == directSoundOutput ||
           (name.starts_with(wavFilePrefix) && name.size() > wavFilePrefix.size());
}

std::unique_ptr<AudioOutput> createOutput(const std::string &name)
{
    if (name == directSoundOutput)
        return std::make_unique<PitchOutput>(createAlsaOutput());
    if (name.starts_with(wavFilePrefix))
        return createWavFileOutput(name.substr(wavFilePrefix.size()));
    return createAlsaOutput();
}

std::unique_ptr<AudioOutput> createSilentOutput(bool withPitch)
{
    if (withPitch)
        return std::make_unique<PitchOutput>(createPlainSilentOutput());
    return createPlainSilentOutput();
}

}  // namespace sonark
