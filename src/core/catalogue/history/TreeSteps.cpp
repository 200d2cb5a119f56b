#include "core/catalogue/history/TreeSteps.h"

namespace qs {

// ------------------------------------------------------------------ categories

bool AddCategoryStep::redo(Catalogue& catalogue)
{
    if (held_) {
        catalogue.insertCategory(std::move(held_), parent_, row_);
    } else {
        added_ = &catalogue.addCategory(parent_);
        row_ = added_->row();
    }
    return true;
}

void AddCategoryStep::undo(Catalogue& catalogue)
{
    held_ = catalogue.removeCategory(*added_);
}

StepFocus AddCategoryStep::focus(bool undone) const
{
    return {undone ? &parent_ : added_, nullptr};
}

DeleteCategoryStep::DeleteCategoryStep(TNewCategory& category)
    : CatalogueStep("Delete Category"), category_(category), parent_(*category.parent()), row_(category.row())
{
}

bool DeleteCategoryStep::redo(Catalogue& catalogue)
{
    row_ = category_.row();
    held_ = catalogue.removeCategory(category_);
    return true;
}

void DeleteCategoryStep::undo(Catalogue& catalogue)
{
    catalogue.insertCategory(std::move(held_), parent_, row_);
}

StepFocus DeleteCategoryStep::focus(bool undone) const
{
    return {undone ? &category_ : &parent_, nullptr};
}

MoveCategoryStep::MoveCategoryStep(TNewCategory& category, TNewCategory& to)
    : CatalogueStep("Move Category"), category_(category), from_(*category.parent()),
      fromRow_(category.row()), to_(to)
{
}

bool MoveCategoryStep::redo(Catalogue& catalogue)
{
    return catalogue.moveCategory(category_, to_, toRow_);
}

void MoveCategoryStep::undo(Catalogue& catalogue)
{
    toRow_ = category_.row();
    catalogue.moveCategory(category_, from_, fromRow_);
}

StepFocus MoveCategoryStep::focus(bool) const
{
    return {&category_, nullptr};
}

// ------------------------------------------------------------------ products

bool AddProductStep::redo(Catalogue& catalogue)
{
    if (held_) {
        catalogue.insertProduct(std::move(held_), category_, row_);
        category_.ProductCounter = counterAfter_;
    } else {
        counterBefore_ = category_.ProductCounter;
        added_ = &catalogue.createProduct(category_);
        row_ = category_.productCount() - 1;
    }
    return true;
}

void AddProductStep::undo(Catalogue& catalogue)
{
    held_ = catalogue.removeProduct(*added_);
    // The counter may have passed over names in use: redo puts back where it stood.
    counterAfter_ = category_.ProductCounter;
    category_.ProductCounter = counterBefore_;
}

StepFocus AddProductStep::focus(bool undone) const
{
    return {&category_, undone ? nullptr : added_};
}

DeleteProductStep::DeleteProductStep(TNewProduct& product)
    : CatalogueStep("Delete Product"), product_(product), category_(*product.Category),
      row_(static_cast<std::size_t>(category_.indexOfProduct(product)))
{
}

bool DeleteProductStep::redo(Catalogue& catalogue)
{
    row_ = static_cast<std::size_t>(category_.indexOfProduct(product_));
    held_ = catalogue.removeProduct(product_);
    return held_ != nullptr;
}

void DeleteProductStep::undo(Catalogue& catalogue)
{
    catalogue.insertProduct(std::move(held_), category_, row_);
}

StepFocus DeleteProductStep::focus(bool undone) const
{
    return {&category_, undone ? &product_ : nullptr};
}

MoveProductStep::MoveProductStep(TNewProduct& product, TNewCategory& to)
    : CatalogueStep("Move Product"), product_(product), from_(*product.Category),
      fromRow_(static_cast<std::size_t>(from_.indexOfProduct(product))), to_(to)
{
}

bool MoveProductStep::redo(Catalogue& catalogue)
{
    return catalogue.moveProduct(product_, to_, toRow_);
}

void MoveProductStep::undo(Catalogue& catalogue)
{
    toRow_ = static_cast<std::size_t>(to_.indexOfProduct(product_));
    catalogue.moveProduct(product_, from_, fromRow_);
}

StepFocus MoveProductStep::focus(bool undone) const
{
    return {undone ? &from_ : &to_, &product_};
}

// ------------------------------------------------------------------ sorting

bool SortStep::redo(Catalogue& catalogue)
{
    if (made_) {
        catalogue.restoreChildOrder(after_);
        return true;
    }
    before_ = catalogue.childOrder();
    catalogue.sortAlphabetically();
    after_ = catalogue.childOrder();
    made_ = true;
    return after_ != before_;
}

void SortStep::undo(Catalogue& catalogue)
{
    catalogue.restoreChildOrder(before_);
}

StepFocus SortStep::focus(bool) const
{
    return {};
}

} // namespace qs
