#pragma once

#include "core/settings/ShopSettings.h"

#include <string>

namespace qs {

// The open shop's settings as the program holds them between loading and
// saving: the settings list, the values taken from it, and whether Save has
// a changed setting to write.
struct OpenSettings {
    ShopSettings ShopFields;
    // A setting that Save writes has changed; changes to the catalogue itself
    // are told by the undo history.
    bool SettingsModified = false;

    // Mail method: an empty mail program means mail goes through an SMTP server.
    std::string mailprogram = "/usr/bin/sendmail";
    std::string web_server;
    std::string smtp_server;

    int MAX_CATEGORY_DEPTH = 3;
    // The image URL that the shop settings writer stores.
    std::string CurrentImageURL;
};

} // namespace qs
