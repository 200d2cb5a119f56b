#include "core/settings/SettingsChange.h"

namespace qs {

void noteSettingsChange(OpenSettings& settings, const ShopSettings& before)
{
    if (!(settings.ShopFields == before))
        settings.SettingsModified = true;
}

} // namespace qs
