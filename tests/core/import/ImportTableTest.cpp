#include "core/import/ImportTable.h"

#include "TempFolder.h"
#include "core/text/FileError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qs {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows cells(const ImportTable& table)
{
    Rows rows;
    for (std::size_t r = 0; r < table.rowCount(); ++r) {
        rows.emplace_back();
        for (std::size_t c = 0; c < table.columnCount(); ++c)
            rows.back().push_back(table.cell(r, c));
    }
    return rows;
}

struct SplitCase {
    const char* what;
    std::string bytes;
    char delimiter;
    Rows rows;
};

TEST(ImportTable, SplitsRowsAndFields)
{
    const SplitCase cases[] = {
        {"a quoted delimiter", "a,\"b,c\",d", ',', {{"a", "b,c", "d"}}},
        {"two quotes are an empty field", "x,\"\",y", ',', {{"x", "", "y"}}},
        {"two delimiters in a row", "1,,3", ',', {{"1", "", "3"}}},
        {"doubled quotes inside quotes", "\"say \"\"hi\"\"\",2", ',', {{"say \"hi\"", "2"}}},
        {"a quote inside an unquoted field", "Monitor 17\"\t99.00", '\t', {{"Monitor 17\"", "99.00"}}},
        {"quotes start only a field", "a\"b,c\",d", ',', {{"a\"b", "c\"", "d"}}},
        {"text after the closing quote", "\"abc\"def,g", ',', {{"abcdef", "g"}}},
        {"commas in a TAB table", "a,b\tc", '\t', {{"a,b", "c"}}},
        {"line breaks inside quotes",
         "\"one\r\ntwo\nthree\",x\r\nnext,y",
         ',',
         {{"one<br>two<br>three", "x"}, {"next", "y"}}},
        {"a byte-order mark", "\xEF\xBB\xBFName,Price\r\n", ',', {{"Name", "Price"}}},
        {"empty rows and columns at the end", "a,,\r\n,,\r\n\r\n\"\"\r\n", ',', {{"a"}}},
        {"empty lines in the middle stay", "a\n\nb", ',', {{"a"}, {""}, {"b"}}},
        {"CR, LF and CR LF line ends", "a\rb\nc\r\nd", ',', {{"a"}, {"b"}, {"c"}, {"d"}}},
        {"a short row", "a,b,c\r\nd", ',', {{"a", "b", "c"}, {"d", "", ""}}},
        {"a quote never closed", "a,\"bc\r\nd,e", ',', {{"a", "bc<br>d,e"}}},
        {"nothing at all", "", ',', {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cells(ImportTable(c.bytes, c.delimiter)), c.rows) << c.what;
}

TEST(ImportTable, DelimiterComesFromTheFileNamesExtension)
{
    const std::pair<const char*, char> cases[] = {
        {"/data/stock.csv", ','},          {"/data/STOCK.CSV", ','},      {"stock.Csv", ','},
        {"/data/stock.txt", '\t'},         {"/data/stock.dat", '\t'},     {"/data/stock", '\t'},
        {"/data/exports.csv/stock", '\t'}, {"/data/stock.csv.txt", '\t'},
    };
    for (const auto& [path, delimiter] : cases)
        EXPECT_EQ(ImportTable::delimiterFor(path), delimiter) << path;
}

struct EncodingCase {
    const char* what;
    std::string bytes;
    TableEncoding encoding;
    std::string firstCell;
};

TEST(ImportTable, ConvertsUnicodeToTheCataloguesCodePage)
{
    const EncodingCase cases[] = {
        {"Windows-1252 stays",
         "\xA3"
         "12.50",
         TableEncoding::Windows1252,
         "\xA3"
         "12.50"},
        {"Windows-1252 that is no UTF-8", "\xE9t\xE9", TableEncoding::Windows1252, "\xE9t\xE9"},
        {"UTF-8 without a mark",
         "\xC2\xA3"
         "12.50",
         TableEncoding::Utf8,
         "\xA3"
         "12.50"},
        {"UTF-8 with a mark",
         "\xEF\xBB\xBF\xE2\x82\xAC"
         "5",
         TableEncoding::Utf8,
         "\x80"
         "5"},
        {"plain ASCII with a mark", "\xEF\xBB\xBFplain", TableEncoding::Utf8, "plain"},
        {"plain ASCII", "plain", TableEncoding::Windows1252, "plain"},
        {"UTF-16 little-endian",
         std::string("\xFF\xFE"
                     "a\0\xA3\0,\0b\0",
                     10),
         TableEncoding::Utf16LittleEndian, "a\xA3"},
        {"UTF-16 big-endian", std::string("\xFE\xFF\0a\x20\xAC", 6), TableEncoding::Utf16BigEndian, "a\x80"},
        {"UTF-16 little-endian without a mark", std::string("K\0i\0t\0e\0\xA3\0,\0\x31\0\r\0\n\0", 18),
         TableEncoding::Utf16LittleEndian, "Kite\xA3"},
        {"UTF-16 big-endian without a mark", std::string("\0K\0i\x20\xAC\0,\0\x31", 10),
         TableEncoding::Utf16BigEndian, "Ki\x80"},
        {"UTF-16 without a mark, a character with a zero low byte",
         std::string("\0\x01"
                     "a\0b\0c\0",
                     8),
         TableEncoding::Utf16LittleEndian, "?abc"},
    };
    for (const auto& c : cases) {
        const ImportTable table(c.bytes, ',');
        EXPECT_EQ(table.encoding(), c.encoding) << c.what;
        EXPECT_EQ(table.cell(0, 0), c.firstCell) << c.what;
        if (c.firstCell.find('?') == std::string::npos) {
            EXPECT_EQ(table.readingReport(), "") << c.what;
        }
    }
}

struct UncleanCase {
    const char* what;
    std::string bytes;
    TableEncoding encoding;
    Rows rows;
    std::string reported; // a line of the report
};

TEST(ImportTable, SaysWhereATableIsNeitherCleanUtf8NorWindows1252AndNeverKeepsANul)
{
    const UncleanCase cases[] = {
        {"a NUL byte in Windows-1252",
         std::string("caf\xE9,a\0b", 8),
         TableEncoding::Windows1252,
         {{"caf\xE9", "a?b"}},
         "Row 1, column 2: the byte 0x00"},
        {"a byte Windows-1252 leaves undefined",
         "x\r\ny,\x81",
         TableEncoding::Windows1252,
         {{"x", ""}, {"y", "?"}},
         "Row 2, column 2: the byte 0x81"},
        {"a NUL character in UTF-8",
         std::string("\xC2\xA3\0", 3),
         TableEncoding::Utf8,
         {{"\xA3?"}},
         "Row 1, column 1: the character U+0000"},
        {"a NUL character in UTF-16",
         std::string("\xFF\xFE"
                     "a\0\0\0",
                     6),
         TableEncoding::Utf16LittleEndian,
         {{"a?"}},
         "Row 1, column 1: the character U+0000"},
        {"UTF-8 mixed with Windows-1252",
         "Caf\xC3\xA9,Cr\xE8me\r\n\xA3"
         "5,x",
         TableEncoding::Utf8,
         {{"Caf\xE9", "Cr\xE8me"},
          {"\xA3"
           "5",
           "x"}},
         "Row 1, column 2: the byte 0xE8, read as \"\xE8\""},
        {"UTF-8 with a mark mixed with Windows-1252",
         "\xEF\xBB\xBF\xE2\x82\xAC,\xFF",
         TableEncoding::Utf8,
         {{"\x80", "\xFF"}},
         "Row 1, column 2: the byte 0xFF, read as \"\xFF\""},
        {"UTF-8 with a byte that is no character of either",
         "\xEF\xBB\xBF"
         "a,\x81",
         TableEncoding::Utf8,
         {{"a", "?"}},
         "Row 1, column 2: bytes that are no UTF-8 character"},
    };
    for (const auto& c : cases) {
        const ImportTable table(c.bytes, ',');
        EXPECT_EQ(table.encoding(), c.encoding) << c.what;
        EXPECT_EQ(cells(table), c.rows) << c.what;
        const std::string report = table.readingReport();
        EXPECT_NE(report.find("\r\n" + c.reported), std::string::npos) << c.what << "\n" << report;
    }
    EXPECT_NE(
        ImportTable("Caf\xC3\xA9,Cr\xE8me", ',').readingReport().find("neither clean UTF-8 nor Windows-1252"),
        std::string::npos);
}

TEST(ImportTable, ReportsEachCharacterItCannotHoldWithItsCell)
{
    // A right arrow and an emoji have no place in Windows-1252.
    const ImportTable table("Name,Note\r\nKite,\"up \xE2\x86\x92 away\"\r\n\xF0\x9F\x98\x80,x", ',');
    EXPECT_EQ(table.cell(1, 1), "up ? away");
    EXPECT_EQ(table.cell(2, 0), "?");
    const std::string report = table.readingReport();
    EXPECT_NE(report.find("UTF-8"), std::string::npos) << report;
    EXPECT_NE(report.find("\r\nRow 2, column 2: the character U+2192"), std::string::npos) << report;
    EXPECT_NE(report.find("\r\nRow 3, column 1: the character U+1F600"), std::string::npos) << report;
}

TEST(ImportTable, ReportsAQuoteNeverClosed)
{
    EXPECT_EQ(ImportTable("a\r\nb,\"c\r\nd", ',').readingReport(),
              "The quoted cell in row 2, column 2 has no closing quote, so it holds the rest of the table.");
}

TEST(ImportTable, RowsReleasedOnceMergedLeaveTheRestReadable)
{
    std::string csv;
    for (int row = 0; row < 20000; ++row)
        csv += "row " + std::to_string(row) + ",x\n";
    ImportTable table(csv, ',');
    table.releaseRowsBefore(15000);
    EXPECT_EQ(table.cell(15000, 0), "row 15000");
    EXPECT_EQ(table.cell(19999, 0), "row 19999");
}

TEST(ImportTable, ReadsAFileOrSaysWhyNot)
{
    test::TempFolder folder;
    const ImportTable table = ImportTable::read(folder.write("stock.CSV", "a,b\r\n"));
    EXPECT_EQ(table.columnCount(), 2u);
    EXPECT_THROW(ImportTable::read(folder.file("missing.csv")), FileError);
}

} // namespace
} // namespace qs
