#include "core/catalogue/CatalogueFile.h"

#include "core/app/AppState.h"
#include "core/app/FileOps.h"
#include "core/app/Location.h"
#include "core/app/LocationRequired.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/AtomicFileSet.h"
#include "core/text/FileError.h"
#include "core/ui/Progress.h"
#include "core/ui/UserInterface.h"

namespace qs {

namespace {

// Writes the catalogue files and the local settings file, and the location
// file unless its path is empty, all of them or none.
bool saveCatalogueFiles(AppState& state, UserInterface& ui, const std::string& shopDataPath,
                        const std::string& locationPath)
{
    MakeDirPath(state.ShopCGIDir());
    MakeDirPath(state.ShopDataDir());
    // What interrupted saves of any of the shop's files left in its folders.
    removeStrayTemporaries(state.ShopCGIDir());
    removeStrayTemporaries(state.ShopDataDir());
    state.MAX_CATEGORY_DEPTH = state.catalogue.depth();
    state.ShopFields.setValue("MAX_CATEGORY_DEPTH", std::to_string(state.MAX_CATEGORY_DEPTH));

    AtomicFileSet files(AtomicFileWriter::Leftovers::AlreadyRemoved);
    Progress& progress = ui.progress();
    progress.setLabel("Saving Catalogue...");
    try {
        writeProductFile(state.catalogue, files.add(shopDataPath));
        writeCategoryFile(state.catalogue,
                          files.add(joinPath(state.ShopDataDir(), std::string(categoryFileName))));
        state.CurrentImageURL = state.LocImgURL;
        StoreDetails(state);
        state.ShopFields.setValue("version", "local");
        SaveSettings(state, files.add(shopSettingsFile(state)), false);
        if (!locationPath.empty())
            SaveLocation(state, files.add(locationPath));
        files.commit();
    } catch (const FileError& e) {
        progress.hide();
        if (e.path() != shopDataPath)
            throw;
        ui.message("There was a problem saving the catalogue file.\r\n" + std::string(e.what()),
                   MessageKind::Error);
        return false;
    }
    progress.hide();
    state.markSaved();
    return true;
}

} // namespace

bool writeCatalogue(AppState& state, UserInterface& ui, const std::string& shopDataPath)
{
    return saveCatalogueFiles(state, ui, shopDataPath, {});
}

SaveOutcome SaveCatalogueCommand(AppState& state, UserInterface& ui, bool askFirst)
{
    requireLocalCGI(state);
    if (askFirst && ui.ask("This will save your shop in the specified location.\nProceed?",
                           MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return SaveOutcome::Declined;
    const bool written =
        saveCatalogueFiles(state, ui, joinPath(state.ShopDataDir(), std::string(catalogueFileName)),
                           joinPath(state.ShopCGIDir(), locationFileName));
    return written ? SaveOutcome::Saved : SaveOutcome::Failed;
}

} // namespace qs
