#pragma once

#include "core/import/TableBytes.h"
#include "core/import/TableEncoding.h"
#include "core/import/TableSplitter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

// A delimited table as the importer reads it: the file's bytes held once, in
// Windows-1252, with where each row begins. Cells are split out of their row
// and decoded only when they are asked for, so a table of a million rows
// costs little more than its bytes. It never changes once read; the merchant's
// edits live beside it (ImportSheet).
class ImportTable {
public:
    ImportTable() = default;
    // A table file's bytes as read, in whatever encoding they came.
    ImportTable(std::string_view bytes, char delimiter);
    ImportTable(TableBytes bytes, char delimiter);

    // Reads a table file, split at commas when its extension is "csv" (in any
    // case) and at TABs otherwise. Throws FileError when it cannot be read.
    static ImportTable read(const std::string& path);
    static char delimiterFor(std::string_view path);

    std::size_t rowCount() const { return rowStarts_.size(); }
    std::size_t columnCount() const { return columnCount_; }
    char delimiter() const { return delimiter_; }
    TableEncoding encoding() const { return encoding_; }

    // The raw fields of a row, as they stand in the file (see fieldValue).
    void rawFields(std::size_t row, std::vector<std::string_view>& fields) const;
    // One cell's value; empty past the end of its row.
    std::string cell(std::size_t row, std::size_t column) const;

    // For a reader that will not come back to them: the memory of the rows
    // before row goes back to the system; they must not be read again.
    void releaseRowsBefore(std::size_t row);

    // What the merchant should hear about the reading: characters the
    // catalogue cannot hold, a table that mixes UTF-8 and Windows-1252, a
    // quote never closed. Empty when all went well.
    std::string readingReport() const;
    // The quoted cell whose closing quote never came, if any: it holds the
    // rest of the table.
    const std::optional<CellPosition>& unclosedQuote() const { return unclosedQuote_; }
    std::string unclosedQuoteReport() const;

    static constexpr std::string_view openErrorMessage =
        "Sorry! There was an error opening the database file. Please make sure the file exists and is not "
        "open in any other applications.";

private:
    CellPosition positionOf(std::uint64_t offset) const;
    // The list's entries, each on a line of its own with its cell.
    void appendEntries(std::string& report, const CharacterList& list,
                       std::string (*what)(char32_t value)) const;

    TableBytes bytes_;
    std::vector<std::uint64_t> rowStarts_;
    std::size_t columnCount_ = 0;
    char delimiter_ = '\t';
    TableEncoding encoding_ = TableEncoding::Windows1252;
    ConversionNotes notes_;
    std::optional<CellPosition> unclosedQuote_;
};

} // namespace qs
