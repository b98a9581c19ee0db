// Corrupt MPEG audio through the engine's decoder, as a file or fed like a
// stream, for a bounded number of reads. The first two bytes set the
// channels, quality and equalizer; the rest is the audio.

#include "decoder.h"
#include "fuzz_input.h"

#include <algorithm>
#include <array>

namespace {

constexpr int maxReads = 64;

SK_EqualizerInfo equalizer(std::uint8_t seed)
{
    SK_EqualizerInfo eq{};
    for (int b = 0; b < 32; ++b) {
        eq.left[b] = static_cast<std::int8_t>(seed * (b + 1));
        eq.right[b] = static_cast<std::int8_t>(seed * (31 - b) + 7);
    }
    return eq;
}

void decode(sonark::Decoder &decoder, const std::uint8_t *audio, std::size_t size, std::uint8_t seed, bool fed)
{
    std::array<unsigned char, 8192> pcm{};
    const std::size_t piece = 1 + seed * 16u;
    std::size_t at = 0;
    for (int reads = 0; reads < maxReads;) {
        std::size_t bytes = 0;
        const sonark::Decoder::Result result = decoder.read(pcm.data(), pcm.size(), bytes);
        if (result == sonark::Decoder::Result::NeedMore && fed && at < size) {
            const std::size_t n = std::min(piece, size - at);
            decoder.feed(audio + at, n);
            at += n;
            continue;
        }
        if (result == sonark::Decoder::Result::NewFormat) {
            const sonark::PcmFormat format = decoder.format();
            fuzz::require(format.rate > 0 && (format.channels == 1 || format.channels == 2));
            static_cast<void>(decoder.streamInfo());
        } else if (result != sonark::Decoder::Result::Data) {
            break;
        }
        // The equalizer moves while a song plays.
        if (++reads == maxReads / 2)
            decoder.setEqualizer(equalizer(static_cast<std::uint8_t>(seed + 1)));
    }
    static_cast<void>(decoder.positionSamples());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t flags = data[0], seed = data[1];
    sonark::DecoderSettings settings;
    settings.channels = flags & 3;
    settings.quality = (flags >> 2) & 3;
    if (flags & 0x10)
        settings.equalizer = equalizer(seed);
    const bool fed = flags & 0x20;
    sonark::Decoder decoder;
    std::string error;
    if (fed)
        fuzz::require(decoder.openFeed(settings, error));
    else if (!decoder.openFile(fuzz::inputFile(data + 2, size - 2, "song.mp3").toStdString(), settings, error)) {
        fuzz::require(!error.empty());
        return 0;
    }
    fuzz::require(fed || decoder.lengthSamples() > 0);
    decode(decoder, data + 2, size - 2, seed, fed);
    // A seek back to the start, as the position knob does.
    if (!fed && decoder.seek(0))
        decode(decoder, data + 2, size - 2, seed, false);
    return 0;
}
