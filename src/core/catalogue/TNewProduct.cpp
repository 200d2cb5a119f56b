#include "core/catalogue/TNewProduct.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/TNewCategory.h"
#include "core/ui/UserInterface.h"

#include <functional>

namespace qs {

std::uint32_t hashProductName(std::string_view name)
{
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

std::string_view TNewProduct::field(std::string_view name) const
{
    const auto id = FieldNames::find(name);
    return id ? Fields.get(*id) : std::string_view();
}

std::string_view TNewProduct::effectiveField(std::string_view name) const
{
    const auto id = FieldNames::find(name);
    const std::string_view own = id ? Fields.get(*id) : std::string_view();
    if (!own.empty() || !Category)
        return own;
    return Category->detail(std::string(defaultPrefix) + std::string(name));
}

std::string_view TNewProduct::effectiveField(FieldId id) const
{
    const std::string_view own = Fields.get(id);
    if (!own.empty() || !Category)
        return own;
    return Category->detail(std::string(defaultPrefix) + std::string(FieldNames::spelling(id)));
}

std::string TNewProduct::duplicateNameMessage(std::string_view name)
{
    return "Cannot change product name to " + std::string(name) +
           ":\n\rThere is already a product with this name in this category.";
}

bool TNewProduct::setField(std::string_view name, std::string_view value, UserInterface& ui)
{
    return setField(FieldNames::intern(name), value, ui);
}

bool TNewProduct::setField(FieldId id, std::string_view value, UserInterface& ui)
{
    if (trySetField(id, value))
        return true;
    ui.message(duplicateNameMessage(value), MessageKind::Warning);
    return false;
}

bool TNewProduct::trySetField(FieldId id, std::string_view value)
{
    if (id == FieldNames::ProductName) {
        if (Category && Category->hasProductNamedOtherThan(value, this))
            return false;
        setNameUnchecked(value);
    } else {
        Fields.set(id, value);
    }
    if (Category)
        Category->catalogue().notify([&](CatalogueObserver& o) { o.productFieldChanged(*this, id); });
    return true;
}

void TNewProduct::setNameUnchecked(std::string_view name)
{
    if (Category)
        Category->productNames_.erase(this);
    Fields.set(FieldNames::ProductName, name);
    nameHash_ = hashProductName(name);
    if (Category)
        Category->productNames_.insert(this);
}

} // namespace qs
