#pragma once

#include "core/app/LocationDetails.h"
#include "core/catalogue/OpenCatalogue.h"
#include "core/fields/FieldDefinitions.h"
#include "core/settings/OpenSettings.h"
#include "core/settings/PostageAndPacking.h"
#include "core/settings/ShopPaths.h"
#include "core/text/NameValueList.h"

#include <optional>
#include <string>

namespace qs {

// The application-wide state: the paths every command reads, the open shop's
// settings and catalogue, the field definitions and what dialogs keep between
// showings. One object per run (and per test). A command takes the pieces it
// uses (the paths, the settings, the catalogue), which a state passes as
// itself.
struct AppState : ShopPaths, OpenSettings, OpenCatalogue {
    // The program folder start-up chose (ProgramFolder.h); everything else
    // starts at its initial value.
    explicit AppState(std::string programDir);

    std::string BrowserPath;

    // The Location Details dialog's content, which outlives each showing.
    LocationDetails locationDetails;
    // While a shop is open: the location values that were in force before it
    // opened, which the program-wide location file keeps.
    std::optional<NameValueList> locationWithoutShop;

    // The postage dialog's areas and charge tables, which outlive each showing.
    PostageAndPacking Postage;
    FieldDefinitions InfoList;

    // The catalogue or a setting saved with it has unsaved changes: a setting
    // changed, or the history is away from the position of the last save.
    bool CatalogueModified() const { return SettingsModified || !history.isClean(); }
    // After a successful save.
    void markSaved();
};

} // namespace qs
