#pragma once

// Removes the metadata blocks that SHOUTcast/Icecast servers interleave with
// the audio ("icy-metaint") and picks the stream titles out of them. Keeps its
// state between calls, so blocks may be split anywhere across reads.

#include <cstddef>
#include <string>

namespace sonark {

class IcyDemuxer {
public:
    explicit IcyDemuxer(std::size_t metaint = 0);  // 0: no metadata in the stream

    // Moves the audio bytes of data[0, size) to its front and returns their
    // count.
    std::size_t feed(unsigned char *data, std::size_t size);

    // True once after a metadata block carrying a StreamTitle completed;
    // `title` gets that title in UTF-8.
    bool takeTitle(std::string &title);

private:
    std::size_t metaint_;
    std::size_t audioLeft_;
    std::size_t metaLeft_ = 0;
    bool inMeta_ = false;
    std::string meta_;
    std::string title_;
    bool titleReady_ = false;
};

}  // namespace sonark
