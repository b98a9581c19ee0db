#pragma once

// The recorder's wave input: 16-bit stereo PCM at 44.1 kHz from the ALSA
// capture device (LUDRO_ALSA_CAPTURE) into a WAV file. A thread of its own
// fills four buffers of 8192 frames in turn and hands each to the file;
// stop() ends and joins that thread before the header is completed, so no
// buffer can land after it. A device that delivers faster than real time
// (ALSA's "null") is paced by the clock.
//
// Until the trigger has fired, buffers without a sample at or above the
// trigger level are dropped; the recorder starts untriggered at level 0, so
// it records from the first buffer holding a sample that is not negative.

#include "recording/wav_writer.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <thread>

struct _snd_pcm;

namespace recording {

inline constexpr int framesPerBuffer = 8192;

class WaveRecorder {
public:
    ~WaveRecorder();

    void setTrigger(bool triggered, int level);
    // Opens the capture device and starts recording into `wavPath`; false
    // with error() set when the device cannot be opened or the file made.
    bool start(const QString &wavPath);
    // Ends the recording and completes the file; false when the recording
    // failed (the device, the disk, or the 4 GB a WAV file can hold).
    bool stop();
    bool running() const { return thread_.joinable(); }
    int64_t framesRecorded() const { return frames_; }
    // Set once a buffer was refused: the recording ends there, stop() reports it.
    bool failed() const { return failed_; }
    const QString &error() const { return error_; }

private:
    void run();
    bool passesTrigger(const int16_t *samples, int count);
    void fail(const QString &why);

    _snd_pcm *pcm_ = nullptr;
    WavWriter writer_;
    std::thread thread_;
    std::atomic<bool> stopping_ = false, failed_ = false;
    std::atomic<int64_t> frames_ = 0;
    bool triggered_ = false;
    int level_ = 0;
    QString error_;  // written by the capture thread only before it ends
};

}  // namespace recording
