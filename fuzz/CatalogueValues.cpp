#include "CatalogueValues.h"

#include "core/catalogue/Catalogue.h"

#include <charconv>
#include <string>
#include <vector>

namespace qs::fuzz {

void forEachCategoryPath(const Catalogue& catalogue,
                         const std::function<void(const TNewCategory&, std::string_view path)>& visit)
{
    // A stack of its own, as a catalogue may be deeper than the call stack;
    // one path serves the walk, each category's name added as it is entered.
    struct Level {
        const TNewCategory* category;
        // Of its parent's path and the "|" after it; 0 at the top level.
        std::size_t pathLength;
    };
    std::string path;
    std::vector<Level> pending;
    const auto pushChildren = [&](const TNewCategory& category, std::size_t pathLength) {
        for (auto child = category.children().rbegin(); child != category.children().rend(); ++child)
            pending.push_back({child->get(), pathLength});
    };
    pushChildren(catalogue.root(), 0);
    while (!pending.empty()) {
        const auto [category, pathLength] = pending.back();
        pending.pop_back();
        path.resize(pathLength);
        if (pathLength > 0)
            path.back() = '|';
        path.append(category->text());
        visit(*category, path);
        pushChildren(*category, path.size() + 1);
    }
}

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
    forEachCategoryPath(catalogue, [&](const TNewCategory& category, std::string_view path) {
        for (const auto& product : category.products()) {
            line.clear();
            appendProductValues(line, path, *product);
            onProduct(line);
        }
    });
}

} // namespace qs::fuzz
