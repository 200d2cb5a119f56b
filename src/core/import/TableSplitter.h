#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

// How the importer reads a delimited table. A row ends at a line break (CR
// LF, LF or CR) outside quotes, a field at the delimiter outside quotes. A
// field that begins with a double quote is quoted up to the next lone double
// quote: inside, a doubled quote stands for one, and delimiters and line
// breaks belong to the value; whatever follows the closing quote up to the
// delimiter is kept as it stands. Anywhere else a double quote is an ordinary
// character. A field of two double quotes is empty.

// A cell of the table: data rows and columns counted from 0.
struct CellPosition {
    std::size_t row = 0;
    std::size_t column = 0;
    bool operator==(const CellPosition&) const = default;
};

// Where each row begins, and how many rows and columns hold anything: rows
// and columns after the last non-empty field are left out.
struct TableLayout {
    std::vector<std::uint64_t> rowStarts;
    std::size_t columnCount = 0;
    // A quoted field whose closing quote never came: it runs to the end.
    std::optional<CellPosition> unclosedQuote;
};

TableLayout scanTable(std::string_view bytes, char delimiter);

// The raw fields of the row that begins text, up to its line break: quotes
// and all, as they stand in the file.
void splitRow(std::string_view text, char delimiter, std::vector<std::string_view>& fields);

// A raw field as the merchant meant it: its quotes taken off, doubled quotes
// made single and line breaks written "<br>", as the catalogue stores them.
// Views into raw, or into scratch when the field had to change.
std::string_view fieldValue(std::string_view raw, std::string& scratch);

} // namespace qs
