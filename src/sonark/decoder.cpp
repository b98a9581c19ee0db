#include "decoder.h"

#include "platform/regular_file.h"

#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>
#include <cmath>
#include <sys/stat.h>

namespace sonark {

// Files are read through stdio with a large buffer: libmpg123's own reader
// asks the system for every frame header and body separately.
struct BufferedFile {
    std::FILE *file = nullptr;
    std::vector<char> buffer = std::vector<char>(1 << 16);

    BufferedFile() = default;
    BufferedFile(const BufferedFile &) = delete;
    BufferedFile &operator=(const BufferedFile &) = delete;
    ~BufferedFile()
    {
        if (file)
            std::fclose(file);
    }
};

namespace {

// A band value of +/-64 is +/-12 dB.
constexpr double decibelsPerStep = 12.0 / 64.0;

long flagsFor(int channels)
{
    switch (channels) {
    case 1:
        return MPG123_MONO_LEFT | MPG123_FORCE_STEREO;
    case 2:
        return MPG123_MONO_RIGHT | MPG123_FORCE_STEREO;
    case 3:
        return MPG123_MONO_MIX | MPG123_FORCE_STEREO;
    default:
        return 0;
    }
}

ssize_t readFile(void *handle, void *buffer, size_t size)
{
    std::FILE *f = static_cast<BufferedFile *>(handle)->file;
    const size_t got = std::fread(buffer, 1, size, f);
    return got == 0 && std::ferror(f) ? -1 : static_cast<ssize_t>(got);
}

off_t seekFile(void *handle, off_t offset, int whence)
{
    std::FILE *f = static_cast<BufferedFile *>(handle)->file;
    return fseeko(f, offset, whence) == 0 ? ftello(f) : -1;
}

// Only a regular file, opened without blocking: a named pipe fails at once.
// libmpg123 gets no cleanup callback: it keeps the file even after an open
// that fails, so the caller alone owns the file and closes it after
// mpg123_close.
std::unique_ptr<BufferedFile> openBuffered(mpg123_handle *handle, const std::string &path, std::string &error)
{
    auto file = std::make_unique<BufferedFile>();
    file->file = platform::openRegularStream(path.c_str(), false, error);
    if (!file->file)
        return nullptr;
    std::setvbuf(file->file, file->buffer.data(), _IOFBF, file->buffer.size());
    if (mpg123_replace_reader_handle(handle, readFile, seekFile, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle, file.get()) != MPG123_OK) {
        error = mpg123_strerror(handle);
        mpg123_close(handle);
        return nullptr;
    }
    return file;
}

mpg123_handle *newHandle(const DecoderSettings &settings, std::string &error)
{
    int err = MPG123_OK;
    mpg123_handle *handle = mpg123_new(nullptr, &err);
    if (!handle) {
        error = mpg123_plain_strerror(err);
        return nullptr;
    }
    // ID3v2 tags go unread: parsing allocates the size a tag claims, up to
    // 256 MB, again on every read of a stream until the tag is complete.
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_SKIP_ID3V2 | flagsFor(settings.channels), 0);
    mpg123_param(handle, MPG123_DOWN_SAMPLE, std::clamp(settings.quality, 0, 2), 0);
    mpg123_format_none(handle);
    const long *rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    return handle;
}

// A full scan gives the exact length of VBR files without a Xing header. It
// runs on a handle of its own: decoding after a scan and a seek back to the
// start does not give the very same samples for MPEG 2 layer III. `rate`,
// when asked for, gets the sample rate the length counts.
int64_t scanLength(const std::string &path, const DecoderSettings &settings, long *rate = nullptr)
{
    std::string error;
    mpg123_handle *probe = newHandle(settings, error);
    if (!probe)
        return -1;
    int64_t length = -1;
    int channels = 0, encoding = 0;
    const std::unique_ptr<BufferedFile> file = openBuffered(probe, path, error);
    if (file && (!rate || mpg123_getformat(probe, rate, &channels, &encoding) == MPG123_OK) &&
        mpg123_scan(probe) == MPG123_OK)
        length = mpg123_length(probe);
    mpg123_close(probe);
    mpg123_delete(probe);
    return length;
}

}  // namespace

Decoder::Decoder() = default;

Decoder::~Decoder()
{
    close();
}

void Decoder::close()
{
    if (handle_) {
        mpg123_close(handle_);
        mpg123_delete(handle_);
        handle_ = nullptr;
    }
    file_.reset();
    format_ = {};
    length_ = -1;
    averageBitrate_ = 0;
}

bool Decoder::configure(const DecoderSettings &settings, std::string &error)
{
    close();
    handle_ = newHandle(settings, error);
    if (!handle_)
        return false;
    setEqualizer(settings.equalizer);
    return true;
}

bool Decoder::openFile(const std::string &path, const DecoderSettings &settings, std::string &error)
{
    if (!configure(settings, error))
        return false;
    file_ = openBuffered(handle_, path, error);
    struct stat st {};
    if (!file_ || ::fstat(::fileno(file_->file), &st) != 0) {
        close();
        return false;
    }
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) {
        error = noAudioFound;
        close();
        return false;
    }
    format_ = {rate, channels};
    length_ = scanLength(path, settings);
    if (length_ <= 0) {
        error = noAudioFound;
        close();
        return false;
    }
    const double seconds = static_cast<double>(length_) / rate;
    const off_t audioBytes = st.st_size;
    averageBitrate_ = seconds > 0 ? static_cast<int>(std::lround(audioBytes * 8.0 / seconds / 1000.0)) : 0;
    return true;
}

double measureSeconds(const std::string &path)
{
    long rate = 0;
    const int64_t length = scanLength(path, {}, &rate);
    return length > 0 && rate > 0 ? static_cast<double>(length) / static_cast<double>(rate) : -1;
}

bool Decoder::openFeed(const DecoderSettings &settings, std::string &error)
{
    if (!configure(settings, error))
        return false;
    if (mpg123_open_feed(handle_) != MPG123_OK) {
        error = mpg123_strerror(handle_);
        close();
        return false;
    }
    return true;
}

void Decoder::feed(const void *data, std::size_t size)
{
    if (handle_ && size > 0)
        mpg123_feed(handle_, static_cast<const unsigned char *>(data), size);
}

Decoder::Result Decoder::read(unsigned char *buffer, std::size_t size, std::size_t &bytes)
{
    bytes = 0;
    if (!handle_)
        return Result::Error;
    const int rc = mpg123_read(handle_, buffer, size, &bytes);
    switch (rc) {
    case MPG123_OK:
        return Result::Data;
    case MPG123_NEW_FORMAT: {
        long rate = 0;
        int channels = 0, encoding = 0;
        mpg123_getformat(handle_, &rate, &channels, &encoding);
        format_ = {rate, channels};
        return Result::NewFormat;
    }
    case MPG123_NEED_MORE:
        return bytes > 0 ? Result::Data : Result::NeedMore;
    case MPG123_DONE:
        return bytes > 0 ? Result::Data : Result::Done;
    default:
        return Result::Error;
    }
}

std::string Decoder::lastError() const
{
    return handle_ ? mpg123_strerror(handle_) : "No input";
}

StreamInfo Decoder::streamInfo() const
{
    StreamInfo info;
    mpg123_frameinfo2 fi{};
    if (!handle_ || mpg123_info2(handle_, &fi) != MPG123_OK)
        return info;
    info.level = fi.version == MPG123_1_0 ? 1 : fi.version == MPG123_2_0 ? 2 : 25;
    info.layer = fi.layer;
    info.frequency = static_cast<int>(fi.rate);
    info.mode = fi.mode;
    info.bitrate = fi.vbr == MPG123_CBR ? fi.bitrate : (fi.vbr == MPG123_ABR ? fi.abr_rate : averageBitrate_);
    if (info.bitrate <= 0)
        info.bitrate = fi.bitrate;
    return info;
}

int64_t Decoder::positionSamples() const
{
    return handle_ ? std::max<int64_t>(0, mpg123_tell(handle_)) : 0;
}

bool Decoder::seek(int64_t sample)
{
    return handle_ && mpg123_seek(handle_, static_cast<off_t>(sample), SEEK_SET) >= 0;
}

// Cuts below zero are attenuations; boosts are taken back by the largest
// boost so that a raised band never clips.
void Decoder::setEqualizer(const std::optional<SK_EqualizerInfo> &equalizer)
{
    if (!handle_)
        return;
    mpg123_reset_eq(handle_);
    if (!equalizer)
        return;
    const int8_t *channels[2] = {equalizer->left, equalizer->right};
    int maxBoost = 0;
    for (const int8_t *bands : channels)
        for (int b = 0; b < 32; ++b)
            maxBoost = std::max<int>(maxBoost, bands[b]);
    const int ids[2] = {MPG123_LEFT, MPG123_RIGHT};
    for (int c = 0; c < 2; ++c)
        for (int b = 0; b < 32; ++b) {
            const double db = (channels[c][b] - maxBoost) * decibelsPerStep;
            mpg123_eq(handle_, static_cast<mpg123_channels>(ids[c]), b, std::pow(10.0, db / 20.0));
        }
}

}  // namespace sonark
