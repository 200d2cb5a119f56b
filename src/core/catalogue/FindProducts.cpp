#include "core/catalogue/FindProducts.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/ProductNameSort.h"

#include <algorithm>

namespace qs {

namespace {

// Only A to Z are folded: other letters match exactly.
char foldAsciiLetter(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool containsFolded(std::string_view name, std::string_view foldedNeedle)
{
    if (foldedNeedle.size() > name.size())
        return false;
    const std::size_t last = name.size() - foldedNeedle.size();
    for (std::size_t start = 0; start <= last; ++start) {
        std::size_t i = 0;
        while (i < foldedNeedle.size() && foldAsciiLetter(name[start + i]) == foldedNeedle[i])
            ++i;
        if (i == foldedNeedle.size())
            return true;
    }
    return false;
}

// Every category below the root, each before its sub-categories.
template <typename Visit> void forEachCategoryInTreeOrder(TNewCategory& root, Visit&& visit)
{
    std::vector<TNewCategory*> pending{&root};
    while (!pending.empty()) {
        TNewCategory* category = pending.back();
        pending.pop_back();
        if (category != &root)
            visit(*category);
        for (auto it = category->children().rbegin(); it != category->children().rend(); ++it)
            pending.push_back(it->get());
    }
}

} // namespace

ProductSearch FindProducts(Catalogue& catalogue, std::string_view text)
{
    ProductSearch search;
    const std::string searched(text);
    if (text.empty()) {
        search.heading = "Products in catalogue:- ";
        search.noResultMessage = "No products in catalogue.";
    } else {
        search.heading = "Results matching '" + searched + "' in catalogue:- ";
        search.noResultMessage = "No products matching '" + searched + "' in catalogue.";
    }
    std::string needle(text);
    std::transform(needle.begin(), needle.end(), needle.begin(), foldAsciiLetter);

    ProductNameSort found;
    forEachCategoryInTreeOrder(catalogue.root(), [&](TNewCategory& category) {
        for (const auto& product : category.products())
            if (needle.empty() || containsFolded(product->name(), needle))
                found.add(product.get());
    });
    search.results = found.sorted();
    return search;
}

} // namespace qs
