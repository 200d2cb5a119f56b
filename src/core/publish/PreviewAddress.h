#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qs {

// The address of the web server that shows the preview: the part of the
// preview address before "/cgi-bin/", such as "http://localhost:8080".
struct PreviewAddress {
    std::string scheme;
    std::string host;
    int port = 0;

    // "http://HOST" or "https://HOST", an optional ":PORT" and an optional
    // "/" at the end; nothing when the text is not such an address.
    static std::optional<PreviewAddress> parse(std::string_view text);

    // Plain HTTP to this computer's own IPv4 loopback address, where the
    // preview may start a web server of its own.
    bool servedHere() const;
};

inline constexpr std::string_view defaultPreviewAddress = "http://localhost:8080";

// The address of the shop's catalogue script on the preview's web server.
std::string previewURL(std::string_view address, std::string_view shop,
                       std::string_view script = "Catalogue.pl");

} // namespace qs
