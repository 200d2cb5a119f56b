#include "core/import/ImportSheet.h"

#include "core/fields/FieldDefinitions.h"

#include <algorithm>
#include <vector>

namespace qs {

std::string_view rowTypeText(RowType type)
{
    switch (type) {
    case RowType::Category:
        return "Category";
    case RowType::Suppress:
        return "Suppress";
    case RowType::Product:
        break;
    }
    return "Product";
}

ImportSheet::ImportSheet(std::shared_ptr<ImportTable> table, std::size_t fieldCount)
    : table_(std::move(table)), changedRows_(table_->rowCount()), rowTypes_(table_->rowCount()),
      assignments_(fieldCount, table_->columnCount()), previous_(table_->columnCount())
{
}

std::string ImportSheet::cell(std::size_t row, std::size_t column) const
{
    if (const std::string* changed = changedCell(row, column))
        return *changed;
    return table_->cell(row, column);
}

const std::string* ImportSheet::changedCell(std::size_t row, std::size_t column) const
{
    if (!changedRows_[row])
        return nullptr;
    const auto it = changes_.find(key(row, column));
    return it == changes_.end() ? nullptr : &it->second;
}

void ImportSheet::setCell(std::size_t row, std::size_t column, std::string value)
{
    changes_[key(row, column)] = std::move(value);
    changedRows_[row] = true;
    ++changeCount_;
}

void ImportSheet::setRowTypes(std::size_t first, std::size_t last, RowType type)
{
    for (std::size_t row = first; row <= last && row < rowTypes_.size(); ++row)
        rowTypes_[row] = type;
}

std::size_t ImportSheet::rowsOfType(RowType type) const
{
    return static_cast<std::size_t>(std::count(rowTypes_.begin(), rowTypes_.end(), type));
}

void ImportSheet::useFirstRowAsHeadings(const FieldDefinitions& fields)
{
    if (rowCount() == 0)
        return;
    rowTypes_[0] = RowType::Suppress;
    std::vector<bool> named(assignments_.fieldCount());
    for (std::size_t column = 0; column < columnCount(); ++column) {
        const std::ptrdiff_t field = fields.FieldIndex(cell(0, column));
        if (field < 0 || static_cast<std::size_t>(field) >= named.size())
            continue;
        const auto f = static_cast<std::size_t>(field);
        assignments_.assign(column, f, named[f] ? AssignMode::Add : AssignMode::Switch);
        named[f] = true;
    }
}

void RowCells::read(std::size_t row)
{
    row_ = row;
    sheet_.table().rawFields(row, raw_);
    const std::size_t count = std::max(raw_.size(), sheet_.rowHasChanges(row) ? sheet_.columnCount() : 0);
    values_.assign(count, std::string_view());
    if (decoded_.size() < count)
        decoded_.resize(count);
    for (std::size_t column = 0; column < count; ++column) {
        if (const std::string* changed = sheet_.changedCell(row, column))
            values_[column] = *changed;
        else if (column < raw_.size())
            values_[column] = fieldValue(raw_[column], decoded_[column]);
    }
}

void RowCells::refresh(std::size_t column)
{
    if (const std::string* changed = sheet_.changedCell(row_, column)) {
        if (column >= values_.size())
            values_.resize(column + 1);
        values_[column] = *changed;
    }
}

} // namespace qs
