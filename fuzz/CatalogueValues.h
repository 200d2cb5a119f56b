#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace qs {
class Catalogue;
class TNewCategory;
class TNewProduct;
} // namespace qs

namespace qs::fuzz {

// Gives visit every category of the catalogue in tree order with its path:
// the names from the top level down, joined by "|". A path lasts until the
// next is given.
void forEachCategoryPath(const Catalogue& catalogue,
                         const std::function<void(const TNewCategory&, std::string_view path)>& visit);

// Appends the product's line to out, without a line end: its category's
// path, then each field that holds a value, number and value. Two catalogues
// hold the same products with the same values when their lines are the same.
void appendProductValues(std::string& out, std::string_view path, const TNewProduct& product);

// Gives onProduct the line of every product of the catalogue, in tree order.
// A line lasts until the next is given.
void forEachProductValues(const Catalogue& catalogue, const std::function<void(std::string_view)>& onProduct);

} // namespace qs::fuzz
