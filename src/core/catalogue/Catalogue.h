#pragma once

#include "catalogue/CatalogueObserver.h"
#include "catalogue/TNewCategory.h"
#include "catalogue/TNewProduct.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace qs {

// The catalogue tree: the root "Whole Catalogue" with its categories and
// their products. Every record is created, moved and destroyed here, and every
// change is told to the observer.
class Catalogue {
public:
    Catalogue();
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    TNewCategory& root() { return *root_; }
    const TNewCategory& root() const { return *root_; }

    // The ID of the next product created; it only grows.
    std::int64_t NextProductID = 0;

    // A new category named "New Category" (or name), the last child of parent.
    TNewCategory& addCategory(TNewCategory& parent, std::string_view name = "New Category");
    // A new product "New Product " + the category's counter, appended to it.
    TNewProduct& createProduct(TNewCategory& category) { return createProduct(category, FieldRecord()); }
    // The same with its fields given at once, as a file describes it. The
    // product keeps the counter-made name when the fields name none, or a name
    // another product of the category already carries.
    TNewProduct& createProduct(TNewCategory& category, FieldRecord fields);
    // Gives a product the ID read from a file and raises NextProductID past it.
    void setProductID(TNewProduct& product, std::int64_t id);
    void destroyProduct(TNewProduct& product);
    // Deletes the node with its whole sub-tree and every product in it.
    void destroyCategory(TNewCategory& category);
    // Makes category the last child of newParent; refused (false) onto itself
    // or one of its own descendants.
    bool moveCategory(TNewCategory& category, TNewCategory& newParent);
    // Appends the product to another category; no name check is made.
    void moveProduct(TNewProduct& product, TNewCategory& to);

    // 1 + the height of the root.
    int depth() const;
    // Names joined by "|" from the top level down, each the first child of
    // that name; null when any is missing.
    TNewCategory* findByPath(std::string_view path) const;
    // Back to the bare root. NextProductID keeps growing across clears.
    void clear();
    // Every level in linguistic order; products keep their order.
    void sortAlphabetically();

    std::size_t categoryCount() const { return categoryCount_; }
    std::size_t productCount() const { return productCount_; }

    void setObserver(CatalogueObserver* observer) { observer_ = observer; }

    // While one exists, single changes are not told; the observer hears one
    // reset when the last ends. For loads and bulk imports.
    class BulkChange {
    public:
        explicit BulkChange(Catalogue& catalogue);
        ~BulkChange();
        BulkChange(const BulkChange&) = delete;
        BulkChange& operator=(const BulkChange&) = delete;

    private:
        Catalogue& catalogue_;
    };

    template <typename F> void notify(F&& f)
    {
        if (observer_ && bulkDepth_ == 0)
            f(*observer_);
    }

private:
    std::unique_ptr<TNewCategory> detach(TNewCategory& category);
    void forgetSubtree(const TNewCategory& category);

    std::unique_ptr<TNewCategory> root_;
    CatalogueObserver* observer_ = nullptr;
    int bulkDepth_ = 0;
    std::size_t categoryCount_ = 0;
    std::size_t productCount_ = 0;
};

} // namespace qs
