// Any bytes as the column assignment file (.sff) beside a table assign its
// columns when the importer opens the table: each column to at most one
// field, each field's columns in order. Written when the importer closes,
// the assignments read back the same, and the file then stays the same.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/fields/FieldDefinitions.h"
#include "core/import/AssignmentFile.h"
#include "core/import/ImportCommand.h"
#include "core/import/OpenImportTable.h"
#include "core/text/AtomicFile.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

constexpr std::string_view table = "Product Name,Price,Weight,Description,Colour\r\n"
                                   "Dune,7.99,300,A novel,\r\n"
                                   "Spade,19.50,1800,Steel,Green\r\n";

// Asks nothing: closing the importer does not merge.
class NoQuestions : public qs::ImportQuestions {
public:
    qs::MissingFieldAnswer missingField(const qs::MissingField&, bool) override { return {}; }
    qs::EmptyCellReply emptyCell(const qs::CellPosition&) override { return {}; }
};

// Each field's columns in their order, field by field.
std::vector<std::vector<std::size_t>> assigned(const qs::ColumnAssignments& assignments)
{
    std::vector<std::vector<std::size_t>> columns;
    for (std::size_t field = 0; field < assignments.fieldCount(); ++field) {
        columns.push_back(assignments.columnsOf(field));
        for (const std::size_t column : columns.back())
            check(assignments.fieldOf(column) == field, "a column belongs to the field that lists it");
    }
    for (std::size_t column = 0; column < assignments.columnCount(); ++column)
        if (const auto field = assignments.fieldOf(column))
            check(*field < assignments.fieldCount(), "a column belongs to a field that is defined");
    return columns;
}

struct Closed {
    std::vector<std::vector<std::size_t>> columns;
    std::string assignmentFile;
};

// Opens the table in the importer and closes it again.
Closed openAndClose(const qs::fuzz::FuzzShop& shop, const std::string& tablePath)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::fuzz::QuietUser user;
    std::optional<qs::ImportSheet> sheet = qs::openImportTable(tablePath, state.InfoList, user);
    check(sheet.has_value(), "the table opens");
    Closed closed{assigned(sheet->assignments()), {}};
    NoQuestions questions;
    check(qs::ImportCommand(state, user, questions).closeAfterMerge(*sheet, tablePath),
          "the importer closes");
    closed.assignmentFile = qs::readFileBytes(qs::assignmentFileName(tablePath));
    return closed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    const std::string tablePath = shop.programFile("products.csv");
    qs::writeFileAtomically(tablePath, table);
    qs::writeFileAtomically(qs::assignmentFileName(tablePath), qs::fuzz::bytesOf(data, size));
    const Closed first = openAndClose(shop, tablePath);
    const Closed second = openAndClose(shop, tablePath);
    check(second.columns == first.columns, "the assignments come back");
    checkSame(first.assignmentFile, second.assignmentFile, "the .sff file stays the same");
    return 0;
}
