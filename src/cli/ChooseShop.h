#pragma once

#include "core/app/ShopChooser.h"

#include <string>

namespace CLI {
class App;
}

namespace qs::cli {

class CliContext;

// Picks the named shop as the "Open a Shop..." dialog would, so that a name
// that is not a shop gets the dialog's own message. True when ShopName is set.
bool chooseShop(CliContext& context, const std::string& utf8Name, ShopChooser::Mode mode);

// Opens the named shop as File, Open Shop... does: settings, catalogue,
// location file. True when it is open.
bool openNamedShop(CliContext& context, const std::string& utf8Name);

// Adds "COMMAND SHOP", which runs the work on the named shop.
void addShopSubcommand(CLI::App& app, CliContext& context, const char* command, const char* description,
                       bool (*work)(CliContext&, const std::string&));

} // namespace qs::cli
