#include "catalogue/Catalogue.h"

#include "catalogue/LinguisticOrder.h"
#include "text/SplitText.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace qs {
namespace {

// A file may name the largest ID there is; the next one then stays there
// rather than overflow.
std::int64_t idAfter(std::int64_t id)
{
    return id < std::numeric_limits<std::int64_t>::max() ? id + 1 : id;
}

} // namespace

Catalogue::Catalogue() : root_(new TNewCategory(*this, nullptr)) {}

Catalogue::~Catalogue() = default;

TNewCategory& Catalogue::addCategory(TNewCategory& parent, std::string_view name)
{
    notify([&](CatalogueObserver& o) { o.categoryAboutToBeAdded(parent, parent.children_.size()); });
    std::unique_ptr<TNewCategory> category(new TNewCategory(*this, &parent));
    category->Details.setValue(categoryNameField, name);
    TNewCategory& added = *category;
    parent.children_.push_back(std::move(category));
    parent.indexChild(&added);
    ++categoryCount_;
    notify([&](CatalogueObserver& o) { o.categoryAdded(added); });
    return added;
}

TNewProduct& Catalogue::createProduct(TNewCategory& category, FieldRecord fields)
{
    if (category.isRoot())
        throw std::logic_error("Products belong to categories, not to the whole catalogue");
    auto product = std::make_unique<TNewProduct>();
    product->ID = NextProductID;
    NextProductID = idAfter(NextProductID);
    product->Category = &category;
    const std::string_view wanted = fields.get(FieldNames::ProductName);
    std::uint32_t hash = hashProductName(wanted);
    if (wanted.empty() || category.productNames_.containsOther(wanted, hash, nullptr)) {
        fields.set(FieldNames::ProductName, "New Product " + std::to_string(category.ProductCounter));
        hash = hashProductName(fields.get(FieldNames::ProductName));
    }
    ++category.ProductCounter;
    product->Fields = std::move(fields);
    product->nameHash_ = hash;
    category.productNames_.insert(product.get());
    TNewProduct& created = *product;
    category.Products.push_back(std::move(product));
    ++productCount_;
    notify([&](CatalogueObserver& o) { o.productsChanged(category); });
    return created;
}

void Catalogue::setProductID(TNewProduct& product, std::int64_t id)
{
    product.ID = id;
    if (id >= NextProductID)
        NextProductID = idAfter(id);
}

void Catalogue::destroyProduct(TNewProduct& product)
{
    TNewCategory* category = product.Category;
    if (!category)
        return;
    const auto at = category->indexOfProduct(product);
    if (at < 0)
        return;
    category->productNames_.erase(&product);
    category->Products.erase(category->Products.begin() + at);
    --productCount_;
    notify([&](CatalogueObserver& o) { o.productsChanged(*category); });
}

void Catalogue::forgetSubtree(const TNewCategory& category)
{
    std::vector<const TNewCategory*> pending{&category};
    while (!pending.empty()) {
        const TNewCategory* node = pending.back();
        pending.pop_back();
        --categoryCount_;
        productCount_ -= node->Products.size();
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

void Catalogue::destroyCategory(TNewCategory& category)
{
    if (category.isRoot())
        throw std::logic_error("The whole catalogue cannot be deleted");
    TNewCategory& parent = *category.parent_;
    const std::size_t row = category.row();
    notify([&](CatalogueObserver& o) { o.categoryAboutToBeRemoved(category); });
    forgetSubtree(category);
    std::unique_ptr<TNewCategory> doomed = detach(category);
    doomed.reset();
    notify([&](CatalogueObserver& o) { o.categoryRemoved(parent, row); });
}

bool Catalogue::moveCategory(TNewCategory& category, TNewCategory& newParent)
{
    if (category.isRoot() || &category == &newParent || category.isAncestorOf(newParent))
        return false;
    notify([&](CatalogueObserver& o) { o.categoryAboutToBeMoved(category, newParent); });
    std::unique_ptr<TNewCategory> moving = detach(category);
    moving->parent_ = &newParent;
    newParent.children_.push_back(std::move(moving));
    newParent.indexChild(&category);
    notify([&](CatalogueObserver& o) { o.categoryMoved(category); });
    return true;
}

void Catalogue::moveProduct(TNewProduct& product, TNewCategory& to)
{
    TNewCategory* from = product.Category;
    if (!from || from == &to || to.isRoot())
        return;
    const auto at = from->indexOfProduct(product);
    if (at < 0)
        return;
    std::unique_ptr<TNewProduct> moving = std::move(from->Products[static_cast<std::size_t>(at)]);
    from->Products.erase(from->Products.begin() + at);
    from->productNames_.erase(&product);
    product.Category = &to;
    to.productNames_.insert(&product);
    to.Products.push_back(std::move(moving));
    notify([&](CatalogueObserver& o) {
        o.productsChanged(*from);
        o.productsChanged(to);
    });
}

int Catalogue::depth() const
{
    return 1 + root_->height();
}

TNewCategory* Catalogue::findByPath(std::string_view path) const
{
    TNewCategory* node = root_.get();
    for (std::string_view name : SplitText(path, '|')) {
        node = node->childNamed(name);
        if (!node)
            return nullptr;
    }
    return node == root_.get() ? nullptr : node;
}

void Catalogue::clear()
{
    notify([](CatalogueObserver& o) { o.catalogueAboutToBeReset(); });
    root_.reset(new TNewCategory(*this, nullptr));
    categoryCount_ = 0;
    productCount_ = 0;
    notify([](CatalogueObserver& o) { o.catalogueReset(); });
}

void Catalogue::sortAlphabetically()
{
    notify([](CatalogueObserver& o) { o.treeAboutToBeReordered(); });
    static const LinguisticOrder order; // opening a collation is slow; one serves every sort
    std::vector<TNewCategory*> pending{root_.get()};
    while (!pending.empty()) {
        TNewCategory* node = pending.back();
        pending.pop_back();
        auto& children = node->children_;
        if (children.size() > 1) {
            std::vector<std::pair<std::string, std::unique_ptr<TNewCategory>>> keyed;
            keyed.reserve(children.size());
            for (auto& child : children)
                keyed.emplace_back(order.sortKey(child->text()), std::move(child));
            std::stable_sort(keyed.begin(), keyed.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = 0; i < children.size(); ++i)
                children[i] = std::move(keyed[i].second);
            node->rebuildChildIndex();
        }
        for (auto& child : children)
            pending.push_back(child.get());
    }
    notify([](CatalogueObserver& o) { o.treeReordered(); });
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
