// Any bytes as the category file beside a shop's catalogue (header_data.log)
// open the shop, giving its categories descriptions, pictures and templates,
// as File, Open Shop reads them. Once saved, the shop opens again with the
// same details for every category, and the file then stays the same.
#include "FuzzShop.h"

#include "app/AppState.h"
#include "app/ShopWorkspace.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/EditorState.h"
#include "text/AtomicFile.h"
#include "text/ReadFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

// A small catalogue of nested categories, for the file's paths to name.
constexpr std::string_view productFile = "1::Books|Fiction|Dune\r\n"
                                         "2::Books|Fiction|Classics|Emma\r\n"
                                         "3::Books|Poetry|Odes\r\n"
                                         "4::Garden|Tools|Spade\r\n"
                                         "5::Garden|Seeds\r\n";

struct SavedDetails {
    // Path, description, picture and template of every category, in tree order.
    std::vector<std::string> details;
    std::string categoryFile;
};

void collect(const qs::TNewCategory& category, std::vector<std::string>& details)
{
    for (const auto& child : category.children()) {
        details.push_back(child->path());
        for (const std::string_view name : {qs::descriptionField, qs::pictureField, qs::templateField})
            details.emplace_back(child->detail(name));
        collect(*child, details);
    }
}

SavedDetails openAndSave(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::EditorState editor;
    qs::fuzz::QuietUser user;
    check(qs::OpenChosenShop(state, editor, user), "the category file never stops the open");
    SavedDetails saved;
    collect(state.catalogue.root(), saved.details);
    check(qs::SaveCatalogueCommand(state, user, false) == qs::SaveOutcome::Saved, "an open shop saves");
    saved.categoryFile = qs::readFileBytes(shop.dataFile(qs::categoryFileName));
    return saved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.dataFile(qs::catalogueFileName), productFile);
    qs::writeFileAtomically(shop.dataFile(qs::categoryFileName), qs::fuzz::bytesOf(data, size));
    const SavedDetails first = openAndSave(shop);
    const SavedDetails second = openAndSave(shop);
    check(second.details == first.details, "every category keeps its details");
    checkSame(first.categoryFile, second.categoryFile, "header_data.log stays the same");
    return 0;
}
