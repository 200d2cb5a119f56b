#include "cli/Commands.h"

#include "cli/ChooseShop.h"
#include "cli/CliContext.h"
#include "core/app/ShopWorkspace.h"
#include "core/text/Cp1252.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace qs::cli {

namespace {

bool listShopNames(CliContext& context)
{
    for (const std::string& name : listShops(context.state()))
        context.out << cp1252ToUtf8(name) << '\n';
    return true;
}

bool newShop(CliContext& context, const std::string& name)
{
    std::optional<std::string> cp1252Name = context.ui.fromTerminal(name);
    if (!cp1252Name)
        return false;
    context.ui.queueInput(std::move(*cp1252Name));
    return NewShopCommand(context.state(), context.editor(), context.ui);
}

bool deleteShop(CliContext& context, const std::string& name)
{
    return chooseShop(context, name, ShopChooser::Mode::Delete) && DeleteShop(context.state(), context.ui);
}

} // namespace

void addShopCommands(CLI::App& app, CliContext& context)
{
    app.add_subcommand("shops", "List the shops, one name per line")->callback([&context] {
        context.setCommand(listShopNames);
    });

    auto newName = std::make_shared<std::string>();
    auto* create = app.add_subcommand("new-shop", "Create a shop with the starting scripts, data and images");
    create->add_option("name", *newName, "The shop's name: letters, digits and \"-\"")->required();
    create->callback([&context, newName] {
        context.setCommand([newName](CliContext& c) { return newShop(c, *newName); });
    });

    auto deleteName = std::make_shared<std::string>();
    auto yes = std::make_shared<bool>(false);
    auto* deletion = app.add_subcommand("delete-shop", "Delete a shop with all its folders and files");
    deletion->add_option("name", *deleteName, "The shop to delete")->required();
    deletion->add_flag("--yes", *yes, "Confirm the deletion");
    deletion->callback([&context, deleteName, yes] {
        if (!*yes) {
            context.refuse(
                "delete-shop deletes the shop's folders with all their files: add --yes to confirm.");
            return;
        }
        context.ui.setAssumeYes(true);
        context.setCommand([deleteName](CliContext& c) { return deleteShop(c, *deleteName); });
    });
}

} // namespace qs::cli
