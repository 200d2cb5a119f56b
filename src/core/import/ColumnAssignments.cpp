#include "core/import/ColumnAssignments.h"

#include "core/fields/FieldDefinitions.h"

#include <algorithm>

namespace qs {

void ColumnAssignments::resize(std::size_t fieldCount, std::size_t columnCount)
{
    for (std::size_t field = fieldCount; field < columnsOf_.size(); ++field)
        for (std::size_t column : columnsOf_[field])
            fieldOf_[column] = none;
    columnsOf_.resize(fieldCount);
    for (std::size_t column = columnCount; column < fieldOf_.size(); ++column)
        if (fieldOf_[column] != none)
            std::erase(columnsOf_[fieldOf_[column]], column);
    fieldOf_.resize(columnCount, none);
}

void ColumnAssignments::clear()
{
    for (auto& columns : columnsOf_)
        columns.clear();
    std::fill(fieldOf_.begin(), fieldOf_.end(), none);
}

std::optional<std::size_t> ColumnAssignments::fieldOf(std::size_t column) const
{
    if (column >= fieldOf_.size() || fieldOf_[column] == none)
        return std::nullopt;
    return fieldOf_[column];
}

ColumnAssignments::Touched ColumnAssignments::span(std::size_t column, std::size_t field) const
{
    Touched touched{column, column};
    if (field == none)
        return touched;
    for (std::size_t other : columnsOf_[field]) {
        touched.first = std::min(touched.first, other);
        touched.second = std::max(touched.second, other);
    }
    return touched;
}

ColumnAssignments::Touched ColumnAssignments::assign(std::size_t column, std::size_t field, AssignMode mode)
{
    if (column >= fieldOf_.size() || field >= columnsOf_.size())
        return {column, column};
    const Touched before = span(column, fieldOf_[column]);
    Touched touched = span(column, field);
    touched = {std::min(before.first, touched.first), std::max(before.second, touched.second)};
    if (mode == AssignMode::Switch) {
        for (std::size_t other : columnsOf_[field])
            fieldOf_[other] = none;
        columnsOf_[field].clear();
    }
    unassign(column);
    columnsOf_[field].push_back(column);
    fieldOf_[column] = field;
    return touched;
}

ColumnAssignments::Touched ColumnAssignments::unassign(std::size_t column)
{
    if (column >= fieldOf_.size())
        return {column, column};
    const std::size_t field = fieldOf_[column];
    const Touched touched = span(column, field);
    if (field != none) {
        std::erase(columnsOf_[field], column);
        fieldOf_[column] = none;
    }
    return touched;
}

std::string ColumnAssignments::heading(std::size_t column, const FieldDefinitions& fields) const
{
    const auto field = fieldOf(column);
    if (!field)
        return "Not Specified";
    const auto& columns = columnsOf_[*field];
    const auto place = std::find(columns.begin(), columns.end(), column) - columns.begin() + 1;
    return std::string(fields.FieldNameAt(static_cast<std::ptrdiff_t>(*field))) + " (" +
           std::to_string(place) + ")";
}

} // namespace qs
