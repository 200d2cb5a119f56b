#include "core/catalogue/CatalogueChanges.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/ValueRules.h"
#include "core/catalogue/history/FieldSteps.h"
#include "core/catalogue/history/TreeSteps.h"
#include "core/catalogue/history/UndoHistory.h"

namespace qs {

std::string CatalogueChanges::productFieldRefusal(const TNewProduct& product, std::string_view field,
                                                  std::string_view value) const
{
    // Passing through a cell stores what it holds: a value that changes
    // nothing is never refused.
    if (product.field(field) == value)
        return {};
    if (std::string refusal = valueRefusal(field, value); !refusal.empty())
        return refusal;
    if (field == productNameField && product.Category &&
        product.Category->hasProductNamedOtherThan(value, &product))
        return TNewProduct::duplicateNameMessage(value);
    return {};
}

std::string CatalogueChanges::setProductField(TNewProduct& product, std::string_view field,
                                              std::string_view value)
{
    if (field == productNameField && value.empty())
        return {};
    if (std::string refusal = productFieldRefusal(product, field, value); !refusal.empty())
        return refusal;
    history_.perform(
        std::make_unique<ProductFieldStep>(product, FieldNames::intern(field), std::string(value)));
    return {};
}

std::string CatalogueChanges::setProductFields(TNewProduct& product,
                                               const std::vector<std::pair<std::string, std::string>>& fields,
                                               std::string_view label)
{
    for (const auto& [field, value] : fields)
        if (std::string refusal = productFieldRefusal(product, field, value); !refusal.empty())
            return refusal;
    UndoHistory::Transaction together(history_, std::string(label));
    for (const auto& [field, value] : fields)
        if (!(field == productNameField && value.empty()))
            history_.perform(std::make_unique<ProductFieldStep>(product, FieldNames::intern(field), value));
    together.commit();
    return {};
}

std::string CatalogueChanges::setCategoryDetail(TNewCategory& category, std::string_view name,
                                                std::string_view value)
{
    if (std::string refusal = valueRefusal(name, value); !refusal.empty())
        return refusal;
    if (name == categoryNameField && value.empty())
        return {};
    history_.perform(std::make_unique<CategoryDetailStep>(category, std::string(name), std::string(value)));
    return {};
}

TNewCategory& CatalogueChanges::addCategory(TNewCategory& parent, std::string_view label)
{
    auto step = std::make_unique<AddCategoryStep>(std::string(label), parent);
    AddCategoryStep& adding = *step;
    history_.perform(std::move(step));
    return adding.added();
}

TNewProduct& CatalogueChanges::addProduct(TNewCategory& category)
{
    auto step = std::make_unique<AddProductStep>(category);
    AddProductStep& adding = *step;
    history_.perform(std::move(step));
    return adding.added();
}

void CatalogueChanges::deleteCategory(TNewCategory& category)
{
    history_.perform(std::make_unique<DeleteCategoryStep>(category));
}

void CatalogueChanges::deleteProduct(TNewProduct& product)
{
    history_.perform(std::make_unique<DeleteProductStep>(product));
}

bool CatalogueChanges::moveCategory(TNewCategory& category, TNewCategory& to)
{
    if (category.isRoot() || &category == &to || category.isAncestorOf(to))
        return false;
    return history_.perform(std::make_unique<MoveCategoryStep>(category, to));
}

std::string CatalogueChanges::moveProduct(TNewProduct& product, TNewCategory& to)
{
    if (!product.Category || product.Category == &to || to.isRoot())
        return {};
    // Two products of one name in a category would not load back as they were.
    if (to.hasProductNamedOtherThan(product.name(), nullptr))
        return TNewProduct::duplicateNameMessage(product.name());
    history_.perform(std::make_unique<MoveProductStep>(product, to));
    return {};
}

void CatalogueChanges::sort()
{
    history_.perform(std::make_unique<SortStep>());
}

} // namespace qs
