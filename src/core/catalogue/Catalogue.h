#pragma once

#include "core/catalogue/CatalogueObserver.h"
#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    // The counter passes over the names other products of the category carry,
    // so that no two products of a category share a name; it then advances.
    TNewProduct& createProduct(TNewCategory& category) { return createProduct(category, FieldRecord()); }
    // The same with its fields given at once, as a file describes it. The
    // product takes the counter-made name when the fields name none, or a name
    // another product of the category already carries.
    TNewProduct& createProduct(TNewCategory& category, FieldRecord fields);
    // Gives a product the ID read from a file and raises NextProductID past it.
    void setProductID(TNewProduct& product, std::int64_t id);

    // Takes the product out of its category's list; it still names the
    // category, so that it can be put back where it was.
    std::unique_ptr<TNewProduct> removeProduct(TNewProduct& product);
    // Puts a product taken out before into a category, at row (or the end).
    void insertProduct(std::unique_ptr<TNewProduct> product, TNewCategory& category, std::size_t row);
    void destroyProduct(TNewProduct& product) { removeProduct(product); }
    // Takes the last count products off the category's list at once, in their
    // order; they still name the category. Observers hear one reset.
    std::vector<std::unique_ptr<TNewProduct>> takeLastProducts(TNewCategory& category, std::size_t count);
    // Puts products taken off before back at the end of the category's list.
    void appendProducts(TNewCategory& category, std::vector<std::unique_ptr<TNewProduct>> products);

    // Takes the category out of the tree with its sub-tree and their products;
    // it still names its parent.
    std::unique_ptr<TNewCategory> removeCategory(TNewCategory& category);
    // Puts a category taken out before under parent, at row (or the end).
    void insertCategory(std::unique_ptr<TNewCategory> category, TNewCategory& parent, std::size_t row);
    // Deletes the node with its whole sub-tree and every product in it.
    void destroyCategory(TNewCategory& category) { removeCategory(category); }

    static constexpr std::size_t atEnd = static_cast<std::size_t>(-1);
    // Makes category the child of newParent at row (or the last); refused
    // (false) onto itself or one of its own descendants, and when it would
    // stay where it is.
    bool moveCategory(TNewCategory& category, TNewCategory& newParent, std::size_t row = atEnd);
    // Moves the product into a category at row (or the end); no name check is
    // made. False when it would stay where it is.
    bool moveProduct(TNewProduct& product, TNewCategory& to, std::size_t row = atEnd);

    // 1 + the height of the root.
    int depth() const;
    // Names joined by "|" from the top level down, each the first child of
    // that name; null when any is missing.
    TNewCategory* findByPath(std::string_view path) const;
    // Back to the bare root. NextProductID keeps growing across clears.
    void clear();
    // Every level in linguistic order; products keep their order.
    void sortAlphabetically();

    // The order of the children of every node that has more than one, so that
    // a sort can be taken back.
    using ChildOrder = std::vector<std::pair<TNewCategory*, std::vector<TNewCategory*>>>;
    ChildOrder childOrder() const;
    void restoreChildOrder(const ChildOrder& order);

    std::size_t categoryCount() const { return categoryCount_; }
    std::size_t productCount() const { return productCount_; }

    void addObserver(CatalogueObserver& observer);
    void removeObserver(CatalogueObserver& observer);

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
        if (bulkDepth_ != 0)
            return;
        for (CatalogueObserver* observer : observers_)
            f(*observer);
    }

private:
    // "New Product " + the category's counter, the counter first moved past
    // the names in use.
    static std::string nextCounterName(TNewCategory& category);
    std::unique_ptr<TNewCategory> detach(TNewCategory& category);
    void attach(std::unique_ptr<TNewCategory> category, TNewCategory& parent, std::size_t row);
    // Adds sign * the categories and products of the sub-tree to the counts.
    void count(const TNewCategory& category, int sign);

    std::unique_ptr<TNewCategory> root_;
    std::vector<CatalogueObserver*> observers_;
    int bulkDepth_ = 0;
    std::size_t categoryCount_ = 0;
    std::size_t productCount_ = 0;
};

} // namespace qs
