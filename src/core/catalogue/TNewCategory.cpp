#include "core/catalogue/TNewCategory.h"

#include "core/catalogue/Catalogue.h"
#include "core/text/CaseFold.h"

#include <algorithm>

namespace qs {

std::string_view TNewCategory::text() const
{
    return isRoot() ? rootText : Details.value(categoryNameField);
}

bool TNewCategory::setDetail(std::string_view name, std::string_view value)
{
    if (!equalsIgnoreCase(name, categoryNameField)) {
        Details.setValue(name, value);
        owner_->notify([&](CatalogueObserver& o) { o.categoryDetailChanged(*this, name); });
        return true;
    }
    if (value.empty() || isRoot())
        return false;
    if (value == text())
        return true;
    parent_->unindexChild(this);
    Details.setValue(name, value);
    parent_->indexChild(this);
    owner_->notify([&](CatalogueObserver& o) {
        o.categoryRenamed(*this);
        o.categoryDetailChanged(*this, name);
    });
    return true;
}

std::ptrdiff_t TNewCategory::indexOfProduct(const TNewProduct& product) const
{
    // From the back: the product just created is the one most often looked for.
    for (std::size_t i = Products.size(); i-- > 0;)
        if (Products[i].get() == &product)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

bool TNewCategory::hasProductNamedOtherThan(std::string_view name, const TNewProduct* except) const
{
    return productNames_.containsOther(name, hashProductName(name), except);
}

std::size_t TNewCategory::row() const
{
    if (!parent_)
        return 0;
    const auto& siblings = parent_->children_;
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return i;
    return 0;
}

TNewCategory* TNewCategory::childNamed(std::string_view name) const
{
    const auto it = childrenByName_.find(std::string(name));
    return it == childrenByName_.end() || it->second.empty() ? nullptr : it->second.front();
}

bool TNewCategory::isAncestorOf(const TNewCategory& other) const
{
    for (const TNewCategory* node = other.parent_; node; node = node->parent_)
        if (node == this)
            return true;
    return false;
}

std::string TNewCategory::path() const
{
    std::vector<std::string_view> names;
    for (const TNewCategory* node = this; node && !node->isRoot(); node = node->parent_)
        names.push_back(node->text());
    std::string result;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!result.empty())
            result.push_back('|');
        result.append(*it);
    }
    return result;
}

TNewCategory::~TNewCategory()
{
    // Dismantled without recursion, so that no depth of tree can exhaust the stack.
    std::vector<std::unique_ptr<TNewCategory>> pending = std::move(children_);
    while (!pending.empty()) {
        std::unique_ptr<TNewCategory> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children_)
            pending.push_back(std::move(child));
        node->children_.clear();
    }
}

int TNewCategory::height() const
{
    int greatest = 0;
    std::vector<std::pair<const TNewCategory*, int>> pending{{this, 0}};
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        greatest = std::max(greatest, level);
        for (const auto& child : node->children_)
            pending.emplace_back(child.get(), level + 1);
    }
    return greatest;
}

void TNewCategory::indexChild(TNewCategory* child)
{
    auto& sameName = childrenByName_[std::string(child->text())];
    if (sameName.empty() || children_.back().get() == child) {
        sameName.push_back(child);
        return;
    }
    // A rename among namesakes: keep the list in tree order.
    sameName.push_back(child);
    std::vector<TNewCategory*> ordered;
    for (const auto& c : children_)
        if (std::find(sameName.begin(), sameName.end(), c.get()) != sameName.end())
            ordered.push_back(c.get());
    sameName = std::move(ordered);
}

void TNewCategory::unindexChild(TNewCategory* child)
{
    const auto it = childrenByName_.find(std::string(child->text()));
    if (it == childrenByName_.end())
        return;
    std::erase(it->second, child);
    if (it->second.empty())
        childrenByName_.erase(it);
}

void TNewCategory::rebuildChildIndex()
{
    childrenByName_.clear();
    for (const auto& child : children_)
        childrenByName_[std::string(child->text())].push_back(child.get());
}

} // namespace qs
