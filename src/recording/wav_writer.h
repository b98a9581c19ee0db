#pragma once

// Writes a 16-bit PCM WAV file as the recorder makes it: the 44-byte header
// with both sizes 0 first, the sample bytes as they come, the sizes patched
// at the end. Sizes are counted in 64 bits; a file whose data would no
// longer fit the header's 32-bit fields is refused rather than wrapped. Any
// failed write makes the file a failure; it is never reported as finished.

#include <QFile>
#include <QString>

#include <cstdint>

namespace recording {

struct PcmFormat {
    int channels = 2;
    int sampleRate = 44100;
    int blockAlign() const { return channels * 2; }
};

// The most data bytes a WAV header can describe, in whole frames of 16-bit stereo.
inline constexpr int64_t maxWavDataBytes = (0xFFFFFFFFLL - 36) / 4 * 4;

class WavWriter {
public:
    explicit WavWriter(int64_t maxDataBytes = maxWavDataBytes) : maxData_(maxDataBytes) {}

    // Creates (or empties) `path` and writes the header; false with error() set.
    bool open(const QString &path, PcmFormat format = {});
    // Appends sample bytes; false (and nothing more is written) when the disk
    // refuses them or the file would pass the size limit.
    bool write(const char *bytes, int64_t count);
    // Patches the sizes, flushes and syncs; false when any step failed.
    bool finish();

    int64_t dataBytes() const { return data_; }
    const QString &error() const { return error_; }

private:
    bool writeAll(const char *bytes, int64_t count);
    bool fail(const QString &why);

    QFile file_;
    PcmFormat format_;
    int64_t maxData_;
    int64_t data_ = 0;
    bool failed_ = false;
    QString error_;
};

}  // namespace recording
