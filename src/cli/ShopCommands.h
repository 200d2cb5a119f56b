#pragma once

namespace CLI {
class App;
}

namespace qs::cli {

class CliContext;

// shops, new-shop NAME, delete-shop NAME --yes.
void addShopCommands(CLI::App& app, CliContext& context);

} // namespace qs::cli
