#pragma once

// Whether a server's answer is a station list (.pls, .m3u) rather than
// audio: by its Content-Type, or, for an answer not typed as audio, by how
// its body begins. The engine does not read the list; it hands the text to
// the program, whose playlist readers do.

#include <cstddef>
#include <string>
#include <string_view>

namespace sonark {

enum class AnswerKind { Audio, StationList, Undecided };

// Undecided while the body's first bytes may still turn out either way.
AnswerKind answerKind(std::string_view contentType, std::string_view bodyStart, bool bodyComplete);

// A list longer than this is read only this far.
inline constexpr std::size_t kStationListBytes = 64 * 1024;

// The list, cut after its last whole line when it is longer than kStationListBytes.
std::string stationListText(std::string body);

}  // namespace sonark
