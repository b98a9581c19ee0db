#include "http_address.h"

#include "ascii_text.h"

#include <stdexcept>

namespace sonark {

namespace {

// Request lines must not carry spaces or raw non-ASCII bytes.
std::string encodeTarget(std::string_view target)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string result;
    for (char ch : target) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7f) {
            result += '%';
            result += hex[c >> 4];
            result += hex[c & 15];
        } else {
            result += ch;
        }
    }
    return result;
}

}  // namespace

std::string HttpAddress::hostForDisplay() const
{
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

std::string HttpAddress::hostAndPort() const
{
    return hostForDisplay() + ":" + std::to_string(port);
}

std::string HttpAddress::hostHeader() const
{
    return port == (secure ? 443 : 80) ? hostForDisplay() : hostAndPort();
}

HttpAddress parseHttpAddress(std::string_view address)
{
    const std::string original(address);
    const auto invalid = [&] { return std::runtime_error("Invalid address: " + original); };
    std::string text(trim(address));
    auto schemeEnd = text.find("://");
    if (schemeEnd == std::string::npos) {
        text = "http://" + text;
        schemeEnd = 4;
    }
    const std::string scheme = lowercase(text.substr(0, schemeEnd));
    if (scheme != "http" && scheme != "https")
        throw std::runtime_error("Unsupported address: " + original);
    std::string_view rest = std::string_view(text).substr(schemeEnd + 3);
    rest = rest.substr(0, rest.find('#'));

    const auto authorityEnd = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, authorityEnd);
    const std::string_view target =
        authorityEnd == std::string_view::npos ? std::string_view{} : rest.substr(authorityEnd);
    const auto at = authority.rfind('@');
    if (at != std::string_view::npos)
        authority = authority.substr(at + 1);

    HttpAddress result;
    result.secure = scheme == "https";
    result.port = result.secure ? 443 : 80;
    std::string_view portText;
    if (!authority.empty() && authority.front() == '[') {
        const auto close = authority.find(']');
        if (close == std::string_view::npos)
            throw invalid();
        result.host = std::string(authority.substr(1, close - 1));
        const auto after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':')
                throw invalid();
            portText = after.substr(1);
        }
    } else {
        const auto colon = authority.find(':');
        result.host = std::string(authority.substr(0, colon));
        if (colon != std::string_view::npos)
            portText = authority.substr(colon + 1);
    }
    if (result.host.empty())
        throw invalid();
    if (!portText.empty()) {
        const auto port = parseNumber(portText);
        if (!port || *port == 0 || *port > 65535)
            throw invalid();
        result.port = static_cast<std::uint16_t>(*port);
    }

    const bool pathMissing = target.empty() || target.front() == '?';
    std::string path = pathMissing ? "/" : "";
    path += target;
    result.target = encodeTarget(path);
    return result;
}

HttpAddress resolveLocation(const HttpAddress &base, std::string_view location)
{
    location = trim(location);
    if (location.find("://") != std::string_view::npos)
        return parseHttpAddress(location);
    if (location.substr(0, 2) == "//")
        return parseHttpAddress((base.secure ? "https:" : "http:") + std::string(location));

    const std::string_view target = location.substr(0, location.find('#'));
    HttpAddress result = base;
    if (!target.empty() && target.front() == '/') {
        result.target = encodeTarget(target);
    } else {
        const std::string_view basePath = std::string_view(base.target).substr(0, base.target.find('?'));
        if (!target.empty() && target.front() == '?')
            result.target = std::string(basePath) + encodeTarget(target);
        else
            result.target = std::string(basePath.substr(0, basePath.rfind('/') + 1)) + encodeTarget(target);
    }
    return result;
}

}  // namespace sonark
