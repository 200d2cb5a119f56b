#include "cli/ChooseShop.h"

#include "cli/CliContext.h"
#include "core/app/ShopWorkspace.h"
#include "core/text/Cp1252.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

namespace qs::cli {

bool chooseShop(CliContext& context, const std::string& utf8Name, ShopChooser::Mode mode)
{
    ShopChooser chooser(mode);
    chooser.fill(context.state());
    const std::optional<std::string> name = context.ui.fromTerminal(utf8Name);
    if (!name)
        return false;
    const auto& shops = chooser.shops();
    const auto found = std::find(shops.begin(), shops.end(), *name);
    if (found == shops.end()) {
        context.ui.message(ShopChooser::missingShopMessage, MessageKind::Information);
        return false;
    }
    chooser.select(static_cast<int>(found - shops.begin()));
    return chooser.confirm(context.state(), context.ui);
}

bool openNamedShop(CliContext& context, const std::string& utf8Name)
{
    return chooseShop(context, utf8Name, ShopChooser::Mode::Open) &&
           OpenChosenShop(context.state(), context.editor(), context.ui);
}

void addShopSubcommand(CLI::App& app, CliContext& context, const char* command, const char* description,
                       bool (*work)(CliContext&, const std::string&))
{
    auto name = std::make_shared<std::string>();
    auto* sub = app.add_subcommand(command, description);
    sub->add_option("shop", *name, "The shop's name")->required();
    sub->callback([&context, name, work] {
        context.setCommand([name, work](CliContext& c) { return work(c, *name); });
    });
}

} // namespace qs::cli
