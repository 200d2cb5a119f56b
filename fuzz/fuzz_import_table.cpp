// Any bytes as a table to import, comma-separated (.csv) and TAB-separated
// (.txt), open in the importer as it opens a table, whatever their encoding:
// rows and cells that can be read, and a report of what the reading changed.
// Its first row as the headings, the table then merges into an empty shop,
// which saves and opens again with every product added, as it was added.
#include "CatalogueValues.h"
#include "FuzzShop.h"
#include "ImportSheetCells.h"

#include "core/app/AppState.h"
#include "core/app/CatalogueSave.h"
#include "core/app/ShopWorkspace.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/EditorState.h"
#include "core/import/ImportCommand.h"
#include "core/import/OpenImportTable.h"
#include "core/text/AtomicFile.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

// A merchant who leaves every field without a column blank.
class LeaveBlank : public qs::ImportQuestions {
public:
    qs::MissingFieldAnswer missingField(const qs::MissingField&, bool) override
    {
        return {true, qs::MissingFieldChoice::LeaveBlank, false};
    }
    qs::EmptyCellReply emptyCell(const qs::CellPosition&) override { return {}; }
};

// The products in byte order of their lines: opening a shop sorts its
// categories, which an import leaves in the order it made them.
std::string sortedProducts(const qs::Catalogue& catalogue)
{
    std::vector<std::string> products;
    qs::fuzz::forEachProductValues(catalogue, [&](std::string_view line) { products.emplace_back(line); });
    std::sort(products.begin(), products.end());
    std::string text;
    for (const std::string& product : products)
        text.append(product).append("\n");
    return text;
}

void openShop(qs::AppState& state, qs::EditorState& editor, qs::UserInterface& user)
{
    check(qs::OpenChosenShop(state, editor, user), "the shop opens");
}

void importInto(const qs::fuzz::FuzzShop& shop, const std::string& table, qs::EmptyCellAnswer emptyCells)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::EditorState editor;
    qs::fuzz::QuietUser user;
    openShop(state, editor, user);

    std::optional<qs::ImportSheet> sheet = qs::openImportTable(table, state.InfoList, user);
    check(sheet.has_value(), "a table file that is there opens");
    qs::fuzz::checkEveryCell(*sheet);
    sheet->useFirstRowAsHeadings(state.InfoList);

    LeaveBlank answers;
    qs::ImportCommand command(state, state.InfoList, state, user, answers);
    command.answerEveryEmptyCell(emptyCells);
    if (command.addToCatalogue(*sheet, state.catalogue.root(), table) != qs::ImportCommand::Outcome::Merged)
        return;
    check(state.catalogue.productCount() == command.productsAdded(), "the merge counts what it added");
    const std::string imported = sortedProducts(state.catalogue);
    check(qs::SaveCatalogueCommand(state, user, qs::SaveConfirmation::Skip) == qs::SaveOutcome::Saved,
          "the shop saves");

    qs::AppState reopened(shop.programDir());
    shop.enter(reopened);
    qs::EditorState reopenedEditor;
    openShop(reopened, reopenedEditor, user);
    checkSame(imported, sortedProducts(reopened.catalogue), "every product added comes back as it was");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = qs::fuzz::bytesOf(data, size);
    for (const auto& [name, emptyCells] : {std::pair{"table.csv", qs::EmptyCellAnswer::LeaveBlank},
                                           std::pair{"table.txt", qs::EmptyCellAnswer::FillFromPrevious}}) {
        const qs::fuzz::FuzzShop shop;
        const std::string table = shop.programFile(name);
        qs::writeFileAtomically(table, bytes);
        importInto(shop, table, emptyCells);
    }
    return 0;
}
