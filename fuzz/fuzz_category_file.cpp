// Any bytes as the category file beside a shop's catalogue (header_data.log)
// open the shop, giving its categories descriptions, pictures and templates,
// as File, Open Shop reads them. Once saved, the shop opens again with the
// same details for every category, and the file then stays the same.
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
#include <string>
#include <utility>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

struct SavedDetails {
    std::string details;
    std::string categoryFile;
};

SavedDetails openAndSave(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::EditorState editor;
    qs::fuzz::QuietUser user;
    check(qs::OpenChosenShop(state, editor, user), "the category file never stops the open");
    qs::fuzz::WrittenCatalogue read;
    read.gather(state.catalogue);
    SavedDetails saved{std::move(read.categories), {}};
    check(qs::SaveCatalogueCommand(state, user, qs::SaveConfirmation::Skip) == qs::SaveOutcome::Saved,
          "an open shop saves");
    saved.categoryFile = qs::readFileBytes(shop.dataFile(qs::categoryFileName));
    return saved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.dataFile(qs::catalogueFileName), qs::fuzz::nestedCatalogue);
    qs::writeFileAtomically(shop.dataFile(qs::categoryFileName), qs::fuzz::bytesOf(data, size));
    const SavedDetails first = openAndSave(shop);
    const SavedDetails second = openAndSave(shop);
    checkSame(first.details, second.details, "every category keeps its details");
    checkSame(first.categoryFile, second.categoryFile, "header_data.log stays the same");
    return 0;
}
