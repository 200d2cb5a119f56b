#pragma once

namespace CLI {
class App;
}

namespace qs::cli {

class CliContext;

// check SHOP, resave SHOP.
void addCatalogueCommands(CLI::App& app, CliContext& context);

} // namespace qs::cli
