#pragma once

#include "core/catalogue/FieldNames.h"
#include "core/catalogue/history/CatalogueStep.h"

#include <string>

namespace qs {

// A product field set to a new value; undo puts the old one back.
class ProductFieldStep : public CatalogueStep {
public:
    ProductFieldStep(TNewProduct& product, FieldId field, std::string value);

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    TNewProduct& product_;
    FieldId field_;
    std::string value_;
    std::string old_;
};

// A category detail ("Description", "Default Price", the name) set to a new value.
class CategoryDetailStep : public CatalogueStep {
public:
    CategoryDetailStep(TNewCategory& category, std::string name, std::string value);

    bool redo(Catalogue& catalogue) override;
    void undo(Catalogue& catalogue) override;
    StepFocus focus(bool undone) const override;

private:
    TNewCategory& category_;
    std::string name_;
    std::string value_;
    std::string old_;
};

} // namespace qs
