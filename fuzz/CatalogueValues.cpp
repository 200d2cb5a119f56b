#include "CatalogueValues.h"

#include "catalogue/Catalogue.h"

namespace qs::fuzz {

std::vector<std::string> productValues(const Catalogue& catalogue)
{
    std::vector<std::string> lines;
    // A stack of its own, as a catalogue may be deeper than the call stack.
    std::vector<const TNewCategory*> pending{&catalogue.root()};
    while (!pending.empty()) {
        const TNewCategory& category = *pending.back();
        pending.pop_back();
        const std::string path = category.products().empty() ? std::string() : category.path();
        for (const auto& product : category.products()) {
            std::string line = path;
            product->forEachField([&](FieldId id, std::string_view value) {
                // The path already tells the category, which a loaded product also holds as a field.
                if (!value.empty() && id != FieldNames::Category)
                    line.append("\t").append(std::to_string(id)).append("=").append(value);
            });
            lines.push_back(std::move(line));
        }
        for (auto child = category.children().rbegin(); child != category.children().rend(); ++child)
            pending.push_back(child->get());
    }
    return lines;
}

} // namespace qs::fuzz
