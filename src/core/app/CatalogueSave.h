#pragma once

#include "core/catalogue/CatalogueFile.h"

#include <string>

namespace qs {

struct AppState;
class UserInterface;

// Saving the shop: the catalogue files, the settings file and the location
// file are one set, written all of them or none.

// Writes the catalogue files, the catalogue depth and the local settings file,
// all of them or none. A failure on shop.data is told to the user and gives
// false; a failure on any other file throws with the system's message.
bool writeCatalogue(AppState& state, UserInterface& ui, const std::string& shopDataPath);

// Whether Save asks the merchant before writing: the command line's caller
// has already said yes.
enum class SaveConfirmation { Ask, Skip };

// The Save command: asks first (unless told to skip it), then writes the
// catalogue as writeCatalogue does, the shop's location file with it, all of
// them or none. Failures are told or thrown as by writeCatalogue;
// LocationNotSet before anything while the local CGI folder is not set.
SaveOutcome SaveCatalogueCommand(AppState& state, UserInterface& ui,
                                 SaveConfirmation confirmation = SaveConfirmation::Ask);

} // namespace qs
