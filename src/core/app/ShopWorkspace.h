#pragma once

#include "core/catalogue/CatalogueFile.h"

#include <functional>
#include <string>
#include <string_view>

namespace qs {

struct AppState;
struct EditorState;
class UserInterface;

// A shop lives in three places: its marker folder in the shops registry, its
// CGI folder (scripts, settings, data) under the local CGI root and its image
// folder under the local image folder. These commands create, open, close and
// delete shops; the face shows the dialogs and switches its menus.

std::string shopsRegistry(const AppState& state);
std::string shopMarker(const AppState& state, std::string_view name);
// LocImg + name + "-images".
std::string shopImageDir(const AppState& state, std::string_view name);

// Why a new shop name is refused at its characters, with a name that would
// work ("Harbour Crafts" gives "Harbour-Crafts"), or empty.
std::string shopNameError(std::string_view name);

// Makes the shop's folders and copies the starting scripts, data and images
// into them. False (nothing done) when the shop already exists. A script that
// cannot be copied throws FileError after telling the user.
bool CreateShop(AppState& state, UserInterface& ui, const std::string& name);

// "&New Shop": asks for the name, checks it, creates the shop and writes its
// location file. True when a shop was created; it is then the shop. Cancelling
// the name ends it without a word. Throws LocationNotSet before asking
// anything while the local CGI folder is not set.
bool NewShop(AppState& state, UserInterface& ui);

// File, New Shop: NewShop, then the shop opens with the catalogue its
// starting data may hold, and with the settings in memory when no settings
// file was made for it. True when a shop is open afterwards.
bool NewShopCommand(AppState& state, EditorState& editor, UserInterface& ui);

// File, Open Shop..., once the dialog has set ShopName: the shop's settings
// file (the defaults when it has none), the catalogue when the shop has one,
// then the shop's location file; the shop's copies of the master scripts are
// then brought up to date when another version made them (ShopScripts.h).
// True when the shop is open; after a failed load nothing of it stays.
// Throws LocationNotSet while the local CGI folder is not set.
bool OpenChosenShop(AppState& state, EditorState& editor, UserInterface& ui);

// File, Close: offers to save a modified catalogue through save, then goes
// back to no shop with the program-wide location values. Cancel, or a save
// that failed or was declined at its confirmation, keeps the shop open with its unsaved changes (false).
bool CloseShop(AppState& state, EditorState& editor, UserInterface& ui,
               const std::function<SaveOutcome()>& save);

// File, Delete a Shop, once the dialog has set ShopName: asks, then deletes
// the marker, CGI and image folders in turn, each only when the one before
// went. True when all three went.
bool DeleteShop(AppState& state, UserInterface& ui);

// Told when a shop opens without its settings file.
std::string missingSettingsMessage(std::string_view path);

inline constexpr std::string_view badShopNameMessage =
    "Your shop name must consist only of alphanumeric characters. Spaces and underscores are not allowed.";
inline constexpr std::string_view shopExistsMessage = "A shop of this name already exists.";
inline constexpr std::string_view shopDeletedMessage = "Shop successfully deleted.";
inline constexpr std::string_view shopNotDeletedMessage = "Could not delete all the directories. Sorry.";

} // namespace qs
