#include "core/import/ImportSheet.h"

#include "core/fields/FieldDefinitions.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

ImportSheet sheetOf(std::string bytes)
{
    return ImportSheet(std::make_shared<ImportTable>(std::move(bytes), ','), FieldDefinitions().count());
}

TEST(ImportSheet, ChangedCellsStandOverTheTableAndCopiesKeepTheirOwn)
{
    ImportSheet sheet = sheetOf("a,\"b\"\"\",c\r\nd,,f\r\n");
    sheet.setCell(1, 1, "e");
    ImportSheet copy = sheet;
    copy.setCell(0, 0, "changed");
    copy.setRowType(1, RowType::Suppress);

    EXPECT_EQ(sheet.cell(0, 0), "a");
    EXPECT_EQ(sheet.cell(1, 1), "e");
    EXPECT_EQ(copy.cell(0, 0), "changed");
    EXPECT_EQ(sheet.rowType(1), RowType::Product);
    EXPECT_EQ(copy.rowsOfType(RowType::Suppress), 1u);

    RowCells cells(sheet);
    cells.read(0);
    EXPECT_EQ(cells[1], "b\"");
    EXPECT_EQ(cells[7], "");
    cells.read(1);
    EXPECT_EQ(cells[0], "d");
    EXPECT_EQ(cells[1], "e");
    EXPECT_EQ(cells[2], "f");
}

TEST(ImportSheet, FirstRowAsHeadingsSuppressesItAndAssignsTheFieldsItNames)
{
    const FieldDefinitions fields;
    ImportSheet sheet = sheetOf("price,Colour,Product Name,DESCRIPTION,Description\r\n1,2,3,4,5\r\n");
    sheet.assignments().assign(1, 2, AssignMode::Add); // Colour was Price
    sheet.useFirstRowAsHeadings(fields);
    EXPECT_EQ(sheet.rowType(0), RowType::Suppress);
    EXPECT_EQ(sheet.rowType(1), RowType::Product);
    std::vector<std::string> headings;
    for (std::size_t c = 0; c < sheet.columnCount(); ++c)
        headings.push_back(sheet.assignments().heading(c, fields));
    EXPECT_EQ(headings, (std::vector<std::string>{"Price (1)", "Not Specified", "Product Name (1)",
                                                  "Description (1)", "Description (2)"}));
}

} // namespace
} // namespace qs
