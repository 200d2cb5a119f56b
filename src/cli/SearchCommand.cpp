#include "cli/Commands.h"

#include "cli/ChooseShop.h"
#include "cli/CliContext.h"
#include "core/app/ShopWorkspace.h"
#include "core/catalogue/FindProducts.h"
#include "core/text/Cp1252.h"

#include <CLI/CLI.hpp>

#include <memory>

namespace qs::cli {

namespace {

struct SearchArguments {
    std::string shop;
    std::string text;
};

bool search(CliContext& context, const SearchArguments& arguments)
{
    if (!chooseShop(context, arguments.shop, ShopChooser::Mode::Open) ||
        !OpenChosenShop(context.state(), context.editor(), context.ui))
        return false;
    const std::optional<std::string> text = context.ui.fromTerminal(arguments.text);
    if (!text)
        return false;
    // Finding nothing is an answer, not a failure: the output is just empty.
    for (const TNewProduct* product : FindProducts(context.state().catalogue, *text).results)
        context.out << cp1252ToUtf8(product->name()) << '\n';
    return true;
}

} // namespace

void addSearchCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<SearchArguments>();
    auto* sub = app.add_subcommand("search", "Print the names of the products whose names hold TEXT, "
                                             "in the order of the Search Results window (all without TEXT)");
    sub->add_option("shop", arguments->shop, "The shop's name")->required();
    sub->add_option("text", arguments->text, "The text to look for; A to Z match either case");
    sub->callback([&context, arguments] {
        context.setCommand([arguments](CliContext& c) { return search(c, *arguments); });
    });
}

} // namespace qs::cli
