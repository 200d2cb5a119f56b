#include "CatalogueRoundTrip.h"

#include "CatalogueValues.h"
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/catalogue/CatalogueFile.h"

#include <optional>
#include <string>

namespace qs::fuzz {
namespace {

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
    WrittenCatalogue written;
    forEachProductValues(catalogue,
                         [&](std::string_view line) { written.products.append(line).push_back('\n'); });
    forEachCategoryPath(catalogue, [&](const TNewCategory& category, std::string_view path) {
        written.categories.append(path).push_back('\n');
        for (const std::string_view name : {descriptionField, pictureField, templateField})
            written.categories.append(category.detail(name)).push_back('\n');
    });
    return written;
}

void checkSameCatalogue(const WrittenCatalogue& first, const WrittenCatalogue& second)
{
    checkSame(first.products, second.products, "every product comes back with its values");
    checkSame(first.categories, second.categories, "every category comes back with its details");
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
