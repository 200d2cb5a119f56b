#include "CatalogueValues.h"

#include "core/catalogue/Catalogue.h"

namespace qs::fuzz {

std::vector<std::string> productValues(const Catalogue& catalogue)
{
    std::vector<std::string> lines;
    // A stack of its own, as a catalogue may be deeper than the call stack;
    // one path serves the walk, each category's name added as it is entered.
    struct Level {
        const TNewCategory* category;
        std::size_t pathLength;
    };
    std::string path;
    std::vector<Level> pending;
    for (auto child = catalogue.root().children().rbegin(); child != catalogue.root().children().rend();
         ++child)
        pending.push_back({child->get(), 0});
    while (!pending.empty()) {
        const auto [category, pathLength] = pending.back();
        pending.pop_back();
        path.resize(pathLength);
        if (pathLength > 0)
            path.push_back('|');
        path.append(category->text());
        for (const auto& product : category->products()) {
            std::string line = path;
            product->forEachField([&](FieldId id, std::string_view value) {
                // The path already tells the category, which a loaded product also holds as a field.
                if (!value.empty() && id != FieldNames::Category)
                    line.append("\t").append(std::to_string(id)).append("=").append(value);
            });
            lines.push_back(std::move(line));
        }
        for (auto child = category->children().rbegin(); child != category->children().rend(); ++child)
            pending.push_back({child->get(), path.size()});
    }
    return lines;
}

} // namespace qs::fuzz
