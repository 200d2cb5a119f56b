#include "core/catalogue/grids/ProductGrid.h"

#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/ShopReadableValue.h"
#include "core/catalogue/TNewCategory.h"
#include "core/catalogue/TNewProduct.h"
#include "core/fields/FieldDefinitions.h"
#include "core/text/IntegerText.h"
#include "core/text/NameValueList.h"

#include <algorithm>
#include <stdexcept>

namespace qs {

namespace {

FieldId categoryId()
{
    static const FieldId id = FieldNames::intern(categoryField);
    return id;
}

} // namespace

ProductGrid::ProductGrid(const FieldDefinitions& definitions) : definitions_(definitions)
{
    applyCustomMax(NameValueList());
}

void ProductGrid::applyCustomMax(const NameValueList& settings)
{
    int count = 0;
    try {
        count = toInt32(settings.value("CustomMax"));
    } catch (const std::exception&) {
    }
    customMax_ = std::clamp(count, 0, maximumCustomFields);
    columns_.clear();
    for (int column = 1; column < columnCount(); ++column) {
        Column c;
        c.name = definitions_.FieldNameAt(column - 1);
        if (!c.name.empty()) {
            c.id = FieldNames::intern(c.name);
            const auto at = static_cast<std::size_t>(column - 1);
            c.special = definitions_.attributeAt(at, FieldDefinitions::Type) == "Special";
            c.extensible = definitions_.attributeAt(at, FieldDefinitions::Extensible) == "Yes";
        }
        columns_.push_back(std::move(c));
    }
}

int ProductGrid::rowCount(const TNewCategory& category) const
{
    return static_cast<int>(category.productCount()) + 2;
}

const ProductGrid::Column* ProductGrid::columnAt(int column) const
{
    if (column < 1 || column >= columnCount())
        return nullptr;
    const Column& c = columns_[static_cast<std::size_t>(column - 1)];
    return c.name.empty() ? nullptr : &c;
}

std::string_view ProductGrid::field(int column) const
{
    const Column* c = columnAt(column);
    return c ? std::string_view(c->name) : std::string_view();
}

CellView ProductGrid::heading(int column) const
{
    if (column == 0)
        return {std::string(nameHeading), CellStyle::Heading};
    return {std::string(field(column)), CellStyle::Heading};
}

TNewProduct* ProductGrid::product(const TNewCategory& category, int row) const
{
    if (row < 1 || static_cast<std::size_t>(row) > category.productCount())
        return nullptr;
    return category.products()[static_cast<std::size_t>(row - 1)].get();
}

std::pair<std::string_view, bool> ProductGrid::value(const TNewProduct& product, const Column& column) const
{
    const std::string_view own = product.field(column.id);
    if (!own.empty())
        return {own, false};
    const std::string_view inherited = product.effectiveField(column.id);
    return {inherited, !inherited.empty()};
}

CellView ProductGrid::cell(const TNewCategory& category, int column, int row) const
{
    if (row == 0)
        return heading(column);
    const TNewProduct* p = product(category, row);
    if (!p)
        return {};
    if (column == 0)
        return {std::string(p->name()), CellStyle::Heading};
    const Column* c = columnAt(column);
    if (!c)
        return {};
    if (c->id == categoryId())
        return {p->Category ? p->Category->path() : std::string(), CellStyle::Plain};
    const auto [text, inherited] = value(*p, *c);
    if (c->extensible && text.find('|') != std::string_view::npos)
        return {std::string(severalText), CellStyle::Several};
    const CellStyle style = inherited    ? CellStyle::Inherited
                            : c->special ? CellStyle::Special
                                         : CellStyle::Plain;
    if (!c->special)
        return {std::string(text), style};
    if (text.empty())
        return {std::string(noneText), style};
    if (c->name == "Options")
        return {std::string(moreText), style};
    return {std::string(text), style};
}

std::string ProductGrid::note(const TNewCategory& category, int column, int row) const
{
    const TNewProduct* p = product(category, row);
    const Column* c = columnAt(column);
    if (!p || !c)
        return {};
    return unreadableValueNote(c->name, value(*p, *c).first, c->extensible);
}

bool ProductGrid::editable(const TNewCategory& category, int column, int row) const
{
    const TNewProduct* p = product(category, row);
    const Column* c = columnAt(column);
    // A product changes category by being dragged onto it in the tree.
    if (!p || !c || c->special || c->id == categoryId())
        return false;
    return !c->extensible || value(*p, *c).first.find('|') == std::string_view::npos;
}

ProductGrid::Dialog ProductGrid::dialog(int column) const
{
    const Column* c = columnAt(column);
    if (!c || c->id == categoryId())
        return Dialog::None;
    if (!c->special)
        return c->extensible ? Dialog::Inspector : Dialog::Memo;
    if (c->name == "Options")
        return Dialog::Options;
    if (c->name == pictureField)
        return Dialog::Picture;
    if (c->name == "Product Template")
        return Dialog::Template;
    return Dialog::None;
}

std::string ProductGrid::store(CatalogueChanges& changes, const TNewCategory& category, int column, int row,
                               std::string_view text) const
{
    TNewProduct* p = product(category, row);
    const Column* c = columnAt(column);
    if (!p || !c || c->id == categoryId())
        return {};
    return changes.setProductField(*p, c->name, text);
}

} // namespace qs
