#include "CatalogueRoundTrip.h"

#include "CatalogueValues.h"
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/catalogue/CatalogueFile.h"

#include <string>

namespace qs::fuzz {
namespace {

// Reads the bytes into a catalogue and writes it into written; false when
// the load stopped.
bool readAndWrite(std::string_view productBytes, std::string_view categoryBytes, WrittenCatalogue& written)
{
    // One state serves every reading: a load starts by emptying the catalogue.
    static AppState state("");
    QuietUser user;
    const bool loaded = LoadCatalogueBytes(state, user, productBytes, categoryBytes);
    if (loaded) {
        written.gather(state.catalogue);
        written.productFile.clear();
        appendProductFile(state.catalogue, written.productFile);
        written.categoryFile.clear();
        appendCategoryFile(state.catalogue, written.categoryFile);
    } else {
        check(user.messages > 0, "a load that stops says why");
    }
    // What an input leaves allocated looks like a leak to the fuzzer, which
    // then runs the input again to look for one.
    state.catalogue.clear();
    return loaded;
}

} // namespace

void WrittenCatalogue::gather(const Catalogue& catalogue)
{
    products.clear();
    categories.clear();
    paths.forEach(catalogue, [&](const TNewCategory& category, std::string_view path) {
        categories.append(path).push_back('\n');
        for (const std::string_view name : {descriptionField, pictureField, templateField})
            categories.append(category.detail(name)).push_back('\n');
        for (const auto& product : category.products()) {
            appendProductValues(products, path, *product);
            products.push_back('\n');
        }
    });
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
    // The buffers of one input serve the next.
    static WrittenCatalogue first;
    static WrittenCatalogue second;
    if (!readAndWrite(productBytes, categoryBytes, first))
        return;
    check(readAndWrite(first.productFile, first.categoryFile, second),
          "a catalogue the program wrote reads again");
    checkSameCatalogue(first, second);
}

} // namespace qs::fuzz
