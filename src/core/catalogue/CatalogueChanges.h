#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qs {

class Catalogue;
class TNewCategory;
class TNewProduct;
class UndoHistory;

// The one way the editing commands change the catalogue: every change is
// checked here, made as a step of the undo history and so told to every view.
// Checks answer with a refusal text for the merchant (empty when the change
// was made, or when it would change nothing) instead of talking to anyone.
class CatalogueChanges {
public:
    CatalogueChanges(Catalogue& catalogue, UndoHistory& history) : catalogue_(catalogue), history_(history) {}

    // A product field. An empty "Product Name" is not stored (and not
    // refused); a name another product of the category has is refused, as is
    // a value the catalogue file cannot hold. A value equal to the product's
    // own changes nothing and is not refused.
    std::string setProductField(TNewProduct& product, std::string_view field, std::string_view value);
    // Several fields of one product as one step; nothing is stored when any is refused.
    std::string setProductFields(TNewProduct& product,
                                 const std::vector<std::pair<std::string, std::string>>& fields,
                                 std::string_view label);
    // A category detail. An empty "Category Name" is not stored (and not refused).
    std::string setCategoryDetail(TNewCategory& category, std::string_view name, std::string_view value);

    // label: "Add Category" or "Add Sub-Category".
    TNewCategory& addCategory(TNewCategory& parent, std::string_view label);
    TNewProduct& addProduct(TNewCategory& category);
    void deleteCategory(TNewCategory& category);
    void deleteProduct(TNewProduct& product);
    // False when it stays where it is (onto itself or its own descendant).
    bool moveCategory(TNewCategory& category, TNewCategory& to);
    // Refused when the category already holds a product of the same name.
    std::string moveProduct(TNewProduct& product, TNewCategory& to);
    void sort();

    Catalogue& catalogue() const { return catalogue_; }
    UndoHistory& history() const { return history_; }

private:
    std::string productFieldRefusal(const TNewProduct& product, std::string_view field,
                                    std::string_view value) const;

    Catalogue& catalogue_;
    UndoHistory& history_;
};

} // namespace qs
