#include "http_answer.h"

#include "ascii_text.h"

#include <cstdint>
#include <stdexcept>

namespace sonark {

namespace {

constexpr std::size_t kMaxHeaderBytes = 64 * 1024;

HttpAnswer parseHead(const std::vector<std::string_view> &lines, const std::string &host)
{
    HttpAnswer answer;
    // "HTTP/1.x 200 OK" or "ICY 200 OK"; the reason may be missing.
    const std::string_view statusLine = lines.front();
    const bool known = statusLine.rfind("HTTP/1.", 0) == 0 || statusLine.rfind("ICY ", 0) == 0;
    const auto space = statusLine.find(' ');
    std::optional<std::uint64_t> code;
    if (known && space != std::string_view::npos && statusLine.size() >= space + 4 &&
        (statusLine.size() == space + 4 || statusLine[space + 4] == ' '))
        code = parseNumber(statusLine.substr(space + 1, 3));
    if (!code || *code < 100)
        throw std::runtime_error("Invalid answer from " + host);
    answer.code = static_cast<int>(*code);
    if (statusLine.size() > space + 4)
        answer.reason = std::string(trim(statusLine.substr(space + 5)));

    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto colon = lines[i].find(':');
        if (colon != std::string_view::npos)
            answer.headers.emplace_back(lowercase(trim(lines[i].substr(0, colon))),
                                        std::string(trim(lines[i].substr(colon + 1))));
    }
    return answer;
}

}  // namespace

const std::string *HttpAnswer::header(std::string_view name) const
{
    for (const auto &[key, value] : headers)
        if (key == name)
            return &value;
    return nullptr;
}

std::optional<HttpAnswer> parseHttpAnswer(std::string_view raw, const std::string &host)
{
    std::vector<std::string_view> lines;
    std::size_t scanned = 0;
    for (auto newline = raw.find('\n'); newline != std::string_view::npos; newline = raw.find('\n', scanned)) {
        std::string_view line = raw.substr(scanned, newline - scanned);
        scanned = newline + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (scanned > kMaxHeaderBytes)
            break;
        if (!line.empty()) {
            lines.push_back(line);
        } else if (!lines.empty()) {
            HttpAnswer answer = parseHead(lines, host);
            answer.body = std::string(raw.substr(scanned));
            return answer;
        }
    }
    if (raw.size() > kMaxHeaderBytes)
        throw std::runtime_error("Answer header from " + host + " is larger than 64 KB");
    return std::nullopt;
}

}  // namespace sonark
