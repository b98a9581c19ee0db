#pragma once

// Small ASCII text helpers for reading HTTP headers, addresses and ICY
// metadata.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sonark {

// Without leading and trailing spaces, tabs and line breaks.
std::string_view trim(std::string_view text);
// A-Z lowered; other bytes unchanged.
std::string lowercase(std::string_view text);
// A decimal number of up to 18 digits, spaces around it allowed.
std::optional<std::uint64_t> parseNumber(std::string_view text);

}  // namespace sonark
