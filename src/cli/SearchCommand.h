#pragma once

namespace CLI {
class App;
}

namespace qs::cli {

class CliContext;

// search SHOP [TEXT]: the names of the products found, one per line, in the
// order of the "Search Results" window; every product without TEXT.
void addSearchCommand(CLI::App& app, CliContext& context);

} // namespace qs::cli
