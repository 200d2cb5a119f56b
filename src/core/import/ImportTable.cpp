#include "core/import/ImportTable.h"

#include "core/text/CaseFold.h"
#include "core/text/Cp1252.h"
#include "core/text/ReadFile.h"

#include <algorithm>

namespace qs {
namespace {

// As the grid counts them: data rows and columns from 1.
std::string where(const CellPosition& at, std::string_view rowWord = "row")
{
    return std::string(rowWord) + " " + std::to_string(at.row + 1) + ", column " +
           std::to_string(at.column + 1);
}

TableBytes copied(std::string_view bytes)
{
    TableBytes copy(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.data());
    copy.resize(bytes.size());
    return copy;
}

std::string byteText(char32_t byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(byte));
    return text;
}

std::string lostCharacter(char32_t cp, std::string_view encoding)
{
    return cp == ConversionNotes::notACharacter ? "bytes that are no " + std::string(encoding) + " character"
                                                : "the character " + characterText(cp);
}

std::string lostUtf8(char32_t cp)
{
    return lostCharacter(cp, "UTF-8");
}

std::string lostUtf16(char32_t cp)
{
    return lostCharacter(cp, "UTF-16");
}

} // namespace

ImportTable::ImportTable(std::string_view bytes, char delimiter) : ImportTable(copied(bytes), delimiter) {}

ImportTable::ImportTable(TableBytes bytes, char delimiter) : bytes_(std::move(bytes)), delimiter_(delimiter)
{
    std::size_t size = bytes_.size();
    encoding_ = convertToCp1252(bytes_.data(), size, notes_);
    bytes_.resize(size);
    TableLayout layout = scanTable(bytes_.view(), delimiter_);
    rowStarts_ = std::move(layout.rowStarts);
    rowStarts_.shrink_to_fit();
    columnCount_ = layout.columnCount;
    unclosedQuote_ = layout.unclosedQuote;
}

ImportTable ImportTable::read(const std::string& path)
{
    ReadableFile file(path);
    // One byte more than the file holds, so that the read that finds its end has room.
    TableBytes bytes(file.size() + 1);
    std::size_t used = 0;
    while (used < bytes.capacity()) {
        const std::size_t n = file.read(bytes.data() + used, bytes.capacity() - used);
        if (n == 0)
            break;
        used += n;
    }
    bytes.resize(used);
    return ImportTable(std::move(bytes), delimiterFor(path));
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
    splitRow(bytes_.view().substr(start), delimiter_, fields);
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

void ImportTable::releaseRowsBefore(std::size_t row)
{
    if (row < rowStarts_.size())
        bytes_.release(static_cast<std::size_t>(rowStarts_[row]));
}

CellPosition ImportTable::positionOf(std::uint64_t offset) const
{
    const auto after = std::upper_bound(rowStarts_.begin(), rowStarts_.end(), offset);
    const auto row = static_cast<std::size_t>(after - rowStarts_.begin()) - 1;
    std::vector<std::string_view> fields;
    rawFields(row, fields);
    const char* at = bytes_.view().data() + offset;
    std::size_t column = 0;
    while (column + 1 < fields.size() && at >= fields[column + 1].data())
        ++column;
    return {row, column};
}

void ImportTable::appendEntries(std::string& report, const CharacterList& list,
                                std::string (*what)(char32_t value)) const
{
    for (const auto& entry : list.first)
        report.append("\r\n")
            .append(where(positionOf(entry.offset), "Row"))
            .append(": ")
            .append(what(entry.value));
    if (list.count > list.first.size())
        report.append("\r\n... and ").append(std::to_string(list.count - list.first.size())).append(" more.");
}

std::string ImportTable::readingReport() const
{
    std::string report;
    const auto paragraph = [&report]() -> std::string& {
        if (!report.empty())
            report.append("\r\n\r\n");
        return report;
    };
    if (notes_.mixed.count > 0) {
        paragraph().append("The table is neither clean UTF-8 nor Windows-1252: it has been read as UTF-8, "
                           "and these bytes, which are no UTF-8 character, as Windows-1252. Check that they "
                           "read as meant:");
        appendEntries(report, notes_.mixed, [](char32_t byte) {
            return "the byte " + byteText(byte) + ", read as \"" + std::string(1, static_cast<char>(byte)) +
                   "\"";
        });
    }
    if (notes_.lost.count > 0) {
        if (encoding_ == TableEncoding::Windows1252) {
            paragraph().append(
                "The table is written in Windows-1252, the character set of the catalogue, but "
                "these bytes are no character the catalogue can hold and now read \"?\":");
            appendEntries(report, notes_.lost, [](char32_t byte) { return "the byte " + byteText(byte); });
        } else {
            const bool utf8 = encoding_ == TableEncoding::Utf8;
            paragraph().append("The table is written in " + std::string(utf8 ? "UTF-8" : "UTF-16") +
                               " and has been converted to Windows-1252, the character set of the catalogue. "
                               "These characters have no place in it and now read \"?\":");
            appendEntries(report, notes_.lost, utf8 ? lostUtf8 : lostUtf16);
        }
    }
    if (unclosedQuote_)
        paragraph().append(unclosedQuoteReport());
    return report;
}

std::string ImportTable::unclosedQuoteReport() const
{
    if (!unclosedQuote_)
        return {};
    return "The quoted cell in " + where(*unclosedQuote_) +
           " has no closing quote, so it holds the rest of the table.";
}

} // namespace qs
