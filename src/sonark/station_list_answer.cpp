#include "station_list_answer.h"

#include "ascii_text.h"

#include <array>

namespace sonark {

namespace {

constexpr std::array<std::string_view, 6> kListTypes = {
    "audio/x-scpls",        "audio/scpls", "audio/x-mpegurl", "audio/mpegurl", "application/vnd.apple.mpegurl",
    "application/x-mpegurl"};

// How lists begin: the .pls section, the extended M3U mark, or an address.
constexpr std::array<std::string_view, 4> kListStarts = {"[playlist]", "#extm3u", "http://", "https://"};

// Past this many bytes of blanks, a body that has shown nothing is audio.
constexpr std::size_t kSniffBytes = 512;

bool typedAsMedia(std::string_view type)
{
    return type.starts_with("audio/") || type.starts_with("video/") || type == "application/ogg";
}

}  // namespace

AnswerKind answerKind(std::string_view contentType, std::string_view bodyStart, bool bodyComplete)
{
    const std::string type = lowercase(trim(contentType.substr(0, contentType.find(';'))));
    for (std::string_view listType : kListTypes)
        if (type == listType)
            return AnswerKind::StationList;
    if (typedAsMedia(type))
        return AnswerKind::Audio;

    // A byte-order mark, or the part of one that came so far, shows nothing.
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    std::string_view text = bodyStart;
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    else if (byteOrderMark.starts_with(text))
        text = {};
    text = trim(text);
    const std::string start = lowercase(text.substr(0, 16));
    bool mayBecomeList = false;
    for (std::string_view listStart : kListStarts) {
        if (start.starts_with(listStart))
            return AnswerKind::StationList;
        mayBecomeList = mayBecomeList || listStart.starts_with(start);
    }
    return mayBecomeList && !bodyComplete && bodyStart.size() < kSniffBytes ? AnswerKind::Undecided : AnswerKind::Audio;
}

std::string stationListText(std::string body)
{
    if (body.size() <= kStationListBytes)
        return body;
    body.resize(kStationListBytes);
    body.resize(body.rfind('\n') + 1);  // npos + 1 is 0: a list without a line end in reach is empty
    return body;
}

}  // namespace sonark
