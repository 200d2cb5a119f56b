#include "core/settings/MerchantDetails.h"

#include "core/app/AppState.h"
#include "core/settings/ShopSettingsFile.h"
#include "core/text/LineBreaks.h"
#include "core/ui/UserInterface.h"

namespace qs {

namespace {

constexpr std::string_view storedLineBreak = "<br>";
constexpr std::string_view shownLineBreak = "\r\n";

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0;;) {
        const std::size_t found = text.find(from, pos);
        result.append(text.substr(pos, found - pos));
        if (found == std::string_view::npos)
            return result;
        result.append(to);
        pos = found + from.size();
    }
}

// Blanks and control characters at either end do not count as content.
bool blank(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

} // namespace

MerchantDetails::PaymentAccount MerchantDetails::PaymentAccount::stored(const ShopSettings& settings)
{
    // The Payment Methods dialog shows AUTH and PPID whenever it opens, so
    // they are what its fields hold.
    return {std::string(settings.value("AUTH")), std::string(settings.value("PPID"))};
}

void MerchantDetails::fill(const ShopSettings& settings)
{
    MercNameEdit = settings.value("company");
    AddressMemo = replaceAll(settings.value("merc_address"), storedLineBreak, shownLineBreak);
    EmailEdit = settings.value("sales_email");
    TechSupportEmail = settings.value("tech_email");
    HomeURLEdit = settings.value("homepage");
    ChequeNameEdit = settings.value("chequename");
}

bool MerchantDetails::anyFieldEmpty() const
{
    for (const std::string* field :
         {&MercNameEdit, &HomeURLEdit, &TechSupportEmail, &EmailEdit, &AddressMemo, &ChequeNameEdit})
        if (blank(*field))
            return true;
    return false;
}

bool MerchantDetails::accept(ShopSettings& settings, UserInterface& ui, const PaymentAccount& payment) const
{
    if (anyFieldEmpty()) {
        ui.message(emptyFieldsMessage, MessageKind::Warning);
        return false;
    }
    settings.setValue("company", MercNameEdit);
    settings.setValue("homepage", HomeURLEdit);
    settings.setValue("chequename", ChequeNameEdit);
    settings.setValue("sales_email", EmailEdit);
    settings.setValue("tech_email", TechSupportEmail);
    settings.setValue("merc_address", withLineBreaks(AddressMemo, storedLineBreak));
    settings.setValue("AUTHID", payment.authorisationType);
    settings.setValue("PPID", payment.accountId);
    return true;
}

void MerchantDetails::save(AppState& state)
{
    SaveSettings(state, shopSettingsFile(state), false);
}

} // namespace qs
