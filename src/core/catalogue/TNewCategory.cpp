#include "core/catalogue/TNewCategory.h"

#include "core/catalogue/Catalogue.h"
#include "core/text/CaseFold.h"

#include <algorithm>

namespace qs {

std::string_view TNewCategory::detail(std::string_view name) const
{
    if (!equalsIgnoreCase(name, categoryNameField))
        return Details.value(name);
    return isRoot() ? std::string_view() : std::string_view(name_);
}

bool TNewCategory::setDetail(std::string_view name, std::string_view value)
{
    if (!equalsIgnoreCase(name, categoryNameField)) {
        // A category mostly has a description, a picture and a template, all
        // set as it is read: room for the three at once.
        if (Details.empty() && !value.empty())
            Details.reserve(3);
        Details.setValue(name, value);
        owner_->notify([&](CatalogueObserver& o) { o.categoryDetailChanged(*this, name); });
        return true;
    }
    if (value.empty() || isRoot())
        return false;
    if (value == text())
        return true;
    parent_->unindexChild(this);
    name_ = value;
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
    if (firstChildNamed_.empty()) {
        for (const auto& child : children_)
            if (child->text() == name)
                return child.get();
        return nullptr;
    }
    const auto it = firstChildNamed_.find(name);
    return it == firstChildNamed_.end() ? nullptr : it->second;
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
    if (firstChildNamed_.empty()) {
        if (children_.size() > searchedFamily)
            rebuildChildIndex();
        return;
    }
    const auto [it, added] = firstChildNamed_.try_emplace(child->text(), child);
    if (added || it->second == child)
        return;
    // A namesake: the one nearer the top answers.
    for (const auto& c : children_) {
        if (c.get() == it->second)
            return;
        if (c.get() == child) {
            firstChildNamed_.erase(it);
            firstChildNamed_.emplace(child->text(), child);
            return;
        }
    }
}

void TNewCategory::unindexChild(TNewCategory* child)
{
    const auto it = firstChildNamed_.find(child->text());
    if (it == firstChildNamed_.end() || it->second != child)
        return;
    firstChildNamed_.erase(it);
    // The next namesake in tree order, if any, answers now.
    for (const auto& c : children_)
        if (c.get() != child && c->text() == child->text()) {
            firstChildNamed_.emplace(c->text(), c.get());
            return;
        }
}

void TNewCategory::rebuildChildIndex()
{
    firstChildNamed_.clear();
    if (children_.size() <= searchedFamily)
        return;
    for (const auto& child : children_)
        firstChildNamed_.try_emplace(child->text(), child.get());
}

} // namespace qs
