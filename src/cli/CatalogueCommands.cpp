#include "CatalogueCommands.h"

#include "ChooseShop.h"
#include "CliContext.h"
#include "app/ShopWorkspace.h"
#include "catalogue/CatalogueFile.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace qs::cli {
namespace {

// Opens the shop as File, Open Shop... does: settings, catalogue, location file.
bool openShop(CliContext& context, const std::string& name)
{
    return chooseShop(context, name, ShopChooser::Mode::Open) &&
           OpenChosenShop(context.state(), context.editor(), context.ui);
}

bool check(CliContext& context, const std::string& name)
{
    if (!openShop(context, name))
        return false;
    const Catalogue& catalogue = context.state().catalogue;
    context.out << "categories: " << catalogue.categoryCount() << '\n'
                << "products: " << catalogue.productCount() << '\n'
                << "depth: " << catalogue.depth() << '\n';
    return true;
}

bool resave(CliContext& context, const std::string& name)
{
    return openShop(context, name) &&
           SaveCatalogueCommand(context.state(), context.ui, false) == SaveOutcome::Saved;
}

void addShopCommand(CLI::App& app, CliContext& context, const char* command, const char* description,
                    bool (*work)(CliContext&, const std::string&))
{
    auto name = std::make_shared<std::string>();
    auto* sub = app.add_subcommand(command, description);
    sub->add_option("shop", *name, "The shop's name")->required();
    sub->callback([&context, name, work] {
        context.setCommand([name, work](CliContext& c) { return work(c, *name); });
    });
}

} // namespace

void addCatalogueCommands(CLI::App& app, CliContext& context)
{
    addShopCommand(app, context, "check", "Open the shop's catalogue and print its size and depth", check);
    addShopCommand(app, context, "resave", "Open the shop's catalogue and save it again without asking",
                   resave);
}

} // namespace qs::cli
