// A radio server's answer as the engine's stream reader takes it: the
// HTTP or ICY header, arriving in pieces; a redirect's Location; the audio
// with its interleaved ICY metadata, also in pieces.

#include "http_address.h"
#include "http_answer.h"
#include "icy_demuxer.h"

#include "ascii_text.h"
#include "fuzz_input.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

using namespace sonark;

std::optional<HttpAnswer> parsed(std::string_view raw, bool &refused)
{
    try {
        return parseHttpAnswer(raw, "radio.example");
    } catch (const std::runtime_error &) {
        refused = true;
        return std::nullopt;
    }
}

// Feeds `body` in pieces of the given sizes, cycled; one piece of all when
// empty. The audio, then the last title.
std::pair<std::string, std::string> demux(std::size_t metaint, std::string bytes,
                                          const std::vector<std::size_t> &pieces)
{
    IcyDemuxer demuxer(metaint);
    std::pair<std::string, std::string> out;
    for (std::size_t i = 0, at = 0, n = 0; at < bytes.size(); ++i, at += n) {
        n = pieces.empty() ? bytes.size() : std::min(pieces[i % pieces.size()], bytes.size() - at);
        const std::size_t audio = demuxer.feed(reinterpret_cast<unsigned char *>(bytes.data() + at), n);
        fuzz::require(audio <= n);
        out.first.append(bytes, at, audio);
        demuxer.takeTitle(out.second);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view raw(reinterpret_cast<const char *>(data), size);
    bool refused = false;
    const std::optional<HttpAnswer> answer = parsed(raw, refused);

    // The reader parses again after every read: a header complete early is
    // the one of the whole answer.
    for (std::size_t part = 1 + size % 7; part < size; part += 1 + part % 13) {
        bool partRefused = false;
        if (const std::optional<HttpAnswer> early = parsed(raw.substr(0, part), partRefused)) {
            fuzz::require(answer && early->code == answer->code && early->reason == answer->reason &&
                          early->headers == answer->headers);
            break;
        }
        fuzz::require(!partRefused || refused);
        if (partRefused)
            break;
    }
    if (!answer)
        return 0;

    if (const std::string *location = answer->header("location")) {
        try {
            const HttpAddress base = parseHttpAddress("http://radio.example:8000/live/stream.mp3?x=1");
            const HttpAddress next = resolveLocation(base, *location);
            fuzz::require(!next.host.empty() && next.port != 0);
            fuzz::require(next.target.find_first_of(" \r\n") == std::string::npos);
            static_cast<void>(next.hostHeader());
        } catch (const std::runtime_error &) {
        }
    }
    std::size_t metaint = 0;
    if (const std::string *value = answer->header("icy-metaint")) {
        const std::optional<std::uint64_t> number = parseNumber(*value);
        if (number && *number <= SIZE_MAX / 2)
            metaint = static_cast<std::size_t>(*number);
    }

    // Metadata blocks split anywhere across reads give the same audio and title.
    std::vector<std::size_t> pieces;
    for (std::size_t i = 0; i < std::min<std::size_t>(answer->body.size(), 8); ++i)
        pieces.push_back(1 + static_cast<unsigned char>(answer->body[i]) % 37);
    fuzz::require(demux(metaint, answer->body, {}) == demux(metaint, answer->body, pieces));
    return 0;
}
