#include "cli/Commands.h"

#include "cli/ChooseShop.h"
#include "cli/CliContext.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/import/AssignmentFile.h"
#include "core/import/ImportCommand.h"
#include "core/import/OpenImportTable.h"
#include "core/text/Cp1252.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <map>
#include <memory>

namespace qs::cli {
namespace {

struct ImportArguments {
    std::string shop;
    std::string table;
    std::size_t skipRows = 0;
    std::string category;
    EmptyCellAnswer empty = EmptyCellAnswer::LeaveBlank;
    bool allowMissing = false;
};

// The questions a person would answer in the importer, answered by the
// flags: a field without a column is left blank with --allow-missing and
// stops the import otherwise; every empty cell has its answer already.
class FlagAnswers : public ImportQuestions {
public:
    FlagAnswers(UserInterface& ui, bool allowMissing) : ui_(ui), allowMissing_(allowMissing) {}

    MissingFieldAnswer missingField(const MissingField& field, bool) override
    {
        if (allowMissing_)
            return {true, MissingFieldChoice::LeaveBlank, false};
        ui_.message(field.text(), MessageKind::Error);
        return {};
    }
    EmptyCellReply emptyCell(const CellPosition&) override { return {true}; }

private:
    UserInterface& ui_;
    bool allowMissing_;
};

bool importTable(CliContext& context, const ImportArguments& arguments)
{
    if (!openNamedShop(context, arguments.shop))
        return false;
    AppState& state = context.state();
    const std::string path = std::filesystem::absolute(arguments.table).string();
    if (!std::filesystem::exists(assignmentFileName(path))) {
        context.ui.message("The table has no column assignment file " + assignmentFileName(path) +
                               ": assign its columns in the importer window first.",
                           MessageKind::Error);
        return false;
    }
    TNewCategory* selected = &state.catalogue.root();
    if (!arguments.category.empty()) {
        const std::optional<std::string> path = context.ui.fromTerminal(arguments.category);
        if (!path)
            return false;
        selected = state.catalogue.findByPath(*path);
        if (!selected) {
            context.ui.message("There is no category " + *path + " in the catalogue.", MessageKind::Error);
            return false;
        }
    }
    std::optional<ImportSheet> sheet =
        openImportTable(path, state.InfoList, context.ui, UnclosedQuote::Refuse);
    if (!sheet)
        return false;
    if (arguments.skipRows > 0)
        sheet->setRowTypes(0, arguments.skipRows - 1, RowType::Suppress);

    FlagAnswers answers(context.ui, arguments.allowMissing);
    ImportCommand command(state, context.ui, answers);
    command.answerEveryEmptyCell(arguments.empty);
    command.releaseRowsOnceMerged();
    if (command.addToCatalogue(*sheet, *selected, path) != ImportCommand::Outcome::Merged ||
        SaveCatalogueCommand(state, context.ui, false) != SaveOutcome::Saved)
        return false;
    context.out << "products added: " << command.productsAdded() << '\n'
                << "rows suppressed: " << sheet->rowsOfType(RowType::Suppress) << '\n';
    return true;
}

} // namespace

void addImportCommand(CLI::App& app, CliContext& context)
{
    auto arguments = std::make_shared<ImportArguments>();
    auto* sub =
        app.add_subcommand("import", "Add the rows of a table to the shop's catalogue with the column "
                                     "assignments of its .sff file, then save");
    sub->add_option("shop", arguments->shop, "The shop's name")->required();
    sub->add_option("table", arguments->table,
                    "The table: TAB-separated, or comma-separated when it ends in .csv")
        ->required();
    sub->add_option("--skip-rows", arguments->skipRows, "Mark the first N rows \"Suppress\"");
    sub->add_option("--category", arguments->category,
                    "The category to import into, its names joined by \"|\" (default: the whole catalogue)");
    const std::map<std::string, EmptyCellAnswer> empties = {{"blank", EmptyCellAnswer::LeaveBlank},
                                                            {"ignore", EmptyCellAnswer::IgnoreRow},
                                                            {"previous", EmptyCellAnswer::FillFromPrevious}};
    sub->add_option("--empty", arguments->empty,
                    "What an empty cell gets: blank (the default), ignore the row, "
                    "or the previous entry of its column")
        ->transform(CLI::CheckedTransformer(empties, CLI::ignore_case));
    sub->add_flag("--allow-missing", arguments->allowMissing,
                  "Leave mandatory and recommended fields without a column blank instead of stopping");
    sub->callback([&context, arguments] {
        context.setCommand([arguments](CliContext& c) { return importTable(c, *arguments); });
    });
}

} // namespace qs::cli
