#include "CatalogueRoundTrip.h"

#include "CatalogueValues.h"
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/catalogue/CatalogueFile.h"

#include <optional>
#include <string>
#include <vector>

namespace qs::fuzz {
namespace {

// Each path is built from its parent's, as a deep catalogue would spend the
// run finding each category's path afresh.
void collectDetails(const TNewCategory& category, const std::string& path, std::vector<std::string>& details)
{
    for (const auto& child : category.children()) {
        const std::string childPath =
            path.empty() ? std::string(child->text()) : path + "|" + std::string(child->text());
        details.push_back(childPath);
        for (const std::string_view name : {descriptionField, pictureField, templateField})
            details.emplace_back(child->detail(name));
        collectDetails(*child, childPath, details);
    }
}

std::optional<WrittenCatalogue> readAndWrite(std::string_view productBytes, std::string_view categoryBytes)
{
    // One state serves every reading: a load starts by emptying the catalogue.
    static AppState state("");
    QuietUser user;
    std::optional<WrittenCatalogue> written;
    if (LoadCatalogueBytes(state, user, productBytes, categoryBytes)) {
        written = WrittenCatalogue::of(state.catalogue);
        written->productFile = productFileBytes(state.catalogue);
        written->categoryFile = categoryFileBytes(state.catalogue);
    } else {
        check(user.messages > 0, "a load that stops says why");
    }
    // What an input leaves allocated looks like a leak to the fuzzer, which
    // then runs the input again to look for one.
    state.catalogue.clear();
    return written;
}

} // namespace

WrittenCatalogue WrittenCatalogue::of(const Catalogue& catalogue)
{
    WrittenCatalogue written{productValues(catalogue), {}, {}, {}};
    collectDetails(catalogue.root(), {}, written.categories);
    return written;
}

void checkSameCatalogue(const WrittenCatalogue& first, const WrittenCatalogue& second)
{
    check(second.products.size() == first.products.size(), "every product comes back");
    for (std::size_t i = 0; i < first.products.size(); ++i)
        checkSame(first.products[i], second.products[i], "every value comes back");
    check(second.categories == first.categories, "every category comes back with its details");
    checkSame(first.productFile, second.productFile, "shop.data is written the same again");
    checkSame(first.categoryFile, second.categoryFile, "header_data.log is written the same again");
}

void checkCatalogueBytesRoundTrip(std::string_view productBytes, std::string_view categoryBytes)
{
    const auto first = readAndWrite(productBytes, categoryBytes);
    if (!first)
        return;
    const auto second = readAndWrite(first->productFile, first->categoryFile);
    check(second.has_value(), "a catalogue the program wrote reads again");
    checkSameCatalogue(*first, *second);
}

} // namespace qs::fuzz
