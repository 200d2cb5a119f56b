#pragma once

#include "core/catalogue/ProductNameIndex.h"
#include "core/catalogue/TNewProduct.h"
#include "core/text/NameValueList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qs {

class Catalogue;

// A node of the catalogue tree. Every node but the root carries a category:
// its name ("Category Name"), its other details (a name=value list holding
// "Description", "Picture", "Template" and the "Default " values for its
// products), its products in the order they were added, and its
// sub-categories. The node's text is the category's name; the root's is
// "Whole Catalogue".
class TNewCategory {
public:
    static constexpr std::string_view rootText = "Whole Catalogue";

    ~TNewCategory();
    TNewCategory(const TNewCategory&) = delete;
    TNewCategory& operator=(const TNewCategory&) = delete;

    bool isRoot() const { return parent_ == nullptr; }
    std::string_view text() const { return name_; }

    // Details. Setting an empty "Category Name" is refused (false): a category
    // cannot lose its name. Any other name is stored and becomes the node's text.
    std::string_view detail(std::string_view name) const;
    bool setDetail(std::string_view name, std::string_view value);
    // The details but its name.
    const NameValueList& details() const { return Details; }

    std::int32_t ProductCounter = 0;

    const std::vector<std::unique_ptr<TNewProduct>>& products() const { return Products; }
    std::size_t productCount() const { return Products.size(); }
    // The product's position in the list, or -1.
    std::ptrdiff_t indexOfProduct(const TNewProduct& product) const;
    bool hasProductNamedOtherThan(std::string_view name, const TNewProduct* except) const;

    TNewCategory* parent() const { return parent_; }
    const std::vector<std::unique_ptr<TNewCategory>>& children() const { return children_; }
    bool hasChildren() const { return !children_.empty(); }
    std::size_t row() const; // position among its parent's children
    // The first child, in tree order, whose text is exactly name.
    TNewCategory* childNamed(std::string_view name) const;
    bool isAncestorOf(const TNewCategory& other) const;
    // The names from the top level down to this category, joined by "|".
    std::string path() const;
    // 0 for a node without children, else 1 + the greatest height of its children.
    int height() const;

    Catalogue& catalogue() const { return *owner_; }

private:
    friend class Catalogue;
    friend class TNewProduct;

    // A category named name under parent, or the root when parent is null.
    TNewCategory(Catalogue& owner, TNewCategory* parent, std::string_view name)
        : owner_(&owner), parent_(parent), name_(parent ? name : rootText)
    {
    }

    // A family of up to this many children is searched from the first child
    // on, which costs less than keeping an index; a larger one is indexed.
    static constexpr std::size_t searchedFamily = 8;

    void indexChild(TNewCategory* child);
    void unindexChild(TNewCategory* child);
    void rebuildChildIndex();

    Catalogue* owner_;
    TNewCategory* parent_;
    std::string name_;
    NameValueList Details;
    std::vector<std::unique_ptr<TNewProduct>> Products;
    ProductNameIndex productNames_;
    std::vector<std::unique_ptr<TNewCategory>> children_;
    // The first child in tree order of each text, keyed by that child's own
    // text; empty until the family outgrows searchedFamily, then kept whole
    // while the family has any child.
    std::unordered_map<std::string_view, TNewCategory*> firstChildNamed_;
};

} // namespace qs
