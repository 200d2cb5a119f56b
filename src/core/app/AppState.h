#pragma once

#include "core/app/LocationDetails.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueChanges.h"
#include "core/catalogue/history/UndoHistory.h"
#include "core/fields/FieldDefinitions.h"
#include "core/settings/PostageAndPacking.h"
#include "core/settings/ShopSettings.h"

#include <optional>
#include <string>

namespace qs {

// The application-wide state: the paths and settings every command reads, the
// open shop's catalogue, its settings list and the field definitions. One
// object per run (and per test), passed to whatever needs it.
struct AppState {
    // ProgramDir is the working directory at start-up; everything else starts
    // at its initial value.
    explicit AppState(std::string programDir);

    std::string ProgramDir;
    std::string ShopName;

    // Location details.
    std::string LocCGI;
    std::string LocImg;
    std::string LocImgURL = "/images";
    std::string LocPerlPath = "/usr/bin/perl";
    std::string RemCGI = "/cgi-bin";
    std::string RemData = "data";
    std::string RemImgURL = "/images";
    std::string RemPerlPath = "/usr/bin/perl5";

    // Mail method: an empty mail program means mail goes through an SMTP server.
    std::string mailprogram = "/usr/bin/sendmail";
    std::string web_server;
    std::string smtp_server;

    int MAX_CATEGORY_DEPTH = 3;
    std::string BrowserPath;
    // A setting that Save writes has changed; changes to the catalogue itself
    // are told by the undo history.
    bool SettingsModified = false;
    // The image URL that the shop settings writer stores.
    std::string CurrentImageURL;

    // The Location Details dialog's content, which outlives each showing.
    LocationDetails locationForm;
    // While a shop is open: the location values that were in force before it
    // opened, which the program-wide location file keeps.
    std::optional<NameValueList> locationWithoutShop;

    ShopSettings ShopFields;
    // The postage dialog's areas and charge tables, which outlive each showing.
    PostageAndPacking Postage;
    FieldDefinitions InfoList;
    Catalogue catalogue;
    UndoHistory history{catalogue};

    // Every change of the catalogue goes through here, as a step of the history.
    CatalogueChanges changes() { return CatalogueChanges(catalogue, history); }
    // The catalogue or a setting saved with it has unsaved changes: a setting
    // changed, or the history is away from the position of the last save.
    bool CatalogueModified() const { return SettingsModified || !history.isClean(); }
    // After a successful save.
    void markSaved();

    // The open shop's CGI and data folders, formed from the current values.
    std::string ShopCGIDir() const;
    std::string ShopDataDir() const;

    // Where the local folders are when no location file says otherwise.
    std::string fallbackLocCGI() const;
    std::string fallbackLocImg() const;
    std::string programFile(const std::string& name) const;
};

// Joins two parts of a path with the platform's separator.
std::string joinPath(const std::string& folder, const std::string& name);

inline constexpr const char* settingsFileName = "qstl2.cfg";
inline constexpr const char* locationFileName = "location.cfg";

} // namespace qs
