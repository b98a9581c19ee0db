#pragma once

// The keys of every text a language file can replace, with the built-in
// English of each.

#include <array>
#include <cstddef>

struct BuiltinText {
    const char *key;
    const char *text;
};

inline constexpr std::size_t builtinTextCount = 270;
extern const std::array<BuiltinText, builtinTextCount> builtinTexts;
