#pragma once

// The status line and header fields of a server's answer, HTTP or ICY.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sonark {

struct HttpAnswer {
    int code = 0;
    std::string reason;
    std::vector<std::pair<std::string, std::string>> headers;  // names in lowercase
    std::string body;                                          // bytes that came after the header

    const std::string *header(std::string_view name) const;
};

// Parses the answer at the start of `raw` once its header is complete; lines
// end in CRLF or a bare LF, and an empty line ends the header. nullopt while
// more bytes are needed. Throws std::runtime_error naming `host` when the
// answer is not HTTP or its header is larger than 64 KB.
std::optional<HttpAnswer> parseHttpAnswer(std::string_view raw, const std::string &host);

}  // namespace sonark
