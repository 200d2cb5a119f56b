#include "ChooseShop.h"

#include "CliContext.h"
#include "text/Cp1252.h"

#include <algorithm>

namespace qs::cli {

bool chooseShop(CliContext& context, const std::string& utf8Name, ShopChooser::Mode mode)
{
    ShopChooser chooser(mode);
    chooser.fill(context.state());
    const auto& shops = chooser.shops();
    const auto found = std::find(shops.begin(), shops.end(), utf8ToCp1252(utf8Name));
    if (found == shops.end()) {
        context.ui.message(ShopChooser::missingShopMessage, MessageKind::Information);
        return false;
    }
    chooser.select(static_cast<int>(found - shops.begin()));
    return chooser.confirm(context.state(), context.ui);
}

} // namespace qs::cli
