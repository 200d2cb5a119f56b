#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qs {

class Catalogue;
class ImportStep;
class TNewCategory;

// Where the merge puts a row's product: the category its path names, found
// or made, relative to the node selected for the import. A path names
// categories from the top down. A path with a name that cannot be a
// category's makes none of its categories.
//
// With the whole catalogue selected, paths start at the top level. With a
// category selected, they start under it, so a table of "Cars" and "Vans"
// imported into Toys fills Toys|Cars and Toys|Vans; but a path whose first
// name is the selected category or one of the categories above it starts at
// that one, so a table that spells out "Toys|Cars" lands in the same place
// rather than in Toys|Toys|Cars. An empty path is the selected category
// itself, or "Base Category" at the top level when the whole catalogue is
// selected.
class CategoryPlacement {
public:
    CategoryPlacement(Catalogue& catalogue, ImportStep& step, TNewCategory& selected);

    // Throws RowRefused when a name cannot be a category's, before any is made.
    TNewCategory& place(const std::vector<std::string_view>& path);

    static constexpr std::string_view baseCategory = "Base Category";

private:
    // Throws RowRefused when the name cannot be a category's.
    static void refuseName(std::string_view name);

    Catalogue& catalogue_;
    ImportStep& step_;
    TNewCategory& selected_;
    std::unordered_map<std::string, TNewCategory*> placed_; // by path joined with "|"
    std::string key_;
};

} // namespace qs
