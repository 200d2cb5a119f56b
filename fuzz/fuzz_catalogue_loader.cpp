// Any bytes as a shop's catalogue file (shop.data) either open the shop, as
// File, Open Shop opens it, or stop with a message. A shop once saved opens
// again with every product, value and category it had, and its catalogue
// files then stay the same through every further open and save.
#include "CatalogueRoundTrip.h"
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/app/CatalogueSave.h"
#include "core/app/ShopWorkspace.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/EditorState.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <optional>

namespace {

using qs::fuzz::check;

// Opens the shop and saves it, as the merchant's File menu does; nothing
// when the open stopped.
std::optional<qs::fuzz::WrittenCatalogue> openAndSave(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::EditorState editor;
    qs::fuzz::QuietUser user;
    if (!qs::OpenChosenShop(state, editor, user))
        return std::nullopt;
    check(qs::SaveCatalogueCommand(state, user, qs::SaveConfirmation::Skip) == qs::SaveOutcome::Saved,
          "an open shop saves");
    qs::fuzz::WrittenCatalogue saved;
    saved.gather(state.catalogue);
    saved.productFile = qs::readFileBytes(shop.dataFile(qs::catalogueFileName));
    saved.categoryFile = qs::readFileBytes(shop.dataFile(qs::categoryFileName));
    return saved;
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
    qs::fuzz::checkSameCatalogue(*first, *second);
    return 0;
}
