#include "recording/wave_recorder.h"

#include "recording/mixer_lines.h"
#include "sonark/audio_output.h"
#include "sonark/realtime_pacer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <array>
#include <vector>

namespace recording {
namespace {

constexpr int channels = 2;
constexpr unsigned rate = 44100;

QString alsaText(int code)
{
    return QString::fromLocal8Bit(snd_strerror(code));
}

}  // namespace

WaveRecorder::~WaveRecorder()
{
    if (running())
        stop();
}

void WaveRecorder::setTrigger(bool triggered, int level)
{
    triggered_ = triggered;
    level_ = level;
}

bool WaveRecorder::start(const QString &wavPath)
{
    if (running())
        stop();
    sonark::silenceAlsaMessages();
    error_.clear();
    stopping_ = failed_ = false;
    frames_ = 0;
    int rc = snd_pcm_open(&pcm_, captureDevice().toLocal8Bit().constData(), SND_PCM_STREAM_CAPTURE, 0);
    if (rc >= 0)
        rc = snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, channels, rate, 1, 500000);
    if (rc < 0) {
        error_ = QStringLiteral("Could not open the input device for recording: ") + alsaText(rc);
        if (pcm_)
            snd_pcm_close(pcm_);
        pcm_ = nullptr;
        return false;
    }
    if (!writer_.open(wavPath)) {
        error_ = writer_.error();
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
        return false;
    }
    thread_ = std::thread(&WaveRecorder::run, this);
    return true;
}

bool WaveRecorder::stop()
{
    if (!running())
        return false;
    stopping_ = true;
    thread_.join();
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
    if (failed_)
        return false;
    if (!writer_.finish()) {
        error_ = writer_.error();
        return false;
    }
    return true;
}

void WaveRecorder::run()
{
    std::array<std::vector<int16_t>, 4> buffers;
    for (std::vector<int16_t> &b : buffers)
        b.resize(framesPerBuffer * channels);
    sonark::RealtimePacer pacer;
    pacer.start(rate, 0);
    for (std::size_t index = 0; !stopping_; index = (index + 1) % buffers.size()) {
        int16_t *buffer = buffers[index].data();
        snd_pcm_sframes_t got = snd_pcm_readi(pcm_, buffer, framesPerBuffer);
        if (got < 0)
            got = snd_pcm_recover(pcm_, static_cast<int>(got), 1);
        if (got < 0)
            return fail(QStringLiteral("Error adding input buffer ") + alsaText(static_cast<int>(got)));
        pacer.wrote(got);
        if (stopping_ || got == 0 || !passesTrigger(buffer, static_cast<int>(got) * channels))
            continue;
        if (!writer_.write(reinterpret_cast<const char *>(buffer), got * channels * 2))
            return fail(writer_.error());
        frames_ += got;
    }
}

bool WaveRecorder::passesTrigger(const int16_t *samples, int count)
{
    if (!triggered_)
        triggered_ = std::any_of(samples, samples + count, [this](int16_t s) { return s >= level_; });
    return triggered_;
}

void WaveRecorder::fail(const QString &why)
{
    error_ = why;
    failed_ = true;
}

}  // namespace recording
