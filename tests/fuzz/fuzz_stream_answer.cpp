// A radio server's answer as the engine's stream reader takes it: the
// HTTP or ICY header, arriving in pieces; a redirect's Location; the audio
// with its interleaved ICY metadata, also in pieces.

#include "http_address.h"
#include "http_answer.h"
#include "icy_demuxer.h"

#include "ascii_text.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

using namespace sonark;

const std::string host = "radio.example";

std::optional<HttpAnswer> parsed(std::string_view raw, bool &refused)
{
    try {
        return parseHttpAnswer(raw, host);
    } catch (const std::runtime_error &) {
        refused = true;
        return std::nullopt;
    }
}

bool sameHead(const HttpAnswer &a, const HttpAnswer &b)
{
    return a.code == b.code && a.reason == b.reason && a.headers == b.headers;
}

void followLocation(const std::string &location)
{
    const HttpAddress base = parseHttpAddress("http://radio.example:8000/live/stream.mp3?x=1");
    try {
        const HttpAddress next = resolveLocation(base, location);
        fuzz::require(!next.host.empty() && next.port != 0);
        fuzz::require(next.target.find_first_of(" \r\n") == std::string::npos);
        static_cast<void>(next.hostHeader());
    } catch (const std::runtime_error &) {
    }
}

struct Demuxed {
    std::vector<unsigned char> audio;
    std::string title;
};

// Feeds `body` in pieces of the given sizes, cycled; one piece of all when empty.
Demuxed demux(std::size_t metaint, const std::string &body, const std::vector<std::size_t> &pieces)
{
    IcyDemuxer demuxer(metaint);
    std::vector<unsigned char> bytes(body.begin(), body.end());
    Demuxed out;
    std::size_t at = 0;
    for (std::size_t i = 0; at < bytes.size(); ++i) {
        const std::size_t n = pieces.empty() ? bytes.size() : std::min(pieces[i % pieces.size()], bytes.size() - at);
        const std::size_t audio = demuxer.feed(bytes.data() + at, n);
        fuzz::require(audio <= n);
        out.audio.insert(out.audio.end(), bytes.data() + at, bytes.data() + at + audio);
        demuxer.takeTitle(out.title);
        at += n;
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
            fuzz::require(answer && sameHead(*early, *answer));
            break;
        }
        if (partRefused) {
            fuzz::require(refused);
            break;
        }
    }
    if (!answer)
        return 0;

    if (const std::string *location = answer->header("location"))
        followLocation(*location);
    std::size_t metaint = 0;
    if (const std::string *value = answer->header("icy-metaint")) {
        const std::optional<std::uint64_t> number = parseNumber(*value);
        if (number && *number <= SIZE_MAX / 2)
            metaint = static_cast<std::size_t>(*number);
    }

    // Metadata blocks split anywhere across reads give the same audio and title.
    const Demuxed whole = demux(metaint, answer->body, {});
    std::vector<std::size_t> pieces;
    for (std::size_t i = 0; i < std::min<std::size_t>(answer->body.size(), 8); ++i)
        pieces.push_back(1 + static_cast<unsigned char>(answer->body[i]) % 37);
    const Demuxed split = demux(metaint, answer->body, pieces);
    fuzz::require(whole.audio == split.audio && whole.title == split.title);
    return 0;
}
