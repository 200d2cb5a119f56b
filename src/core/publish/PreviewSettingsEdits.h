#pragma once

#include <string>
#include <string_view>

namespace qs {

struct AppState;
class PreviewSettings;
class UserInterface;

// What the "Preview Settings..." dialog holds while it is shown: the path to
// the browser and the address of the preview's web server.
struct PreviewSettingsEdits {
    std::string browserPath;
    std::string address;

    // On show: the browser path and the address in force.
    void fill(const AppState& state, const PreviewSettings& settings);
    // "&Browse...": a chosen file replaces the path.
    void browse(UserInterface& ui);
    // A suggested browser: its path replaces the browser path when the file exists;
    // otherwise the user is told and the path stays as it is.
    void suggest(std::string_view path, UserInterface& ui);
    // OK: an address that is not one is refused (told; nothing taken over).
    // Otherwise the path, unchecked, and the address are taken over. True when taken.
    bool accept(AppState& state, PreviewSettings& settings, UserInterface& ui) const;
};

// A browser the dialog suggests, captioned on two lines, at its usual place on Debian.
struct BrowserSuggestion {
    std::string_view maker;
    std::string_view name;
    std::string_view path;
};

inline constexpr BrowserSuggestion browserSuggestions[] = {
    {"Mozilla", "&Firefox", "/usr/bin/firefox-esr"},
    {"Chromium", "&Web Browser", "/usr/bin/chromium"},
};

inline constexpr std::string_view proxyNote =
    "Please Note! In order to preview your site locally, your browser needs to be configured to connect "
    "to your local host.\nIf your browser uses a proxy server, it must bypass the proxy for the addresses "
    "of this computer (localhost and 127.0.0.1).";

inline constexpr std::string_view badAddressMessage =
    "The preview address must be the address of a web server, such as http://localhost:8080, without "
    "the path that follows it.";

} // namespace qs
