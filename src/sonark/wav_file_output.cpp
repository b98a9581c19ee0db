#include "audio_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <sys/stat.h>

namespace sonark {
namespace {

constexpr uint32_t headerBytes = 44;
constexpr uint32_t maxDataBytes = 0xFFFFFFFFu - headerBytes;

void putLE(unsigned char *at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// Decoded sound as a 16-bit PCM WAV file, written as fast as decoding goes.
// The file is finished (sizes in the header) when the input ends or stops;
// a file that could not be written completely is removed, so that its
// existence means success. Only a regular file is removed: never a device
// such as /dev/null given as the output.
class WavFileOutput : public AudioOutput {
public:
    explicit WavFileOutput(std::string path) : path_(std::move(path)) {}
    ~WavFileOutput() override { close(); }

    bool open(const PcmFormat &format, std::string &error) override
    {
        close();
        format_ = format;
        file_ = std::fopen(path_.c_str(), "wb");
        if (!file_) {
            error = "Cannot create " + path_ + ": " + std::strerror(errno);
            return false;
        }
        std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
        struct stat info {};
        regular_ = ::fstat(::fileno(file_), &info) == 0 && S_ISREG(info.st_mode);
        dataBytes_ = 0;
        unsigned char header[headerBytes] = {};
        fillHeader(header);
        if (std::fwrite(header, 1, headerBytes, file_) != headerBytes)
            return fail(error);
        return true;
    }

    bool isOpen() const override { return file_ != nullptr; }

    bool write(const int16_t *frames, std::size_t count, std::string &error) override
    {
        if (!file_)
            return false;
        const std::size_t bytes = count * static_cast<std::size_t>(format_.channels) * 2;
        if (dataBytes_ + bytes > maxDataBytes) {
            finish(error);
            error = path_ + " would exceed the WAV size limit of 4 GB";
            return false;
        }
        if (std::fwrite(frames, 1, bytes, file_) != bytes)
            return fail(error);
        dataBytes_ += bytes;
        return true;
    }

    void pause(bool) override {}
    void drop() override { close(); }
    bool drain(std::string &error) override { return finish(error); }
    void close() override
    {
        std::string ignored;
        finish(ignored);
    }
    int64_t delayFrames() override { return 0; }

private:
    void fillHeader(unsigned char *h) const
    {
        const uint32_t blockAlign = static_cast<uint32_t>(format_.channels) * 2;
        std::memcpy(h, "RIFF", 4);
        putLE(h + 4, static_cast<uint32_t>(dataBytes_) + headerBytes - 8, 4);
        std::memcpy(h + 8, "WAVEfmt ", 8);
        putLE(h + 16, 16, 4);
        putLE(h + 20, 1, 2);
        putLE(h + 22, static_cast<uint32_t>(format_.channels), 2);
        putLE(h + 24, static_cast<uint32_t>(format_.rate), 4);
        putLE(h + 28, static_cast<uint32_t>(format_.rate) * blockAlign, 4);
        putLE(h + 32, blockAlign, 2);
        putLE(h + 34, 16, 2);
        std::memcpy(h + 36, "data", 4);
        putLE(h + 40, static_cast<uint32_t>(dataBytes_), 4);
    }

    // The last buffered bytes reach the disk here, so a full disk may
    // show only now.
    bool finish(std::string &error)
    {
        if (!file_)
            return true;
        unsigned char header[headerBytes] = {};
        fillHeader(header);
        if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(header, 1, headerBytes, file_) != headerBytes)
            return fail(error);
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (closed)
            return true;
        error = "Cannot write " + path_ + ": " + std::strerror(errno);
        discard();
        return false;
    }

    bool fail(std::string &error)
    {
        error = "Cannot write " + path_ + ": " + std::strerror(errno);
        std::fclose(file_);
        file_ = nullptr;
        discard();
        return false;
    }

    void discard()
    {
        if (regular_)
            std::remove(path_.c_str());
    }

    std::string path_;
    std::FILE *file_ = nullptr;
    bool regular_ = false;
    PcmFormat format_;
    uint64_t dataBytes_ = 0;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
};

}  // namespace

std::unique_ptr<AudioOutput> createWavFileOutput(const std::string &path)
{
    return std::make_unique<WavFileOutput>(path);
}

}  // namespace sonark
