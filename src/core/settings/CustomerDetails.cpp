#include "core/settings/CustomerDetails.h"

#include "core/settings/ShopSettings.h"
#include "core/settings/StoredText.h"
#include "core/ui/UserInterface.h"

namespace qs {

namespace {

constexpr std::string_view never = "NEVER";

} // namespace

void CustomerDetails::fill(const ShopSettings& settings)
{
    CheckBox1 = settings.value("save_user_details") == "ON";
    const std::string_view months = settings.value("details_expiry_months");
    CheckBox2 = months != never;
    Edit1 = CheckBox2 ? std::string(months) : std::string();
}

bool CustomerDetails::accept(ShopSettings& settings, UserInterface& ui) const
{
    if (const std::string refusal = separatorRefusal("The number of months", Edit1, {lineBreakSeparator});
        !refusal.empty()) {
        ui.message(refusal, MessageKind::Warning);
        return false;
    }
    settings.setValue("save_user_details", CheckBox1 ? "ON" : "OFF");
    settings.setValue("details_expiry_months", CheckBox2 ? std::string_view(Edit1) : never);
    return true;
}

} // namespace qs
