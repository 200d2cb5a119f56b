#include "core/catalogue/history/FieldSteps.h"

#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"

namespace qs {

ProductFieldStep::ProductFieldStep(TNewProduct& product, FieldId field, std::string value)
    : CatalogueStep("Edit " + std::string(FieldNames::spelling(field))), product_(product), field_(field),
      value_(std::move(value)), old_(product.field(field))
{
}

bool ProductFieldStep::redo(Catalogue&)
{
    return old_ != value_ && product_.trySetField(field_, value_);
}

void ProductFieldStep::undo(Catalogue&)
{
    product_.trySetField(field_, old_);
}

StepFocus ProductFieldStep::focus(bool) const
{
    return {product_.Category, &product_};
}

CategoryDetailStep::CategoryDetailStep(TNewCategory& category, std::string name, std::string value)
    : CatalogueStep("Edit " + name), category_(category), name_(std::move(name)), value_(std::move(value)),
      old_(category.detail(name_))
{
}

bool CategoryDetailStep::redo(Catalogue&)
{
    return old_ != value_ && category_.setDetail(name_, value_);
}

void CategoryDetailStep::undo(Catalogue&)
{
    category_.setDetail(name_, old_);
}

StepFocus CategoryDetailStep::focus(bool) const
{
    return {&category_, nullptr};
}

} // namespace qs
