#include "audio_output.h"
#include "realtime_pacer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace sonark {
namespace {

constexpr unsigned latencyMicroseconds = 200000;

// Failures reach the user as error notifications, not as ALSA's own lines
// on the terminal.
void ignoreAlsaMessage(const char *, int, const char *, int, const char *, ...) {}

// The sound card through ALSA, in blocking mode. A device that takes audio
// faster than real time (the "null" device) is paced by the clock.
class AlsaOutput : public AudioOutput {
public:
    explicit AlsaOutput(std::string device) : device_(std::move(device)) { silenceAlsaMessages(); }
    ~AlsaOutput() override { close(); }

    bool open(const PcmFormat &format, std::string &error) override
    {
        close();
        int rc = snd_pcm_open(&pcm_, device_.c_str(), SND_PCM_STREAM_PLAYBACK, 0);
        if (rc >= 0)
            rc = snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                                    static_cast<unsigned>(format.channels), static_cast<unsigned>(format.rate), 1,
                                    latencyMicroseconds);
        if (rc < 0) {
            error = "Cannot open sound device \"" + device_ + "\": " + snd_strerror(rc);
            close();
            return false;
        }
        format_ = format;
        pacer_.start(format.rate, latencyMicroseconds / 1e6);
        return true;
    }

    bool isOpen() const override { return pcm_ != nullptr; }

    bool write(const int16_t *frames, std::size_t count, std::string &error) override
    {
        if (!pcm_)
            return false;
        if (paused_)
            pause(false);
        std::size_t done = 0;
        while (done < count) {
            snd_pcm_sframes_t n = snd_pcm_writei(pcm_, frames + done * format_.channels, count - done);
            if (n < 0)
                n = snd_pcm_recover(pcm_, static_cast<int>(n), 1);
            if (n < 0) {
                error = std::string("Sound device failed: ") + snd_strerror(static_cast<int>(n));
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        pacer_.wrote(static_cast<int64_t>(count));
        return true;
    }

    void pause(bool paused) override
    {
        if (!pcm_ || paused == paused_)
            return;
        paused_ = paused;
        if (paused) {
            pacer_.pause();
            if (snd_pcm_pause(pcm_, 1) < 0)
                snd_pcm_drop(pcm_);
        } else {
            pacer_.resume();
            if (snd_pcm_state(pcm_) == SND_PCM_STATE_PAUSED)
                snd_pcm_pause(pcm_, 0);
            else
                snd_pcm_prepare(pcm_);
        }
    }

    void drop() override
    {
        if (!pcm_)
            return;
        snd_pcm_drop(pcm_);
        snd_pcm_prepare(pcm_);
        pacer_.reset();
        paused_ = false;
    }

    bool drain(std::string &) override
    {
        if (!pcm_)
            return true;
        if (paused_)
            pause(false);
        snd_pcm_drain(pcm_);
        snd_pcm_prepare(pcm_);
        pacer_.finish();
        return true;
    }

    void close() override
    {
        if (pcm_) {
            snd_pcm_close(pcm_);
            pcm_ = nullptr;
        }
        paused_ = false;
    }

    int64_t delayFrames() override
    {
        snd_pcm_sframes_t delay = 0;
        if (!pcm_ || snd_pcm_delay(pcm_, &delay) < 0)
            delay = 0;
        return std::max<int64_t>(delay, pacer_.aheadFrames());
    }

private:
    std::string device_;
    snd_pcm_t *pcm_ = nullptr;
    PcmFormat format_;
    RealtimePacer pacer_;
    bool paused_ = false;
};

}  // namespace

void silenceAlsaMessages()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(ignoreAlsaMessage); });
}

std::string soundDeviceName()
{
    const char *name = std::getenv("LUDRO_ALSA_DEVICE");
    return name && *name ? name : "default";
}

std::unique_ptr<AudioOutput> createAlsaOutput()
{
    return std::make_unique<AlsaOutput>(soundDeviceName());
}

}  // namespace sonark
