#include "core/import/ColumnAssignments.h"
#include "core/import/AssignmentFile.h"

#include "TempFolder.h"
#include "core/fields/FieldDefinitions.h"

#include <gtest/gtest.h>

namespace qs {
namespace {

// The built-in definitions: 0 Product Name, 1 Weight, 2 Price, 3 Description.
constexpr std::size_t weight = 1, price = 2, description = 3;

std::vector<std::string> headings(const ColumnAssignments& assignments)
{
    const FieldDefinitions fields;
    std::vector<std::string> texts;
    for (std::size_t c = 0; c < assignments.columnCount(); ++c)
        texts.push_back(assignments.heading(c, fields));
    return texts;
}

TEST(ColumnAssignments, AddSwitchAndTakeAColumnFromItsField)
{
    ColumnAssignments assignments(14, 4);
    assignments.assign(0, description, AssignMode::Add);
    EXPECT_EQ(assignments.assign(2, description, AssignMode::Add), ColumnAssignments::Touched(0, 2));
    EXPECT_EQ(headings(assignments), (std::vector<std::string>{"Description (1)", "Not Specified",
                                                               "Description (2)", "Not Specified"}));

    assignments.assign(3, description, AssignMode::Switch);
    EXPECT_EQ(headings(assignments), (std::vector<std::string>{"Not Specified", "Not Specified",
                                                               "Not Specified", "Description (1)"}));

    // A column of "Price" given to "Weight" leaves "Price".
    assignments.assign(1, price, AssignMode::Add);
    assignments.assign(1, weight, AssignMode::Add);
    EXPECT_TRUE(assignments.columnsOf(price).empty());
    EXPECT_EQ(assignments.columnsOf(weight), std::vector<std::size_t>{1});

    // The first of two columns unassigned: the second is now the first.
    assignments.assign(0, description, AssignMode::Add);
    assignments.unassign(3);
    EXPECT_EQ(headings(assignments),
              (std::vector<std::string>{"Description (1)", "Weight (1)", "Not Specified", "Not Specified"}));
    EXPECT_EQ(assignments.fieldOf(0), description);
    EXPECT_EQ(assignments.fieldOf(3), std::nullopt);

    // Columns and fields that do not exist are left alone.
    assignments.assign(4, weight, AssignMode::Switch);
    assignments.assign(2, 14, AssignMode::Switch);
    assignments.unassign(9);
    EXPECT_EQ(assignments.columnsOf(weight), std::vector<std::size_t>{1});
    EXPECT_EQ(assignments.fieldOf(2), std::nullopt);
}

TEST(AssignmentFile, IsNamedAfterTheTableUpToTheLastDotOfItsName)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/data/stock.txt", "/data/stock.sff"},
        {"/data/stock.csv", "/data/stock.sff"},
        {"/data/stock.2024.csv", "/data/stock.2024.sff"},
        {"/data/exports.2024/stock", "/data/exports.2024/stock.sff"},
        {"stock", "stock.sff"},
    };
    for (const auto& [table, file] : cases)
        EXPECT_EQ(assignmentFileName(table), file) << table;
}

TEST(AssignmentFile, RoundTripsAndPassesOverWhatTheTableCannotTake)
{
    const FieldDefinitions fields;
    test::TempFolder folder;
    ColumnAssignments written(fields.count(), 3);
    written.assign(0, 0, AssignMode::Add);
    written.assign(2, price, AssignMode::Add);
    const std::string path = folder.file("stock.sff");
    writeAssignmentFile(path, written, fields);
    EXPECT_EQ(folder.read("stock.sff"), "\tProduct Name\t\tPrice\r\n");

    ColumnAssignments read(fields.count(), 3);
    readAssignmentFile(path, read, fields);
    EXPECT_EQ(headings(read), headings(written));

    // Column 0, a column past the table's last, an unknown field and a
    // name in another case.
    folder.write("wide.sff", "Price\tdescription\tNo Such Field\tWeight\tWeight\r\n");
    ColumnAssignments narrow(fields.count(), 3);
    readAssignmentFile(folder.file("wide.sff"), narrow, fields);
    EXPECT_EQ(headings(narrow), (std::vector<std::string>{"Description (1)", "Not Specified", "Weight (1)"}));

    ColumnAssignments none(fields.count(), 3);
    readAssignmentFile(folder.file("missing.sff"), none, fields);
    EXPECT_EQ(headings(none), (std::vector<std::string>(3, "Not Specified")));
}

} // namespace
} // namespace qs
