#include "core/catalogue/Catalogue.h"

#include "core/catalogue/LinguisticOrder.h"
#include "core/text/SplitText.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace qs {
namespace {

// A file may name the largest ID there is; the next one then stays there
// rather than overflow.
std::int64_t idAfter(std::int64_t id)
{
    return id < std::numeric_limits<std::int64_t>::max() ? id + 1 : id;
}

} // namespace

Catalogue::Catalogue() : root_(new TNewCategory(*this, nullptr, {})) {}

Catalogue::~Catalogue() = default;

TNewCategory& Catalogue::addCategory(TNewCategory& parent, std::string_view name)
{
    std::unique_ptr<TNewCategory> category(new TNewCategory(*this, &parent, name));
    TNewCategory& added = *category;
    insertCategory(std::move(category), parent, atEnd);
    return added;
}

TNewProduct& Catalogue::createProduct(TNewCategory& category, FieldRecord fields)
{
    if (category.isRoot())
        throw std::logic_error("Products belong to categories, not to the whole catalogue");
    auto product = std::make_unique<TNewProduct>();
    product->ID = NextProductID;
    NextProductID = idAfter(NextProductID);
    const std::string_view wanted = fields.get(FieldNames::ProductName);
    std::uint32_t hash = hashProductName(wanted);
    if (wanted.empty() || category.productNames_.containsOther(wanted, hash, nullptr)) {
        const std::string name = nextCounterName(category);
        hash = hashProductName(name);
        fields.set(FieldNames::ProductName, name);
    }
    ++category.ProductCounter;
    product->Fields = std::move(fields);
    product->nameHash_ = hash;
    TNewProduct& created = *product;
    insertProduct(std::move(product), category, atEnd);
    return created;
}

std::string Catalogue::nextCounterName(TNewCategory& category)
{
    // Two products of one name would not load back as they were: the counter
    // passes over the names a merchant or a table gave already.
    for (;; ++category.ProductCounter) {
        std::string name = "New Product " + std::to_string(category.ProductCounter);
        if (!category.productNames_.containsOther(name, hashProductName(name), nullptr))
            return name;
    }
}

void Catalogue::setProductID(TNewProduct& product, std::int64_t id)
{
    product.ID = id;
    if (id >= NextProductID)
        NextProductID = idAfter(id);
}

std::unique_ptr<TNewProduct> Catalogue::removeProduct(TNewProduct& product)
{
    TNewCategory* category = product.Category;
    if (!category)
        return nullptr;
    const auto at = category->indexOfProduct(product);
    if (at < 0)
        return nullptr;
    const auto row = static_cast<std::size_t>(at);
    notify([&](CatalogueObserver& o) { o.productAboutToBeRemoved(*category, row); });
    category->productNames_.erase(&product);
    std::unique_ptr<TNewProduct> removed = std::move(category->Products[row]);
    category->Products.erase(category->Products.begin() + at);
    --productCount_;
    notify([&](CatalogueObserver& o) { o.productRemoved(*category, row); });
    return removed;
}

void Catalogue::insertProduct(std::unique_ptr<TNewProduct> product, TNewCategory& category, std::size_t row)
{
    if (category.isRoot())
        throw std::logic_error("Products belong to categories, not to the whole catalogue");
    row = std::min(row, category.Products.size());
    notify([&](CatalogueObserver& o) { o.productAboutToBeAdded(category, row); });
    TNewProduct& inserted = *product;
    inserted.Category = &category;
    category.productNames_.insert(&inserted);
    category.Products.insert(category.Products.begin() + static_cast<std::ptrdiff_t>(row),
                             std::move(product));
    ++productCount_;
    notify([&](CatalogueObserver& o) { o.productAdded(inserted); });
}

std::vector<std::unique_ptr<TNewProduct>> Catalogue::takeLastProducts(TNewCategory& category,
                                                                      std::size_t count)
{
    BulkChange bulk(*this);
    auto& products = category.Products;
    count = std::min(count, products.size());
    const auto first = products.end() - static_cast<std::ptrdiff_t>(count);
    if (count == products.size())
        category.productNames_.clear();
    else
        for (auto it = first; it != products.end(); ++it)
            category.productNames_.erase(it->get());
    std::vector<std::unique_ptr<TNewProduct>> taken(std::make_move_iterator(first),
                                                    std::make_move_iterator(products.end()));
    products.erase(first, products.end());
    productCount_ -= count;
    return taken;
}

void Catalogue::appendProducts(TNewCategory& category, std::vector<std::unique_ptr<TNewProduct>> products)
{
    if (category.isRoot())
        throw std::logic_error("Products belong to categories, not to the whole catalogue");
    BulkChange bulk(*this);
    category.Products.reserve(category.Products.size() + products.size());
    for (auto& product : products) {
        product->Category = &category;
        category.productNames_.insert(product.get());
        category.Products.push_back(std::move(product));
    }
    productCount_ += products.size();
}

void Catalogue::count(const TNewCategory& category, int sign)
{
    // Most categories counted are new, without sub-categories: no walk for them.
    if (category.children_.empty()) {
        categoryCount_ += static_cast<std::size_t>(sign);
        productCount_ += static_cast<std::size_t>(sign) * category.Products.size();
        return;
    }
    std::vector<const TNewCategory*> pending{&category};
    while (!pending.empty()) {
        const TNewCategory* node = pending.back();
        pending.pop_back();
        categoryCount_ += static_cast<std::size_t>(sign);
        productCount_ += static_cast<std::size_t>(sign) * node->Products.size();
        for (const auto& child : node->children_)
            pending.push_back(child.get());
    }
}

std::unique_ptr<TNewCategory> Catalogue::detach(TNewCategory& category)
{
    TNewCategory& parent = *category.parent_;
    auto& siblings = parent.children_;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& child) { return child.get() == &category; });
    parent.unindexChild(&category);
    std::unique_ptr<TNewCategory> detached = std::move(*it);
    siblings.erase(it);
    return detached;
}

void Catalogue::attach(std::unique_ptr<TNewCategory> category, TNewCategory& parent, std::size_t row)
{
    TNewCategory& attached = *category;
    attached.parent_ = &parent;
    auto& children = parent.children_;
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(std::min(row, children.size())),
                    std::move(category));
    parent.indexChild(&attached);
}

std::unique_ptr<TNewCategory> Catalogue::removeCategory(TNewCategory& category)
{
    if (category.isRoot())
        throw std::logic_error("The whole catalogue cannot be deleted");
    TNewCategory& parent = *category.parent_;
    const std::size_t row = category.row();
    notify([&](CatalogueObserver& o) { o.categoryAboutToBeRemoved(category); });
    count(category, -1);
    std::unique_ptr<TNewCategory> removed = detach(category);
    notify([&](CatalogueObserver& o) { o.categoryRemoved(parent, row); });
    return removed;
}

void Catalogue::insertCategory(std::unique_ptr<TNewCategory> category, TNewCategory& parent, std::size_t row)
{
    row = std::min(row, parent.children_.size());
    notify([&](CatalogueObserver& o) { o.categoryAboutToBeAdded(parent, row); });
    TNewCategory& inserted = *category;
    count(inserted, +1);
    attach(std::move(category), parent, row);
    notify([&](CatalogueObserver& o) { o.categoryAdded(inserted); });
}

bool Catalogue::moveCategory(TNewCategory& category, TNewCategory& newParent, std::size_t row)
{
    if (category.isRoot() || &category == &newParent || category.isAncestorOf(newParent))
        return false;
    const std::size_t oldRow = category.row();
    const bool sameParent = category.parent_ == &newParent;
    const std::size_t last = newParent.children_.size() - (sameParent ? 1 : 0);
    row = std::min(row, last);
    if (sameParent && row == oldRow)
        return false;
    // Where it goes among the children as they are before it leaves.
    const std::size_t before = sameParent && row > oldRow ? row + 1 : row;
    notify([&](CatalogueObserver& o) { o.categoryAboutToBeMoved(category, newParent, before); });
    attach(detach(category), newParent, row);
    notify([&](CatalogueObserver& o) { o.categoryMoved(category); });
    return true;
}

bool Catalogue::moveProduct(TNewProduct& product, TNewCategory& to, std::size_t row)
{
    TNewCategory* from = product.Category;
    if (!from || to.isRoot())
        return false;
    const auto at = from->indexOfProduct(product);
    if (at < 0)
        return false;
    const std::size_t last = to.Products.size() - (from == &to ? 1 : 0);
    row = std::min(row, last);
    if (from == &to && row == static_cast<std::size_t>(at))
        return false;
    insertProduct(removeProduct(product), to, row);
    return true;
}

int Catalogue::depth() const
{
    return 1 + root_->height();
}

TNewCategory* Catalogue::findByPath(std::string_view path) const
{
    TNewCategory* node = root_.get();
    forEachPiece(path, '|', [&](std::string_view name) {
        if (node)
            node = node->childNamed(name);
    });
    return node == root_.get() ? nullptr : node;
}

void Catalogue::clear()
{
    notify([](CatalogueObserver& o) { o.catalogueAboutToBeReset(); });
    root_.reset(new TNewCategory(*this, nullptr, {}));
    categoryCount_ = 0;
    productCount_ = 0;
    notify([](CatalogueObserver& o) { o.catalogueReset(); });
}

void Catalogue::sortAlphabetically()
{
    notify([](CatalogueObserver& o) { o.treeAboutToBeReordered(); });
    static const LinguisticOrder order; // opening a collation is slow; one serves every sort
    // The keys of a family share one buffer, and the buffers serve every family.
    struct Keyed {
        std::size_t keyStart;
        std::size_t keyLength;
        std::unique_ptr<TNewCategory> child;
    };
    std::string keys;
    std::vector<Keyed> keyed;
    std::vector<TNewCategory*> pending{root_.get()};
    while (!pending.empty()) {
        TNewCategory* node = pending.back();
        pending.pop_back();
        auto& children = node->children_;
        if (children.size() > 1) {
            keys.clear();
            keyed.clear();
            for (auto& child : children) {
                const std::size_t start = keys.size();
                order.appendSortKey(keys, child->text());
                keyed.push_back({start, keys.size() - start, std::move(child)});
            }
            // Namesakes share their key, so the earlier key in the buffer
            // decides between them: they keep their order, and the first of
            // each name, which the index holds, stays first.
            const auto key = [&](const Keyed& k) {
                return std::string_view(keys).substr(k.keyStart, k.keyLength);
            };
            std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
                const int compared = key(a).compare(key(b));
                return compared != 0 ? compared < 0 : a.keyStart < b.keyStart;
            });
            for (std::size_t i = 0; i < children.size(); ++i)
                children[i] = std::move(keyed[i].child);
        }
        for (auto& child : children)
            pending.push_back(child.get());
    }
    notify([](CatalogueObserver& o) { o.treeReordered(); });
}

Catalogue::ChildOrder Catalogue::childOrder() const
{
    ChildOrder order;
    std::vector<TNewCategory*> pending{root_.get()};
    while (!pending.empty()) {
        TNewCategory* node = pending.back();
        pending.pop_back();
        if (node->children_.size() > 1) {
            std::vector<TNewCategory*> children;
            children.reserve(node->children_.size());
            for (const auto& child : node->children_)
                children.push_back(child.get());
            order.emplace_back(node, std::move(children));
        }
        for (const auto& child : node->children_)
            pending.push_back(child.get());
    }
    return order;
}

void Catalogue::restoreChildOrder(const ChildOrder& order)
{
    notify([](CatalogueObserver& o) { o.treeAboutToBeReordered(); });
    for (const auto& entry : order) {
        TNewCategory* node = entry.first;
        const std::vector<TNewCategory*>& wanted = entry.second;
        auto& children = node->children_;
        std::unordered_map<const TNewCategory*, std::size_t> position;
        for (std::size_t i = 0; i < wanted.size(); ++i)
            position.emplace(wanted[i], i);
        // Children the order does not know keep their place after the others.
        const std::size_t unknown = wanted.size();
        std::stable_sort(children.begin(), children.end(), [&](const auto& a, const auto& b) {
            const auto pa = position.find(a.get());
            const auto pb = position.find(b.get());
            const std::size_t ia = pa == position.end() ? unknown : pa->second;
            const std::size_t ib = pb == position.end() ? unknown : pb->second;
            return ia < ib;
        });
        node->rebuildChildIndex();
    }
    notify([](CatalogueObserver& o) { o.treeReordered(); });
}

void Catalogue::addObserver(CatalogueObserver& observer)
{
    observers_.push_back(&observer);
}

void Catalogue::removeObserver(CatalogueObserver& observer)
{
    std::erase(observers_, &observer);
}

Catalogue::BulkChange::BulkChange(Catalogue& catalogue) : catalogue_(catalogue)
{
    catalogue_.notify([](CatalogueObserver& o) { o.catalogueAboutToBeReset(); });
    ++catalogue_.bulkDepth_;
}

Catalogue::BulkChange::~BulkChange()
{
    --catalogue_.bulkDepth_;
    catalogue_.notify([](CatalogueObserver& o) { o.catalogueReset(); });
}

} // namespace qs
