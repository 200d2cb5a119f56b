#include "core/catalogue/grids/CategoryGrid.h"

#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/FieldNames.h"
#include "core/catalogue/ShopReadableValue.h"
#include "core/catalogue/TNewCategory.h"
#include "core/fields/FieldDefinitions.h"

namespace qs {
namespace {

// A default row names its field after "Default ", at most 40 characters of
// it: a longer name finds no definition, and its row is a text row.
constexpr std::size_t fieldNameLimit = 40;

} // namespace

void CategoryGrid::fill()
{
    rows_.clear();
    rows_.push_back({std::string(headingLabel), Kind::Heading, Dialog::None});
    for (const std::string_view name : CatList) {
        const bool file = name == pictureField || name == templateField;
        const Dialog dialog = name == pictureField    ? Dialog::Picture
                              : name == templateField ? Dialog::Template
                                                      : Dialog::None;
        rows_.push_back({std::string(name), file ? Kind::File : Kind::Text, dialog});
    }
    for (std::size_t i = 0; i < definitions_.count(); ++i) {
        const std::string_view name = definitions_.FieldNameAt(static_cast<std::ptrdiff_t>(i));
        if (definitions_.attributeAt(i, FieldDefinitions::Unique) != "No" || name == categoryField)
            continue;
        const std::string field(name.substr(0, fieldNameLimit));
        const bool special = definitions_.FieldAttribute(field, FieldDefinitions::Type) == "Special";
        Dialog dialog = Dialog::None;
        if (special && field == pictureField)
            dialog = Dialog::Picture;
        else if (special && field == "Product Template")
            dialog = Dialog::Template;
        else if (special && field == "Options")
            dialog = Dialog::Options;
        rows_.push_back({std::string(defaultPrefix) + std::string(name),
                         special ? Kind::SpecialDefault : Kind::Text, dialog});
    }
}

const std::string& CategoryGrid::label(int row) const
{
    static const std::string none;
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].label : none;
}

CategoryGrid::Kind CategoryGrid::kind(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].kind : Kind::Heading;
}

CategoryGrid::Dialog CategoryGrid::dialog(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].dialog : Dialog::None;
}

CellView CategoryGrid::cell(const TNewCategory& category, int column, int row) const
{
    if (column == 0 || row < 0 || row >= rowCount())
        return {label(row), CellStyle::Heading};
    if (row == 0)
        return {std::string(category.text()), CellStyle::Heading};
    const std::string value(category.detail(label(row)));
    if (kind(row) == Kind::File || kind(row) == Kind::SpecialDefault)
        return {value.empty() ? std::string(noneText) : value, CellStyle::Special};
    return {value, CellStyle::Plain};
}

bool CategoryGrid::editable(int column, int row) const
{
    return column == 1 && kind(row) == Kind::Text;
}

std::string CategoryGrid::dialogValue(const TNewCategory& category, int row) const
{
    return std::string(category.detail(label(row)));
}

std::string CategoryGrid::note(const TNewCategory& category, int row) const
{
    const std::string& name = label(row);
    if (row < 1 || !name.starts_with(defaultPrefix))
        return {};
    const std::string_view field = std::string_view(name).substr(defaultPrefix.size());
    const bool perType = definitions_.FieldAttribute(field, FieldDefinitions::Extensible) == "Yes";
    return unreadableValueNote(field, category.detail(name), perType);
}

CategoryGrid::Stored CategoryGrid::store(CatalogueChanges& changes, TNewCategory& category, int row,
                                         std::string_view text) const
{
    if (row <= 0 || row >= rowCount())
        return {};
    const std::string& name = label(row);
    if (name == categoryNameField && text.empty())
        return {};
    if (std::string refusal = changes.setCategoryDetail(category, name, text); !refusal.empty())
        return {false, std::move(refusal)};
    return {true, {}};
}

} // namespace qs
