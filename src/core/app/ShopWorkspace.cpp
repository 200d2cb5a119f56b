#include "core/app/ShopWorkspace.h"

#include "core/app/AppState.h"
#include "core/app/Location.h"
#include "core/app/LocationRequired.h"
#include "core/app/ShopScripts.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/EditorState.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/FileOps.h"
#include "core/text/JoinPath.h"
#include "core/ui/UserInterface.h"

#include <algorithm>
#include <filesystem>

namespace qs {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view shopNameCharacters = "abcdefghijklmnopqrstuvwxyz-0123456789";

bool entryExists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The program-wide location file keeps these while a shop is open.
void rememberLocationWithoutShop(AppState& state)
{
    if (!state.locationWithoutShop)
        state.locationWithoutShop = locationValues(state);
}

// Back to the program-wide location values, with no shop named.
void forgetShopValues(AppState& state)
{
    if (state.locationWithoutShop)
        applyLocationValues(state, *state.locationWithoutShop);
    state.locationWithoutShop.reset();
    state.ShopName.clear();
}

void clearShopCatalogue(AppState& state, EditorState& editor)
{
    editor.ShopOpen = false;
    editor.CategoryEdited = false;
    editor.forgetAll();
    state.history.clear();
    state.catalogue.clear();
    state.SettingsModified = false;
}

// A shop that failed to open leaves nothing of it behind.
void returnToNoShop(AppState& state, EditorState& editor)
{
    forgetShopValues(state);
    clearShopCatalogue(state, editor);
}

// What a shop without a settings file starts from.
enum class MissingSettings { StartFromDefaults, KeepCurrent };
// Whether the shop's own location file, where it has one, replaces the
// location values in force (a new shop has just written its own from them).
enum class ShopLocation { Read, KeepCurrent };

// The shop's settings file whenever there is one, so that the next save never
// writes another shop's settings, or the defaults, over it. Tells the merchant
// why a settings file cannot be used (false then), and when the built-in
// settings stand in for a missing one.
bool loadShopSettings(AppState& state, UserInterface& ui, MissingSettings missing)
{
    const std::string settings = shopSettingsFile(state);
    try {
        if (fileExists(settings)) {
            LoadSettings(state, settings);
        } else if (missing == MissingSettings::StartFromDefaults) {
            UseDefaultSettings(state);
            ui.message(missingSettingsMessage(settings), MessageKind::Warning);
        }
    } catch (const std::exception& e) {
        ui.message(e.what(), MessageKind::Error);
        return false;
    }
    return true;
}

// The tail of Open Shop and New Shop. The paths are formed before the shop's
// own location file may move LocCGI.
bool openShop(AppState& state, EditorState& editor, UserInterface& ui, ShopLocation location,
              MissingSettings missing)
{
    const std::string catalogueFile = joinPath(state.ShopDataDir(), std::string(catalogueFileName));
    const std::string shopLocation = joinPath(state.ShopCGIDir(), locationFileName);
    try {
        requireLocalCGI(state);
        // The steps of the shop before point into the catalogue about to go.
        state.history.clear();
        if (!loadShopSettings(state, ui, missing) ||
            (fileExists(catalogueFile) && !LoadCatalogue(state, ui, catalogueFile, state.ShopDataDir()))) {
            returnToNoShop(state, editor);
            return false;
        }
        if (location == ShopLocation::Read && fileExists(shopLocation))
            LoadLocation(state, shopLocation);
        bringShopScriptsUpToDate(state, ui);
        state.Postage.shopOpened(state.ShopDataDir());
    } catch (...) {
        returnToNoShop(state, editor);
        throw;
    }
    // What was loaded is what is on disk.
    state.SettingsModified = false;
    editor.ShopOpen = true;
    return true;
}

} // namespace

std::string missingSettingsMessage(std::string_view path)
{
    return "The shop's settings file " + std::string(path) +
           " is missing, so the shop opens with the built-in settings: its payment, postage and mail "
           "settings are the starting ones. Saving the catalogue writes them as the shop's settings.";
}

std::string shopsRegistry(const AppState& state)
{
    return state.programFile("shops");
}

std::string shopMarker(const AppState& state, std::string_view name)
{
    return joinPath(shopsRegistry(state), std::string(name));
}

std::string shopImageDir(const AppState& state, std::string_view name)
{
    return joinPath(state.LocImg, std::string(name) + "-images");
}

namespace {

bool shopNameCharacter(char c)
{
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return shopNameCharacters.find(lower) != std::string_view::npos;
}

// Blanks and underscores between words become one "-"; a name with any other
// character a shop name cannot hold has no working form.
std::string workingShopName(std::string_view name)
{
    std::string working;
    bool gap = false;
    for (const char c : name) {
        if (c == ' ' || c == '_' || c == '-') {
            gap = true;
        } else if (shopNameCharacter(c)) {
            if (gap && !working.empty())
                working += '-';
            working += c;
            gap = false;
        } else {
            // A name that loses a letter is not the merchant's name any more.
            return {};
        }
    }
    return working;
}

} // namespace

std::string shopNameError(std::string_view name)
{
    if (std::all_of(name.begin(), name.end(), shopNameCharacter))
        return {};
    const std::string working = workingShopName(name);
    return working.empty() ? std::string(badShopNameMessage)
                           : std::string(badShopNameMessage) + " A name that would work: \"" + working + "\".";
}

bool CreateShop(AppState& state, UserInterface& ui, const std::string& name)
{
    const std::string marker = shopMarker(state, name);
    if (name.empty() || !shopNameError(name).empty() || entryExists(marker))
        return false;
    state.ShopName = name;
    MakeDirPath(marker);
    MakeDirPath(state.ShopCGIDir());
    const std::string missing = CopyListedScripts(ui, state.LocCGI, state.LocCGI, state.ShopCGIDir(),
                                                  state.LocPerlPath, std::string(allScriptsListName));
    if (missing.empty()) {
        SaveSettings(state, state, joinPath(state.ShopCGIDir(), settingsFileName), SettingsForm::Remote);
        markShopScriptsCurrent(state);
    } else {
        ui.message(missing, MessageKind::Warning);
    }
    MakeDirPath(state.ShopDataDir());
    CopyDirFiles(joinPath(state.LocCGI, "data"), state.ShopDataDir());
    const std::string images = shopImageDir(state, name);
    MakeDirPath(images);
    CopyDirFiles(state.LocImg, images);
    return true;
}

bool NewShop(AppState& state, UserInterface& ui)
{
    requireLocalCGI(state);
    std::optional<std::string> typed = ui.inputText("Enter the name of your shop", "Enter name:", "");
    // A refused name is asked for again with what was typed still in the box.
    for (std::string error; typed && !(error = shopNameError(*typed)).empty();) {
        ui.message(error, MessageKind::Warning);
        typed = ui.inputText("Enter the name of your shop", "Enter name:", *typed);
    }
    if (!typed)
        return false; // cancelled: nothing to say
    const std::string& name = *typed;
    // An empty name names the registry itself.
    if (entryExists(shopMarker(state, name))) {
        ui.message(shopExistsMessage, MessageKind::Warning);
        return false;
    }
    if (name.empty())
        return false;
    rememberLocationWithoutShop(state);
    try {
        if (!CreateShop(state, ui, name)) {
            forgetShopValues(state);
            return false;
        }
        state.LocImg = shopImageDir(state, name);
        state.LocImgURL = "/images/" + name + "-images";
        state.RemImgURL = state.LocImgURL;
        SaveLocation(state, joinPath(state.ShopCGIDir(), locationFileName));
    } catch (...) {
        forgetShopValues(state);
        throw;
    }
    return true;
}

bool NewShopCommand(AppState& state, EditorState& editor, UserInterface& ui)
{
    return NewShop(state, ui) &&
           openShop(state, editor, ui, ShopLocation::KeepCurrent, MissingSettings::KeepCurrent);
}

bool OpenChosenShop(AppState& state, EditorState& editor, UserInterface& ui)
{
    rememberLocationWithoutShop(state);
    return openShop(state, editor, ui, ShopLocation::Read, MissingSettings::StartFromDefaults);
}

bool CloseShop(AppState& state, EditorState& editor, UserInterface& ui,
               const std::function<SaveOutcome()>& save)
{
    if (state.CatalogueModified() || editor.CategoryEdited) {
        const Answer answer = ui.ask(saveCatalogueQuestion, MessageKind::Warning, Buttons::YesNoCancel);
        if (answer == Answer::Cancel)
            return false;
        // A No to Save's own confirmation is a change of mind, not leave to
        // throw the changes away.
        if (answer == Answer::Yes && save && save() != SaveOutcome::Saved)
            return false;
    }
    clearShopCatalogue(state, editor);
    state.ShopName.clear();
    state.locationWithoutShop.reset();
    LoadLocation(state, programLocationFile(state));
    return true;
}

bool DeleteShop(AppState& state, UserInterface& ui)
{
    const std::string name = state.ShopName;
    const std::string question = "Do you want to delete the '" + name +
                                 "' shop?\r\nThis will delete all its data files and templates.";
    if (ui.ask(question, MessageKind::Warning, Buttons::YesNo) != Answer::Yes)
        return false;
    const bool deleted = DeleteDirTree(shopMarker(state, name)) && DeleteDirTree(state.ShopCGIDir()) &&
                         DeleteDirTree(shopImageDir(state, name));
    ui.message(deleted ? shopDeletedMessage : shopNotDeletedMessage,
               deleted ? MessageKind::Information : MessageKind::Warning);
    state.ShopName.clear();
    return deleted;
}

} // namespace qs
