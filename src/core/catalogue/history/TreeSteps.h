#pragma once

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/history/CatalogueStep.h"

#include <cstddef>
#include <memory>

namespace qs {

// The steps that add, delete and move records. A record taken out of the
// tree lives in its step until the step puts it back or is itself dropped.

class AddCategoryStep : public CatalogueStep {
public:
    AddCategoryStep(std::string label, TNewCategory& parent)
        : CatalogueStep(std::move(label)), parent_(parent)
    {
    }

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;
    TNewCategory& added() const { return *added_; }

private:
    TNewCategory& parent_;
    TNewCategory* added_ = nullptr;
    std::size_t row_ = 0;
    std::unique_ptr<TNewCategory> held_;
};

class DeleteCategoryStep : public CatalogueStep {
public:
    explicit DeleteCategoryStep(TNewCategory& category);

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    TNewCategory& category_;
    TNewCategory& parent_;
    std::size_t row_;
    std::unique_ptr<TNewCategory> held_;
};

class MoveCategoryStep : public CatalogueStep {
public:
    MoveCategoryStep(TNewCategory& category, TNewCategory& to);

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    TNewCategory& category_;
    TNewCategory& from_;
    std::size_t fromRow_;
    TNewCategory& to_;
    std::size_t toRow_ = Catalogue::atEnd;
};

class AddProductStep : public CatalogueStep {
public:
    explicit AddProductStep(TNewCategory& category) : CatalogueStep("New Product"), category_(category) {}

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;
    TNewProduct& added() const { return *added_; }

private:
    TNewCategory& category_;
    TNewProduct* added_ = nullptr;
    std::size_t row_ = 0;
    std::int32_t counterBefore_ = 0;
    std::int32_t counterAfter_ = 0;
    std::unique_ptr<TNewProduct> held_;
};

class DeleteProductStep : public CatalogueStep {
public:
    explicit DeleteProductStep(TNewProduct& product);

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    TNewProduct& product_;
    TNewCategory& category_;
    std::size_t row_;
    std::unique_ptr<TNewProduct> held_;
};

class MoveProductStep : public CatalogueStep {
public:
    MoveProductStep(TNewProduct& product, TNewCategory& to);

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    TNewProduct& product_;
    TNewCategory& from_;
    std::size_t fromRow_;
    TNewCategory& to_;
    std::size_t toRow_ = Catalogue::atEnd;
};

// Every level in linguistic order; undo puts back the order before.
class SortStep : public CatalogueStep {
public:
    SortStep() : CatalogueStep("Sort") {}

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    Catalogue::ChildOrder before_;
    Catalogue::ChildOrder after_;
    bool made_ = false;
};

} // namespace qs
