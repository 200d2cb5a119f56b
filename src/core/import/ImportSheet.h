#pragma once

#include "core/import/ColumnAssignments.h"
#include "core/import/ImportTable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qs {

class FieldDefinitions;

// What a row of the table becomes. A product row is the usual case.
enum class RowType : std::uint8_t { Product, Category, Suppress };

std::string_view rowTypeText(RowType type);

// The importer's table as the merchant prepares it: the table read from the
// file, the cells the merchant or the empty-cell pass changed, each row's
// type, the column assignments and each column's previous value. Copying it
// copies the changes, not the table, so a trial run works on a copy.
class ImportSheet {
public:
    ImportSheet() = default;
    ImportSheet(std::shared_ptr<ImportTable> table, std::size_t fieldCount);

    const ImportTable& table() const { return *table_; }
    std::size_t rowCount() const { return rowTypes_.size(); }
    std::size_t columnCount() const { return table_->columnCount(); }

    // For a sheet merged once and not read again, shared with no copy: the
    // memory of the table's rows before row goes back to the system.
    void releaseRowsBefore(std::size_t row) { table_->releaseRowsBefore(row); }

    std::string cell(std::size_t row, std::size_t column) const;
    void setCell(std::size_t row, std::size_t column, std::string value);
    bool rowHasChanges(std::size_t row) const { return changedRows_[row]; }
    // Counts the cell changes, so that a reader keeping a row's values knows
    // when to read them again.
    std::uint64_t changeCount() const { return changeCount_; }
    // A changed cell, or null.
    const std::string* changedCell(std::size_t row, std::size_t column) const;

    RowType rowType(std::size_t row) const { return rowTypes_[row]; }
    void setRowType(std::size_t row, RowType type) { rowTypes_[row] = type; }
    void setRowTypes(std::size_t first, std::size_t last, RowType type);
    std::size_t rowsOfType(RowType type) const;

    ColumnAssignments& assignments() { return assignments_; }
    const ColumnAssignments& assignments() const { return assignments_; }

    // The last non-empty value the empty-cell pass saw in each column; kept
    // from one merge to the next until another table is loaded.
    std::string& previousValue(std::size_t column) { return previous_[column]; }

    // The first row holds the field names: it is not imported, and each
    // column whose first cell names a field (in any case) takes that field,
    // in place of the columns the field had.
    void useFirstRowAsHeadings(const FieldDefinitions& fields);

private:
    std::uint64_t key(std::size_t row, std::size_t column) const { return row * columnCount() + column; }

    std::shared_ptr<ImportTable> table_ = std::make_shared<ImportTable>();
    std::unordered_map<std::uint64_t, std::string> changes_;
    std::uint64_t changeCount_ = 0;
    std::vector<bool> changedRows_;
    std::vector<RowType> rowTypes_;
    ColumnAssignments assignments_;
    std::vector<std::string> previous_;
};

// The values of one row's cells, changes included, read once: the view
// of a merge or a pass that visits every row. Valid until the next read.
class RowCells {
public:
    explicit RowCells(const ImportSheet& sheet) : sheet_(sheet) {}

    void read(std::size_t row);
    // The sheet's changed value of a cell of the row read, after a change.
    void refresh(std::size_t column);
    // Empty past the end of the row.
    std::string_view operator[](std::size_t column) const
    {
        return column < values_.size() ? values_[column] : std::string_view();
    }

private:
    const ImportSheet& sheet_;
    std::size_t row_ = 0;
    std::vector<std::string_view> raw_;
    std::vector<std::string_view> values_;
    std::vector<std::string> decoded_;
};

} // namespace qs
