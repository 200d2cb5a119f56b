#include "core/import/ImportCommand.h"

#include "core/app/AppState.h"
#include "core/catalogue/RenamedProducts.h"
#include "core/catalogue/history/ImportStep.h"
#include "core/import/AssignmentFile.h"
#include "core/import/ColumnCheck.h"
#include "core/import/ETableValidate.h"
#include "core/import/EmptyCellPass.h"
#include "core/import/ImportMerge.h"
#include "core/import/ImportSheet.h"
#include "core/import/ImportedPictures.h"
#include "core/import/RejectLog.h"
#include "core/text/FileError.h"
#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

namespace qs {

struct ImportCommand::Run {
    explicit Run(const AppState& app) : pictures(app.LocImg) {}

    std::size_t products = 0;
    std::size_t categories = 0;
    RenamedProducts renamed;
    RejectLog rejects;
    ImportedPictures pictures;
};

namespace {

// The progress window for the length of a merge, with its Cancel button.
class MergeProgress {
public:
    MergeProgress(Progress& progress, std::size_t rows) : progress_(progress)
    {
        progress_.setLabel(ImportCommand::progressLabel);
        progress_.setRange(0, static_cast<long long>(rows));
        progress_.setPosition(0);
        progress_.offerCancel(true);
        progress_.show();
    }
    ~MergeProgress()
    {
        progress_.hide();
        progress_.offerCancel(false);
    }
    MergeProgress(const MergeProgress&) = delete;
    MergeProgress& operator=(const MergeProgress&) = delete;

    // False once the merchant pressed Cancel.
    bool step()
    {
        progress_.step();
        return !progress_.cancelRequested();
    }

private:
    Progress& progress_;
};

std::string counted(std::size_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

ImportCommand::ImportCommand(AppState& app, UserInterface& ui, ImportQuestions& questions)
    : app_(app), ui_(ui), questions_(questions)
{
}

bool ImportCommand::prepare(ImportSheet& sheet, EmptyCellPass& pass, bool& settle)
{
    try {
        checkColumns(app_.InfoList, sheet.assignments(), questions_);
    } catch (const ETableValidate&) {
        return false; // back to the importer, where the merchant gives the field a column
    }
    pass.answerEveryCell(everyEmptyCell_);
    settle = pass.asksNothing();
    return settle || pass.run();
}

ImportCommand::Outcome ImportCommand::merge(ImportSheet& sheet, TNewCategory& selected, EmptyCellPass* settle,
                                            bool keep, Run& run)
{
    constexpr std::size_t releaseEvery = 4096; // rows
    MergeProgress progress(ui_.progress(), sheet.rowCount());
    UndoHistory::Transaction transaction(app_.history, "Import");
    auto owned = std::make_unique<ImportStep>(selected);
    ImportStep& step = *owned;
    app_.history.perform(std::move(owned));
    {
        Catalogue::BulkChange bulk(app_.catalogue);
        ImportMerge merge(sheet, app_.InfoList, app_.catalogue, step, selected, run.renamed, run.rejects,
                          run.pictures);
        RowCells cells(sheet);
        for (std::size_t row = 0; row < sheet.rowCount(); ++row) {
            if (sheet.rowType(row) != RowType::Suppress) {
                cells.read(row);
                if (settle)
                    settle->settleRow(row, cells);
                merge.mergeRow(row, cells);
            }
            if (releaseRows_ && keep && row % releaseEvery == 0)
                sheet.releaseRowsBefore(row);
            if (!progress.step())
                return Outcome::Cancelled;
        }
    }
    run.products = step.productsAdded();
    run.categories = step.categoriesCreated();
    if (keep && !step.empty())
        transaction.commit();
    return Outcome::Merged;
}

ImportCommand::Outcome ImportCommand::addToCatalogue(ImportSheet& sheet, TNewCategory& selected,
                                                     const std::string& tablePath)
{
    productsAdded_ = 0;
    EmptyCellPass pass(sheet, questions_);
    bool settle = false;
    if (!prepare(sheet, pass, settle))
        return Outcome::Stopped;
    Run run(app_);
    Outcome outcome;
    try {
        outcome = merge(sheet, selected, settle ? &pass : nullptr, true, run);
    } catch (const std::exception& failure) {
        ui_.message(std::string("The import stopped and nothing has been added:\r\n") + failure.what(),
                    MessageKind::Error);
        return Outcome::Failed;
    }
    if (outcome == Outcome::Merged) {
        productsAdded_ = run.products;
        run.renamed.tell(ui_);
        run.pictures.bringIntoImageFolder(ui_);
        run.pictures.tell(ui_);
        run.rejects.tell(ui_, tablePath);
    }
    return outcome;
}

bool ImportCommand::closeAfterMerge(const ImportSheet& sheet, const std::string& tablePath)
{
    if (ui_.ask(closeQuestion, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return false;
    try {
        writeAssignmentFile(assignmentFileName(tablePath), sheet.assignments(), app_.InfoList);
    } catch (const FileError& error) {
        ui_.message(error.what(), MessageKind::Error);
    }
    return true;
}

void ImportCommand::check(const ImportSheet& sheet, TNewCategory& selected)
{
    ImportSheet trial = sheet;
    EmptyCellPass pass(trial, questions_);
    bool settle = false;
    if (!prepare(trial, pass, settle))
        return;
    // The IDs the trial hands out are given back with its products.
    const std::int64_t nextProductID = app_.catalogue.NextProductID;
    Run run(app_);
    Outcome outcome;
    try {
        outcome = merge(trial, selected, settle ? &pass : nullptr, false, run);
    } catch (const std::exception& failure) {
        app_.catalogue.NextProductID = nextProductID;
        ui_.message(std::string("The check stopped:\r\n") + failure.what(), MessageKind::Error);
        return;
    }
    app_.catalogue.NextProductID = nextProductID;
    if (outcome == Outcome::Merged)
        ui_.message(checkReport(trial, run), MessageKind::Information);
}

std::string ImportCommand::checkReport(const ImportSheet& sheet, const Run& run) const
{
    std::string text = "Adding this table to the catalogue now would:";
    text += "\r\n- create " + counted(run.categories, "category", "categories");
    text += "\r\n- add " + counted(run.products, "product", "products");
    text += "\r\n- pass over " + counted(sheet.rowsOfType(RowType::Suppress), "row", "rows") +
            " marked \"Suppress\"";
    if (const std::size_t renamed = run.renamed.duplicateCount(); renamed > 0)
        text += "\r\n- give " + counted(renamed, "product", "products") + " a counter-made name, as " +
                (renamed == 1 ? "its category has a product" : "their categories have products") +
                " of that name";
    if (run.rejects.notAddedCount() > 0)
        text += "\r\n- not add " + counted(run.rejects.notAddedCount(), "row", "rows");
    if (run.pictures.renamedCount() > 0)
        text += "\r\n- store " + counted(run.pictures.renamedCount(), "picture", "pictures") +
                (run.pictures.renamedCount() == 1 ? " under a name the web server finds it by"
                                                  : " under names the web server finds them by");
    if (run.rejects.questionableCount() > 0)
        text += "\r\n- keep " + counted(run.rejects.questionableCount(), "price", "prices") +
                " unchanged that are not one plain number";
    if (run.renamed.duplicateCount() > 0)
        text += "\r\n\r\n" + run.renamed.duplicatesMessage("Names already taken:");
    if (!run.rejects.empty())
        text += "\r\n\r\nRows to look at:" + run.rejects.firstLines();
    return text + "\r\n\r\nThe catalogue has not been changed.";
}

} // namespace qs
