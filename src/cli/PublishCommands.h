#pragma once

namespace CLI {
class App;
}

namespace qs::cli {

class CliContext;

// export SHOP.
void addPublishCommands(CLI::App& app, CliContext& context);

} // namespace qs::cli
