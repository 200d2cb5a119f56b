#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class Catalogue;
class TNewProduct;

// What a search found: the products in the order the results list shows them,
// and the texts that go with it. The products stay owned by their categories.
struct ProductSearch {
    std::string heading;
    // Shown instead of the results when nothing was found.
    std::string noResultMessage;
    std::vector<TNewProduct*> results;
};

// Every product of the catalogue whose name contains text, the letters A to Z
// matching either case (every product when text is empty), sorted by
// CompareProductNames; products of equal names keep their tree order.
ProductSearch FindProducts(Catalogue& catalogue, std::string_view text);

} // namespace qs
