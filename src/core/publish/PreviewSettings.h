#pragma once

#include "core/text/NameValueList.h"

#include <string>
#include <string_view>

namespace qs {

struct AppState;

// The preview's settings, kept for every shop in settings.cfg in the program
// folder: the browser (BrowserPath) and the address of the web server that
// shows the preview. Other lines found in the file are written back as they were.
class PreviewSettings {
public:
    PreviewSettings();

    // At start-up. A file that cannot be read gives an empty list, silently.
    void load(AppState& state);
    // As the program ends; an empty browser path removes its line. Throws FileError.
    void save(const AppState& state);

    // The part of the preview address before "/cgi-bin/".
    std::string previewAddress;

    static std::string filePath(const AppState& state);

    static constexpr std::string_view fileName = "settings.cfg";
    static constexpr std::string_view browserKey = "browser";
    static constexpr std::string_view addressKey = "previewaddress";

private:
    NameValueList list_;
};

} // namespace qs
