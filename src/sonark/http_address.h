#pragma once

// Where an HTTP stream lives: parsed from what the user typed or from a
// redirect's Location, ready for connecting and for the request line.

#include <cstdint>
#include <string>
#include <string_view>

namespace sonark {

struct HttpAddress {
    bool secure = false;  // https: TLS on the connection
    std::string host;     // IPv6 literals without brackets
    std::uint16_t port = 80;
    std::string target = "/";  // path and query, ready for the request line

    std::string hostForDisplay() const;  // IPv6 literals in brackets
    std::string hostAndPort() const;
    std::string hostHeader() const;  // the port only when it is not the scheme's own
};

// "http://host[:port]/path", "https://...", or the first without "http://".
// Credentials are skipped, fragments dropped. Throws std::runtime_error with
// an English text for other schemes and malformed addresses.
HttpAddress parseHttpAddress(std::string_view address);

// A Location header: absolute, scheme-relative (keeping the scheme of
// `base`), host-relative or relative to the path of `base`.
HttpAddress resolveLocation(const HttpAddress &base, std::string_view location);

}  // namespace sonark
