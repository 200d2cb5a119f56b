#pragma once

#include "core/text/NameValueList.h"

namespace qs {

// The shop settings list: every scalar setting of the open shop, written
// verbatim to the shop's settings file for its scripts. It starts with the
// built-in defaults and is replaced whole when a shop's settings are loaded.
class ShopSettings : public NameValueList {
public:
    ShopSettings();

    static NameValueList defaults();
};

} // namespace qs
