#include "core/settings/SettingsChange.h"

#include "core/app/AppState.h"

namespace qs {

void noteSettingsChange(AppState& state, const ShopSettings& before)
{
    if (!(state.ShopFields == before))
        state.SettingsModified = true;
}

} // namespace qs
