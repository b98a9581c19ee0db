#pragma once

// Where decoded PCM goes: the sound device, a WAV file or a silent sink.

#include "decoder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace sonark {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // (Re)starts the output for this format.
    virtual bool open(const PcmFormat &format, std::string &error) = 0;
    virtual bool isOpen() const = 0;
    // Blocks while the output cannot take more.
    virtual bool write(const int16_t *frames, std::size_t count, std::string &error) = 0;
    virtual void pause(bool paused) = 0;
    // Discards what was written but not heard.
    virtual void drop() = 0;
    // Lets what was written be heard, then returns; false with `error` when
    // the output could not be completed (a WAV file on a full disk).
    virtual bool drain(std::string &error) = 0;
    virtual void close() = 0;
    // Frames written but not yet heard, in frames of the written format.
    virtual int64_t delayFrames() = 0;
    virtual void setPitch(int /*permille*/) {}
    // How fast written audio plays: 1, or 0.001 to 2 with a pitch change.
    virtual double speed() const { return 1.0; }
};

// Output names: "/dev/wave/0", "/dev/dsound/0" (with pitch), "wav:" + path.
bool isValidOutputName(const std::string &name);
std::unique_ptr<AudioOutput> createOutput(const std::string &name);
std::unique_ptr<AudioOutput> createSilentOutput(bool withPitch);

// ALSA's own error lines stay off the terminal: failures reach the user as
// the program's messages.
void silenceAlsaMessages();
std::string soundDeviceName();

}  // namespace sonark
