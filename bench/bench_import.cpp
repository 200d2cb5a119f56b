// The phases of importing a big table, and undoing and redoing its merge:
//   bench_import TABLE      (a table with its .sff beside it, such as
//                            bench/import/make-stock-table.py writes)
// Reading and splitting the table, the empty-cell pass and merge into an
// empty catalogue and again into the categories the first made, undo and redo
// of each merge (each should stay under a second at a million rows, as the
// step takes the products off the end of each category at once), and writing
// shop.data.

#include "core/app/AppState.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/import/ImportCommand.h"
#include "core/import/OpenImportTable.h"
#include "core/text/AtomicFile.h"
#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Tells the first line of every message on standard error and answers nothing.
class QuietUser : public qs::UserInterface, public qs::ImportQuestions {
public:
    void message(std::string_view text, qs::MessageKind) override
    {
        std::cerr << "  (" << text.substr(0, text.find_first_of("\r\n")) << ")\n";
    }
    qs::Answer ask(std::string_view, qs::MessageKind, qs::Buttons) override { return qs::Answer::No; }
    std::optional<std::string> inputText(std::string_view, std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const qs::FileDialogRequest&) override { return std::nullopt; }
    qs::Progress& progress() override { return progress_; }
    qs::MissingFieldAnswer missingField(const qs::MissingField&, bool) override
    {
        return {true, qs::MissingFieldChoice::LeaveBlank, true};
    }
    qs::EmptyCellReply emptyCell(const qs::CellPosition&) override { return {}; }

private:
    qs::SilentProgress progress_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "bench_import TABLE\n";
        return 2;
    }
    const std::string table = std::filesystem::absolute(argv[1]).string();
    qs::AppState state(std::filesystem::temp_directory_path().string());
    QuietUser user;

    auto start = Clock::now();
    std::optional<qs::ImportSheet> sheet = qs::openImportTable(table, state.InfoList, user);
    if (!sheet)
        return 1;
    std::printf("read and split %zu rows: %.3f s\n", sheet->rowCount(), secondsSince(start));
    sheet->setRowType(0, qs::RowType::Suppress);

    qs::ImportCommand command(state, user, user);
    // Twice: into new categories, then again into the same ones, whose
    // undo takes the added products off the end of each.
    for (const char* into : {"new categories", "the categories it made before"}) {
        start = Clock::now();
        if (command.addToCatalogue(*sheet, state.catalogue.root(), table) !=
            qs::ImportCommand::Outcome::Merged)
            return 1;
        std::printf("empty-cell pass and merge of %zu products into %s: %.3f s\n", command.productsAdded(),
                    into, secondsSince(start));
        start = Clock::now();
        state.history.undo();
        std::printf("  undo: %.4f s, %zu products left\n", secondsSince(start),
                    state.catalogue.productCount());
        start = Clock::now();
        state.history.redo();
        std::printf("  redo: %.4f s, %zu products\n", secondsSince(start), state.catalogue.productCount());
    }

    const std::string data = (std::filesystem::temp_directory_path() / "bench_import_shop.data").string();
    start = Clock::now();
    qs::AtomicFileWriter file(data);
    qs::writeProductFile(state.catalogue, file);
    file.commit();
    std::printf("write shop.data: %.3f s\n", secondsSince(start));
    std::filesystem::remove(data);
    // Leaves without taking the catalogue apart product by product, as the command line does.
    std::exit(state.catalogue.productCount() == 2 * command.productsAdded() ? 0 : 1);
}
