#pragma once

#include "core/settings/ShopSettings.h"

namespace qs {

struct AppState;

// A dialog's OK changes keys of the shop settings list, which only Save
// writes: when the list now differs from what it held before, the catalogue
// counts as modified, so that leaving the program offers to save it.
void noteSettingsChange(AppState& state, const ShopSettings& before);

} // namespace qs
