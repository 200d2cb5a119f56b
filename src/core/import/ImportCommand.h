#pragma once

#include "core/import/ImportQuestions.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace qs {

struct AppState;
class EmptyCellPass;
class ImportSheet;
class RejectLog;
class RenamedProducts;
class TNewCategory;
class UserInterface;

// The importer's commands on a prepared sheet: Add to Catalogue, Check, and
// closing the importer after a merge.
class ImportCommand {
public:
    enum class Outcome { Stopped, Cancelled, Failed, Merged };

    ImportCommand(AppState& app, UserInterface& ui, ImportQuestions& questions);

    // An answer that stands for every empty cell from the start of each merge.
    void answerEveryEmptyCell(EmptyCellAnswer answer) { everyEmptyCell_ = answer; }
    // The table is merged once and not read again (the command line): the
    // memory of the rows merged goes back to the system as the merge goes on.
    void releaseRowsOnceMerged() { releaseRows_ = true; }

    // The column check and the empty-cell pass (Stopped when the merchant
    // goes back), then the merge with the progress window, as one step of
    // the history, "Import". A Cancel in the progress window, or any failure
    // that stops the merge, leaves the catalogue exactly as it was. Renamed
    // products and rows not added are told at the end.
    Outcome addToCatalogue(ImportSheet& sheet, TNewCategory& selected, const std::string& tablePath);
    std::size_t productsAdded() const { return productsAdded_; }

    // "Close Import Window?": Yes writes the assignment file beside the
    // table (a failure is told) and gives true.
    bool closeAfterMerge(const ImportSheet& sheet, const std::string& tablePath);

    // What Add to Catalogue would do, told without changing the catalogue or
    // the sheet: the checks and the questions on a copy, the merge taken back.
    void check(const ImportSheet& sheet, TNewCategory& selected);

    static constexpr std::string_view progressLabel = "Adding data to catalogue...";
    static constexpr std::string_view closeQuestion = "Close Import Window?";

private:
    struct Run;
    // The column check and the empty-cell pass; false when the merchant went
    // back. With an answer for every cell nothing can be asked: each row is
    // then settled as it is merged (settle), so that it is read once for both.
    bool prepare(ImportSheet& sheet, EmptyCellPass& pass, bool& settle);
    // Merges every row; keeps the merge as a step only when asked to.
    Outcome merge(ImportSheet& sheet, TNewCategory& selected, EmptyCellPass* settle, bool keep, Run& run);
    std::string checkReport(const ImportSheet& sheet, const Run& run) const;

    AppState& app_;
    UserInterface& ui_;
    ImportQuestions& questions_;
    EmptyCellAnswer everyEmptyCell_ = EmptyCellAnswer::None;
    bool releaseRows_ = false;
    std::size_t productsAdded_ = 0;
};

} // namespace qs
