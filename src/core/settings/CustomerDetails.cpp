#include "core/settings/CustomerDetails.h"

#include "core/settings/SettingWords.h"
#include "core/settings/ShopSettings.h"
#include "core/settings/StoredText.h"
#include "core/text/CaseFold.h"
#include "core/ui/UserInterface.h"

namespace qs {

namespace {

constexpr std::string_view never = "NEVER";

} // namespace

void CustomerDetails::fill(const ShopSettings& settings)
{
    rememberCustomers = settingWord(settings, "save_user_details") == "on";
    const std::string_view months = settings.value("details_expiry_months");
    deleteUnusedRecords = !equalsIgnoreCase(strippedText(months), never);
    expiryMonths = deleteUnusedRecords ? std::string(months) : std::string();
}

bool CustomerDetails::accept(ShopSettings& settings, UserInterface& ui) const
{
    if (const std::string refusal =
            separatorRefusal("The number of months", expiryMonths, {lineBreakSeparator});
        !refusal.empty()) {
        ui.message(refusal, MessageKind::Warning);
        return false;
    }
    settings.setValue("save_user_details", rememberCustomers ? "ON" : "OFF");
    settings.setValue("details_expiry_months", deleteUnusedRecords ? std::string_view(expiryMonths) : never);
    return true;
}

} // namespace qs
