#pragma once

namespace CLI {
class App;
}

namespace qs::cli {

class CliContext;

// import SHOP TABLE [--skip-rows N] [--category PATH] [--empty blank|ignore|previous] [--allow-missing]:
// merges the table into the shop's catalogue with the column assignments of
// its .sff file, then saves, and prints "products added: N" and
// "rows suppressed: N".
void addImportCommand(CLI::App& app, CliContext& context);

} // namespace qs::cli
