#include "core/import/ImportMerge.h"

#include "core/catalogue/Catalogue.h"
#include "core/catalogue/RenamedProducts.h"
#include "core/catalogue/ValueRules.h"
#include "core/catalogue/history/ImportStep.h"
#include "core/fields/FieldDefinitions.h"
#include "core/import/ImportedPictures.h"
#include "core/import/PriceText.h"
#include "core/import/RejectLog.h"
#include "core/import/RowRefused.h"
#include "core/text/SplitText.h"

#include <algorithm>
#include <map>

namespace qs {
namespace {

// Empty, or made only of blanks: no name for a category.
bool isBlank(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// A path's names, blank ones passed over; views into text.
void splitPath(std::string_view text, std::vector<std::string_view>& names)
{
    for (std::string_view name : SplitText(text, '|'))
        if (!isBlank(name))
            names.push_back(name);
}

// Whether the value holds a character the catalogue file gives a meaning: only
// such a value can be refused, and most values are passed at a glance.
bool holdsSeparators(std::string_view value)
{
    return std::any_of(value.begin(), value.end(),
                       [](char c) { return c == ':' || c == '|' || c == '\r' || c == '\n'; });
}

} // namespace

ImportMerge::ImportMerge(const ImportSheet& sheet, const FieldDefinitions& fields, Catalogue& catalogue,
                         ImportStep& step, TNewCategory& selected, RenamedProducts& renamed,
                         RejectLog& rejects, ImportedPictures& pictures)
    : sheet_(sheet), catalogue_(catalogue), step_(step), renamed_(renamed), rejects_(rejects),
      pictures_(pictures), placement_(catalogue, step, selected)
{
    const ColumnAssignments& assignments = sheet_.assignments();
    std::map<FieldId, std::size_t> lastOfName;
    for (std::size_t f = 0; f < assignments.fieldCount(); ++f) {
        const std::string_view name = fields.FieldNameAt(static_cast<std::ptrdiff_t>(f));
        const Kind kind = name == productNameField ? Kind::Name
                          : name == "Price"        ? Kind::Price
                          : name == categoryField  ? Kind::Category
                          : name == pictureField   ? Kind::Picture
                                                   : Kind::Other;
        fields_.push_back({std::string(name), kind, &assignments.columnsOf(f)});
        hasCategoryColumn_ =
            hasCategoryColumn_ || (kind == Kind::Category && !assignments.columnsOf(f).empty());
        if (kind != Kind::Category && !name.empty())
            lastOfName[FieldNames::intern(name)] = f;
    }
    recordOrder_.assign(lastOfName.begin(), lastOfName.end());
    values_.resize(fields_.size());
}

void ImportMerge::mergeRow(std::size_t row, const RowCells& cells)
{
    switch (sheet_.rowType(row)) {
    case RowType::Suppress:
        return;
    case RowType::Category:
        setCategory(cells);
        return;
    case RowType::Product:
        try {
            addProduct(row, cells);
        } catch (const RowRefused& refusal) {
            rejects_.notAdded(row, refusal.what());
        }
        return;
    }
}

void ImportMerge::setCategory(const RowCells& cells)
{
    for (std::size_t column = sheet_.columnCount(); column-- > 0;) {
        if (!isBlank(cells[column])) {
            currentText_.assign(cells[column]);
            current_.clear();
            splitPath(currentText_, current_);
            return;
        }
    }
}

bool ImportMerge::buildValues(std::size_t row, const RowCells& cells)
{
    path_.clear();
    bool anyValue = false;
    for (std::size_t f = 0; f < fields_.size(); ++f) {
        const Field& field = fields_[f];
        std::string& value = values_[f];
        value.clear();
        for (const std::size_t column : *field.columns) {
            std::string_view text = cells[column];
            PriceText price;
            if (field.kind == Kind::Category) {
                splitPath(text, path_);
                anyValue = anyValue || !text.empty();
                continue;
            }
            if (text.empty())
                continue;
            if (field.kind == Kind::Price) {
                price = reducePrice(text);
                if (price.questionable)
                    rejects_.questionablePrice({row, column}, text);
                text = price.value;
            }
            if (!value.empty())
                value.push_back(field.kind == Kind::Name ? ' ' : '|');
            value.append(text);
            anyValue = true;
        }
        if (field.kind == Kind::Picture && !value.empty())
            value = pictures_.stored(value);
    }
    return anyValue;
}

void ImportMerge::refuseWhatTheFileCannotHold() const
{
    for (const auto& [id, f] : recordOrder_) {
        if (!holdsSeparators(values_[f]))
            continue;
        if (const std::string refusal = valueRefusal(fields_[f].name, values_[f]); !refusal.empty())
            throw RowRefused("the \"" + fields_[f].name + "\" value: " + refusal);
    }
}

FieldRecord ImportMerge::record()
{
    for (const auto& [id, f] : recordOrder_)
        builder_.add(id, values_[f]);
    return builder_.finish();
}

void ImportMerge::addProduct(std::size_t row, const RowCells& cells)
{
    if (!buildValues(row, cells))
        return;
    refuseWhatTheFileCannotHold();
    TNewCategory& category = placement_.place(hasCategoryColumn_ && !path_.empty() ? path_ : current_);
    const bool named = !recordOrder_.empty() && recordOrder_.front().first == FieldNames::ProductName;
    const std::string_view wanted = named ? std::string_view(values_[recordOrder_.front().second]) : "";
    const TNewProduct& product = step_.addProduct(catalogue_, category, record());
    if (!wanted.empty() && product.name() != wanted)
        renamed_.duplicate(wanted, product);
}

} // namespace qs
