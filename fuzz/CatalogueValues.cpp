#include "CatalogueValues.h"

#include <charconv>
#include <string>

namespace qs::fuzz {

void appendProductValues(std::string& out, std::string_view path, const TNewProduct& product)
{
    out.append(path);
    product.forEachField([&](FieldId id, std::string_view value) {
        // The path already tells the category, which a loaded product also holds as a field.
        if (value.empty() || id == FieldNames::Category)
            return;
        char number[16];
        const auto end = std::to_chars(number, number + sizeof number, id).ptr;
        out.append("\t").append(number, end).append("=").append(value);
    });
}

void forEachProductValues(const Catalogue& catalogue, const std::function<void(std::string_view)>& onProduct)
{
    std::string line;
    CategoryPaths().forEach(catalogue, [&](const TNewCategory& category, std::string_view path) {
        for (const auto& product : category.products()) {
            line.clear();
            appendProductValues(line, path, *product);
            onProduct(line);
        }
    });
}

} // namespace qs::fuzz
