#pragma once

// One MPEG audio input decoded by libmpg123: a file, or bytes fed from a
// stream. Output is always signed 16-bit interleaved PCM.

#include "sonark.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct mpg123_handle_struct;

namespace sonark {

struct BufferedFile;

// Why an input without a single MPEG audio frame is refused.
inline constexpr const char *noAudioFound = "No MPEG audio found";

struct PcmFormat {
    long rate = 0;
    int channels = 0;
    bool operator==(const PcmFormat &) const = default;
};

struct StreamInfo {
    int level = 0;  // 1, 2, or 25 for MPEG 2.5
    int layer = 0;
    int bitrate = 0;    // kbit/s
    int frequency = 0;  // Hz
    int mode = 0;       // 0 stereo, 1 joint stereo, 2 dual channel, 3 single channel
};

struct DecoderSettings {
    int channels = 0;  // 0 as decoded, 1 left on both, 2 right on both, 3 mix
    int quality = 0;   // 0 full rate, 1 half, 2 quarter
    std::optional<SK_EqualizerInfo> equalizer;
};

class Decoder {
public:
    enum class Result { Data, NewFormat, NeedMore, Done, Error };

    Decoder();
    ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    bool openFile(const std::string &path, const DecoderSettings &settings, std::string &error);
    bool openFeed(const DecoderSettings &settings, std::string &error);
    void close();

    void feed(const void *data, std::size_t size);
    // Decodes into buffer; `bytes` gets the amount written.
    Result read(unsigned char *buffer, std::size_t size, std::size_t &bytes);
    std::string lastError() const;

    PcmFormat format() const { return format_; }
    StreamInfo streamInfo() const;
    int64_t lengthSamples() const { return length_; }  // -1 when unknown
    int64_t positionSamples() const;
    bool seek(int64_t sample);

    void setEqualizer(const std::optional<SK_EqualizerInfo> &equalizer);

private:
    bool configure(const DecoderSettings &settings, std::string &error);

    mpg123_handle_struct *handle_ = nullptr;
    std::unique_ptr<BufferedFile> file_;  // read by handle_, closed after it
    PcmFormat format_;
    int64_t length_ = -1;
    int averageBitrate_ = 0;
};

// The exact length of an MPEG audio file in seconds, counted as playback
// counts it (every frame, so VBR files without a Xing header are right);
// -1 for a file without MPEG audio.
double measureSeconds(const std::string &path);

}  // namespace sonark
