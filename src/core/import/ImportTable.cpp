#include "import/ImportTable.h"

#include "text/CaseFold.h"
#include "text/ReadFile.h"

#include <algorithm>
#include <cstdio>

namespace qs {
namespace {

// As the grid counts them: data rows and columns from 1.
std::string where(const CellPosition& at, std::string_view rowWord = "row")
{
    return std::string(rowWord) + " " + std::to_string(at.row + 1) + ", column " +
           std::to_string(at.column + 1);
}

std::string codePointText(char32_t cp)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
    return text;
}

} // namespace

ImportTable::ImportTable(std::string bytes, char delimiter) : bytes_(std::move(bytes)), delimiter_(delimiter)
{
    encoding_ = convertToCp1252(bytes_, lost_);
    TableLayout layout = scanTable(bytes_, delimiter_);
    rowStarts_ = std::move(layout.rowStarts);
    rowStarts_.shrink_to_fit();
    columnCount_ = layout.columnCount;
    unclosedQuote_ = layout.unclosedQuote;
}

ImportTable ImportTable::read(const std::string& path)
{
    return ImportTable(readFileBytes(path), delimiterFor(path));
}

char ImportTable::delimiterFor(std::string_view path)
{
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    const auto dot = name.rfind('.');
    return dot != std::string_view::npos && equalsIgnoreCase(name.substr(dot + 1), "csv") ? ',' : '\t';
}

void ImportTable::rawFields(std::size_t row, std::vector<std::string_view>& fields) const
{
    const auto start = static_cast<std::size_t>(rowStarts_[row]);
    splitRow(std::string_view(bytes_).substr(start), delimiter_, fields);
}

std::string ImportTable::cell(std::size_t row, std::size_t column) const
{
    std::vector<std::string_view> fields;
    rawFields(row, fields);
    if (column >= fields.size())
        return {};
    std::string scratch;
    return std::string(fieldValue(fields[column], scratch));
}

CellPosition ImportTable::positionOf(std::uint64_t offset) const
{
    const auto after = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), offset);
    const auto row = static_cast<std::size_t>(after - rowStarts_.begin()) - 1;
    std::vector<std::string_view> fields;
    rawFields(row, fields);
    const char* at = bytes_.data() + offset;
    std::size_t column = 0;
    while (column + 1 < fields.size() && at >= fields[column + 1].data())
        ++column;
    return {row, column};
}

std::string ImportTable::readingReport() const
{
    std::string report;
    if (lost_.count > 0) {
        const bool utf16 =
            encoding_ == TableEncoding::Utf16LittleEndian || encoding_ == TableEncoding::Utf16BigEndian;
        const std::string name = utf16 ? "UTF-16" : "UTF-8";
        report = "The table is written in " + name +
                 " and has been converted to Windows-1252, the character set of the catalogue. These "
                 "characters have no place in it and now read \"?\":";
        for (const auto& lost : lost_.first) {
            const std::string what = lost.codePoint == LostCharacters::notACharacter
                                         ? "bytes that are no " + name + " character"
                                         : "the character " + codePointText(lost.codePoint);
            report.append("\r\n").append(where(positionOf(lost.offset), "Row")).append(": ").append(what);
        }
        if (lost_.count > lost_.first.size())
            report.append("\r\n... and ")
                .append(std::to_string(lost_.count - lost_.first.size()))
                .append(" more.");
    }
    if (unclosedQuote_) {
        if (!report.empty())
            report.append("\r\n\r\n");
        report.append("The quoted cell in " + where(*unclosedQuote_) +
                      " has no closing quote, so it holds the rest of the table.");
    }
    return report;
}

} // namespace qs
