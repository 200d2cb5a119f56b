#include "core/catalogue/history/ImportStep.h"

#include "core/catalogue/Catalogue.h"

namespace qs {

bool ImportStep::redo(Catalogue& catalogue)
{
    if (!made_) {
        made_ = true;
        return true;
    }
    if (empty())
        return false;
    Catalogue::BulkChange bulk(catalogue);
    for (Created& created : created_)
        if (created.held)
            catalogue.insertCategory(std::move(created.held), *created.parent, created.row);
    for (Extended& extended : extended_) {
        catalogue.appendProducts(*extended.category, std::move(extended.held));
        extended.held.clear();
        extended.category->ProductCounter = extended.counterAfter;
    }
    return true;
}

void ImportStep::undo(Catalogue& catalogue)
{
    if (empty())
        return;
    Catalogue::BulkChange bulk(catalogue);
    for (Extended& extended : extended_) {
        TNewCategory& category = *extended.category;
        extended.counterAfter = category.ProductCounter;
        extended.held =
            catalogue.takeLastProducts(category, category.productCount() - extended.productsBefore);
        category.ProductCounter = extended.counterBefore;
    }
    // Last first; a category created inside another created one goes with it.
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
        if (!createdSet_.contains(it->parent))
            it->held = catalogue.removeCategory(*it->category);
}

StepFocus ImportStep::focus(bool) const
{
    return {&into_, nullptr};
}

TNewCategory& ImportStep::addCategory(Catalogue& catalogue, TNewCategory& parent, std::string_view name)
{
    TNewCategory& category = catalogue.addCategory(parent, name);
    created_.push_back({&category, &parent, parent.children().size() - 1, nullptr});
    createdSet_.insert(&category);
    return category;
}

TNewProduct& ImportStep::addProduct(Catalogue& catalogue, TNewCategory& category, FieldRecord fields)
{
    if (&category != lastCategory_) {
        if (!createdSet_.contains(&category) && !extendedIndex_.contains(&category)) {
            extendedIndex_.emplace(&category, extended_.size());
            extended_.push_back({&category, category.productCount(), category.ProductCounter, 0, {}});
        }
        lastCategory_ = &category;
    }
    TNewProduct& product = catalogue.createProduct(category, std::move(fields));
    ++productsAdded_;
    return product;
}

} // namespace qs
