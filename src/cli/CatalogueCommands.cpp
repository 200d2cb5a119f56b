#include "cli/Commands.h"

#include "cli/ChooseShop.h"
#include "cli/CliContext.h"
#include "core/catalogue/CatalogueFile.h"

#include <CLI/CLI.hpp>

namespace qs::cli {
namespace {

bool check(CliContext& context, const std::string& name)
{
    if (!openNamedShop(context, name))
        return false;
    const Catalogue& catalogue = context.state().catalogue;
    context.out << "categories: " << catalogue.categoryCount() << '\n'
                << "products: " << catalogue.productCount() << '\n'
                << "depth: " << catalogue.depth() << '\n';
    return true;
}

bool resave(CliContext& context, const std::string& name)
{
    return openNamedShop(context, name) &&
           SaveCatalogueCommand(context.state(), context.ui, false) == SaveOutcome::Saved;
}

} // namespace

void addCatalogueCommands(CLI::App& app, CliContext& context)
{
    addShopSubcommand(app, context, "check", "Open the shop's catalogue and print its size and depth", check);
    addShopSubcommand(app, context, "resave", "Open the shop's catalogue and save it again without asking",
                      resave);
}

} // namespace qs::cli
