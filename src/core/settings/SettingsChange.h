#pragma once

#include "core/settings/OpenSettings.h"

namespace qs {

// A dialog's OK changes keys of the shop settings list, which only Save
// writes: when the list now differs from what it held before, the catalogue
// counts as modified, so that leaving the program offers to save it.
void noteSettingsChange(OpenSettings& settings, const ShopSettings& before);

} // namespace qs
