#include "core/import/OpenImportTable.h"

#include "core/app/AppState.h"
#include "core/fields/FieldDefinitions.h"
#include "core/import/AssignmentFile.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"

#include <filesystem>
#include <new>

namespace qs {

std::optional<std::string> chooseImportTable(const AppState& app, UserInterface& ui)
{
    FileDialogRequest request;
    request.caption = importDialogCaption;
    // The program folder's Data folder, or the program folder while there is none.
    const std::string data = joinPath(app.ProgramDir, "Data");
    request.directory = std::filesystem::is_directory(data) ? data : app.ProgramDir;
    request.filter = importDialogFilter;
    return ui.openFile(request);
}

std::optional<ImportSheet> openImportTable(const std::string& path, const FieldDefinitions& fields,
                                           UserInterface& ui, UnclosedQuote unclosed)
{
    std::shared_ptr<ImportTable> table;
    try {
        table = std::make_shared<ImportTable>(ImportTable::read(path));
    } catch (const FileError&) {
        ui.message(ImportTable::openErrorMessage, MessageKind::Error);
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        ui.message("The table is too large to be read into this computer's memory.", MessageKind::Error);
        return std::nullopt;
    }
    if (unclosed == UnclosedQuote::Refuse && table->unclosedQuote()) {
        ui.message(table->unclosedQuoteReport() + " Nothing has been imported.", MessageKind::Error);
        return std::nullopt;
    }
    if (const std::string report = table->readingReport(); !report.empty())
        ui.message(report, MessageKind::Warning);
    ImportSheet sheet(std::move(table), fields.count());
    readAssignmentFile(assignmentFileName(path), sheet.assignments(), fields);
    return sheet;
}

} // namespace qs
