#include "icy_demuxer.h"

#include "ascii_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace sonark {

namespace {

bool validUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t value = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xe0) == 0xc0) {
            extra = 1;
            value = c & 0x1f;
        } else if ((c & 0xf0) == 0xe0) {
            extra = 2;
            value = c & 0x0f;
        } else if ((c & 0xf8) == 0xf0) {
            extra = 3;
            value = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0) != 0x80)
                return false;
            value = (value << 6) | (next & 0x3f);
        }
        static const std::uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (value < smallest[extra] || value > 0x10ffff || (value >= 0xd800 && value <= 0xdfff))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view text)
{
    std::string result;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            result += ch;
        } else {
            result += static_cast<char>(0xc0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    return result;
}

// The StreamTitle value of one metadata block, converted to UTF-8 when it is
// not valid UTF-8 already (old servers send Latin-1).
bool parseStreamTitle(std::string_view block, std::string &title)
{
    block = block.substr(0, block.find('\0'));  // blocks are padded with zero bytes
    constexpr std::string_view key = "StreamTitle='";
    const auto start = block.find(key);
    if (start == std::string_view::npos)
        return false;
    std::string_view value = block.substr(start + key.size());
    // Titles may contain apostrophes ("Don't"), so the value ends at "';".
    auto close = value.find("';");
    if (close == std::string_view::npos)
        close = value.rfind('\'');
    value = trim(value.substr(0, close));
    title = validUtf8(value) ? std::string(value) : latin1ToUtf8(value);
    return true;
}

}  // namespace

IcyDemuxer::IcyDemuxer(std::size_t metaint) : metaint_(metaint), audioLeft_(metaint) {}

std::size_t IcyDemuxer::feed(unsigned char *data, std::size_t size)
{
    if (metaint_ == 0)
        return size;
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < size) {
        if (audioLeft_ > 0) {
            const std::size_t n = std::min(audioLeft_, size - i);
            std::memmove(data + written, data + i, n);
            written += n;
            i += n;
            audioLeft_ -= n;
        } else if (!inMeta_) {
            metaLeft_ = std::size_t{data[i++]} * 16;
            if (metaLeft_ == 0) {
                audioLeft_ = metaint_;
            } else {
                inMeta_ = true;
                meta_.clear();
            }
        } else {
            const std::size_t n = std::min(metaLeft_, size - i);
            meta_.append(reinterpret_cast<const char *>(data + i), n);
            i += n;
            metaLeft_ -= n;
            if (metaLeft_ == 0) {
                inMeta_ = false;
                audioLeft_ = metaint_;
                if (parseStreamTitle(meta_, title_))
                    titleReady_ = true;
            }
        }
    }
    return written;
}

bool IcyDemuxer::takeTitle(std::string &title)
{
    if (!titleReady_)
        return false;
    titleReady_ = false;
    title = title_;
    return true;
}

}  // namespace sonark
