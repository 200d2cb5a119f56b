#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qs {

class FieldDefinitions;

// How a column joins a field that already has columns: it replaces them, or
// it is added after them (their values are then joined in this order).
enum class AssignMode { Switch, Add };

// Which table columns feed which product field: for every field definition,
// in the definitions' order, its columns in the order they were assigned. A
// column belongs to at most one field; a field may have any number of
// columns. Columns are the table's data columns, counted from 0.
class ColumnAssignments {
public:
    ColumnAssignments() = default;
    ColumnAssignments(std::size_t fieldCount, std::size_t columnCount) { resize(fieldCount, columnCount); }

    // Keeps the assignments that still fit.
    void resize(std::size_t fieldCount, std::size_t columnCount);
    void clear();
    std::size_t fieldCount() const { return columnsOf_.size(); }
    std::size_t columnCount() const { return fieldOf_.size(); }

    const std::vector<std::size_t>& columnsOf(std::size_t field) const { return columnsOf_[field]; }
    std::optional<std::size_t> fieldOf(std::size_t column) const;

    // The columns whose headings a change may have altered, first and last.
    using Touched = std::pair<std::size_t, std::size_t>;
    // Takes the column from its field, if any, and appends it to field's
    // columns; Switch first takes every other column from field. A column or
    // field that does not exist changes nothing.
    Touched assign(std::size_t column, std::size_t field, AssignMode mode);
    Touched unassign(std::size_t column);

    // "Not Specified", or the field's name and the column's place among the
    // field's columns: "Description (2)".
    std::string heading(std::size_t column, const FieldDefinitions& fields) const;

    static constexpr std::size_t none = static_cast<std::size_t>(-1);

private:
    Touched span(std::size_t column, std::size_t field) const;

    std::vector<std::vector<std::size_t>> columnsOf_;
    std::vector<std::size_t> fieldOf_; // none when unassigned
};

} // namespace qs
