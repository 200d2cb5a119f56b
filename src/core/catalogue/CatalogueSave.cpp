#include "catalogue/CatalogueFile.h"

#include "app/AppState.h"
#include "app/FileOps.h"
#include "app/Location.h"
#include "app/LocationRequired.h"
#include "settings/ShopSettingsFile.h"
#include "text/AtomicFile.h"
#include "text/FileError.h"
#include "ui/Progress.h"
#include "ui/UserInterface.h"

namespace qs {

bool writeCatalogue(AppState& state, UserInterface& ui, const std::string& shopDataPath)
{
    MakeDirPath(state.ShopCGIDir());
    MakeDirPath(state.ShopDataDir());
    // What interrupted saves of any of the shop's files left in its folders.
    removeStrayTemporaries(state.ShopCGIDir());
    removeStrayTemporaries(state.ShopDataDir());
    state.MAX_CATEGORY_DEPTH = state.catalogue.depth();
    state.ShopFields.setValue("MAX_CATEGORY_DEPTH", std::to_string(state.MAX_CATEGORY_DEPTH));

    Progress& progress = ui.progress();
    progress.setLabel("Saving Catalogue...");
    try {
        writeProductFile(state.catalogue, shopDataPath);
    } catch (const FileError& e) {
        progress.hide();
        ui.message("There was a problem saving the catalogue file.\r\n" + std::string(e.what()),
                   MessageKind::Error);
        return false;
    }
    progress.hide();

    writeCategoryFile(state.catalogue, joinPath(state.ShopDataDir(), std::string(categoryFileName)));
    state.CurrentImageURL = state.LocImgURL;
    StoreDetails(state);
    state.ShopFields.setValue("version", "local");
    SaveSettings(state, shopSettingsFile(state), false);
    state.markSaved();
    return true;
}

SaveOutcome SaveCatalogueCommand(AppState& state, UserInterface& ui, bool askFirst)
{
    requireLocalCGI(state);
    if (askFirst && ui.ask("This will save your shop in the specified location.\nProceed?",
                           MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return SaveOutcome::Declined;
    const bool written =
        writeCatalogue(state, ui, joinPath(state.ShopDataDir(), std::string(catalogueFileName)));
    SaveLocation(state, joinPath(state.ShopCGIDir(), locationFileName));
    return written ? SaveOutcome::Saved : SaveOutcome::Failed;
}

} // namespace qs
