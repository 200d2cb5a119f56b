#include "settings/SettingsChange.h"

#include "app/AppState.h"

namespace qs {

void noteSettingsChange(AppState& state, const ShopSettings& before)
{
    if (!(state.ShopFields == before))
        state.SettingsModified = true;
}

} // namespace qs
