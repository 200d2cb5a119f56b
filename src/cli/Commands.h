#pragma once

// The commands of quaystall-cli, each group added to the app by the file of
// its name.

namespace CLI {
class App;
}

namespace qs::cli {

class CliContext;

// shops, new-shop NAME, delete-shop NAME --yes.
void addShopCommands(CLI::App& app, CliContext& context);

// check SHOP, resave SHOP.
void addCatalogueCommands(CLI::App& app, CliContext& context);

// import SHOP TABLE [--skip-rows N] [--category PATH] [--empty blank|ignore|previous] [--allow-missing]:
// merges the table into the shop's catalogue with the column assignments of
// its .sff file, then saves, and prints "products added: N" and
// "rows suppressed: N".
void addImportCommand(CLI::App& app, CliContext& context);

// search SHOP [TEXT]: the names of the products found, one per line, in the
// order of the "Search Results" window; every product without TEXT.
void addSearchCommand(CLI::App& app, CliContext& context);

// export SHOP; upload-settings SHOP [--protocol P] [--host H] [--port N]
// [--user U] [--key FILE] [--cgi-dir DIR] [--images-dir DIR] [--proxy HOST:PORT];
// upload SHOP [--dry-run] [--accept-new-host-key] [--delete]; fetch-orders SHOP.
void addPublishCommands(CLI::App& app, CliContext& context);

} // namespace qs::cli
