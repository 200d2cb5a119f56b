#include "core/publish/PreviewAddress.h"

#include "core/text/CaseFold.h"

#include <algorithm>

namespace qs {

namespace {

bool isHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

bool isIPv6Character(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

bool validHost(std::string_view host)
{
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        return std::all_of(host.begin() + 1, host.end() - 1, isIPv6Character);
    return !host.empty() && std::all_of(host.begin(), host.end(), isHostCharacter);
}

std::optional<int> portNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int port = 0;
    for (const char c : digits)
        port = port * 10 + (c - '0');
    if (port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

} // namespace

std::optional<PreviewAddress> PreviewAddress::parse(std::string_view text)
{
    PreviewAddress address;
    const std::size_t schemeEnd = text.find("://");
    if (schemeEnd == std::string_view::npos)
        return std::nullopt;
    address.scheme = lowerCased(text.substr(0, schemeEnd));
    if (address.scheme != "http" && address.scheme != "https")
        return std::nullopt;
    std::string_view rest = text.substr(schemeEnd + 3);
    if (rest.ends_with('/'))
        rest.remove_suffix(1);
    const std::size_t colon = rest.rfind(':');
    const bool hasPort = colon != std::string_view::npos && rest.find(']', colon) == std::string_view::npos;
    address.host = std::string(rest.substr(0, hasPort ? colon : rest.size()));
    if (!validHost(address.host))
        return std::nullopt;
    if (hasPort) {
        const std::optional<int> port = portNumber(rest.substr(colon + 1));
        if (!port)
            return std::nullopt;
        address.port = *port;
    } else {
        address.port = address.scheme == "https" ? 443 : 80;
    }
    return address;
}

bool PreviewAddress::servedHere() const
{
    return scheme == "http" && (equalsIgnoreCase(host, "localhost") || host == "127.0.0.1");
}

std::string previewURL(std::string_view address, std::string_view shop, std::string_view script)
{
    std::string url(address);
    if (url.ends_with('/'))
        url.pop_back();
    return url.append("/cgi-bin/qstldb/").append(shop).append("-cgi/").append(script);
}

} // namespace qs
