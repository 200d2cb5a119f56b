#include "core/settings/PaymentMethods.h"

#include "core/settings/ShopSettings.h"
#include "core/settings/StoredText.h"
#include "core/ui/UserInterface.h"

namespace qs {

const std::array<PaymentMethod, 6> PaymentMethods::methods = {{
    {"Online Payment via NetBanx", "NetBanx", "https://secure.netbanx.example/cgi-bin/authorise"},
    {"Online Payment via SecureTrading", "Secure Trading",
     "https://secure.securetrading.example/authorize/form.cgi"},
    {"Online Payment via WorldPay", "WorldPay", "https://secure.worldpay.example/wcc/purchase"},
    {"Credit Card via e-Mail", "Credit Card", ""},
    {"Online Payment via QstlPAY", "QstlPay", "https://secure.qstlpay.example/cgi-bin/authorise"},
    {"No Online Payment Method", "None", ""},
}};

namespace {

std::string_view yesNo(bool ticked)
{
    return ticked ? "yes" : "no";
}

std::string orDefault(std::string_view stored, std::string_view fallback)
{
    return std::string(stored.empty() ? fallback : stored);
}

} // namespace

PaymentMethods::Enabled PaymentMethods::enabledFor(int method)
{
    switch (method) {
    case NetBanx:
    case SecureTrading:
        return {true, false, false, true};
    case WorldPay:
    case QstlPay:
        return {true, true, true, true};
    default:
        return {false, false, false, false};
    }
}

void PaymentMethods::fill(const ShopSettings& settings)
{
    PaymentURLEdit = settings.value("payurl");
    const std::string_view stored = settings.value("paymethod");
    PayMethodBox = NoMethod;
    for (std::size_t i = 0; i < methods.size(); ++i)
        if (methods[i].value == stored)
            PayMethodBox = static_cast<int>(i);
    PhoneBackBox = settings.value("phoneback") == "yes";
    AllowSnailBox = settings.value("snailorder") == "yes";
    InvoiceBox = settings.value("invoice") == "yes";
    edAccountID = settings.value("PPID");
    edAuthType = settings.value("AUTH");
    enabled = enabledFor(PayMethodBox);
}

void PaymentMethods::pick(int method, const ShopSettings& settings, UserInterface& ui)
{
    if (method < 0 || method >= static_cast<int>(methods.size()))
        method = NoMethod;
    if (method == CreditCard)
        ui.message(creditCardWarning, MessageKind::Warning);
    PayMethodBox = method;
    enabled = enabledFor(method);
    PaymentURLEdit = methods[static_cast<std::size_t>(method)].address;
    const std::string_view account = settings.value("PPID");
    const std::string_view authorisation = settings.value("AUTH");
    switch (method) {
    case NetBanx:
        edAccountID = account;
        edAuthType.clear();
        break;
    case SecureTrading:
        edAccountID = orDefault(account, "TEST");
        edAuthType.clear();
        break;
    case WorldPay:
        edAccountID = orDefault(account, "1");
        edAuthType = orDefault(authorisation, "101");
        break;
    case QstlPay:
        edAccountID = orDefault(account, "1");
        edAuthType = authorisation;
        break;
    default:
        edAccountID.clear();
        edAuthType.clear();
    }
}

bool PaymentMethods::accept(ShopSettings& settings, UserInterface& ui) const
{
    const std::pair<const char*, const std::string*> fields[] = {{"An account ID", &edAccountID},
                                                                 {"An authorisation type", &edAuthType},
                                                                 {"An address", &PaymentURLEdit}};
    for (const auto& [subject, text] : fields)
        if (const std::string refusal = separatorRefusal(subject, *text, {lineBreakSeparator});
            !refusal.empty()) {
            ui.message(refusal, MessageKind::Warning);
            return false;
        }
    const bool known = PayMethodBox >= 0 && PayMethodBox < static_cast<int>(methods.size());
    settings.setValue("paymethod", methods[static_cast<std::size_t>(known ? PayMethodBox : NoMethod)].value);
    settings.setValue("payurl", PaymentURLEdit);
    settings.setValue("phoneback", yesNo(PhoneBackBox));
    settings.setValue("snailorder", yesNo(AllowSnailBox));
    settings.setValue("invoice", yesNo(InvoiceBox));
    settings.setValue("AUTH", edAuthType);
    settings.setValue("PPID", edAccountID);
    return true;
}

} // namespace qs
