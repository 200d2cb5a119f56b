#pragma once

#include "app/ShopChooser.h"

#include <string>

namespace qs::cli {

class CliContext;

// Picks the named shop as the "Open a Shop..." dialog would, so that a name
// that is not a shop gets the dialog's own message. True when ShopName is set.
bool chooseShop(CliContext& context, const std::string& utf8Name, ShopChooser::Mode mode);

} // namespace qs::cli
