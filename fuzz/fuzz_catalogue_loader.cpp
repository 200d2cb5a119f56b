// Any bytes as a shop's catalogue file (shop.data) either open the shop, as
// File, Open Shop opens it, or stop with a message. A shop once saved opens
// again with every product, value and category it had, and its catalogue
// files then stay the same through every further open and save.
#include "CatalogueValues.h"
#include "FuzzShop.h"

#include "app/AppState.h"
#include "app/ShopWorkspace.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/EditorState.h"
#include "text/AtomicFile.h"
#include "text/ReadFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

struct SavedShop {
    std::vector<std::string> products;
    std::size_t categories = 0;
    std::string productFile;
    std::string categoryFile;
};

// Opens the shop and saves it, as the merchant's File menu does; nothing
// when the open stopped.
std::optional<SavedShop> openAndSave(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::EditorState editor;
    qs::fuzz::QuietUser user;
    if (!qs::OpenChosenShop(state, editor, user))
        return std::nullopt;
    check(qs::SaveCatalogueCommand(state, user, false) == qs::SaveOutcome::Saved, "an open shop saves");
    return SavedShop{qs::fuzz::productValues(state.catalogue), state.catalogue.categoryCount(),
                     qs::readFileBytes(shop.dataFile(qs::catalogueFileName)),
                     qs::readFileBytes(shop.dataFile(qs::categoryFileName))};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.dataFile(qs::catalogueFileName), qs::fuzz::bytesOf(data, size));
    const auto first = openAndSave(shop);
    if (!first)
        return 0;
    const auto second = openAndSave(shop);
    check(second.has_value(), "a catalogue the program saved opens");
    check(second->products.size() == first->products.size(), "every product comes back");
    for (std::size_t i = 0; i < first->products.size(); ++i)
        checkSame(first->products[i], second->products[i], "every value comes back");
    check(second->categories == first->categories, "every category comes back");
    checkSame(first->productFile, second->productFile, "shop.data stays the same");
    checkSame(first->categoryFile, second->categoryFile, "header_data.log stays the same");
    return 0;
}
