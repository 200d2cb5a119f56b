#include "core/settings/PaymentMethods.h"

#include "core/settings/SettingWords.h"
#include "core/settings/ShopSettings.h"
#include "core/settings/StoredText.h"
#include "core/text/CaseFold.h"
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
        return {.accountId = true, .authTypeLabel = false, .authType = false, .address = true};
    case WorldPay:
    case QstlPay:
        return {.accountId = true, .authTypeLabel = true, .authType = true, .address = true};
    default:
        return {.accountId = false, .authTypeLabel = false, .authType = false, .address = false};
    }
}

void PaymentMethods::fill(const ShopSettings& settings)
{
    paymentUrl = settings.value("payurl");
    const std::string stored = settingWord(settings, "paymethod");
    chosenMethod = NoMethod;
    for (std::size_t i = 0; i < methods.size(); ++i)
        if (lowerCased(methods[i].value) == stored)
            chosenMethod = static_cast<int>(i);
    phoneBack = settingWord(settings, "phoneback") == "yes";
    mailOrder = settingWord(settings, "snailorder") == "yes";
    invoice = settingWord(settings, "invoice") == "yes";
    accountId = settings.value("PPID");
    authorisationType = settings.value("AUTH");
    enabled = enabledFor(chosenMethod);
}

void PaymentMethods::pick(int method, const ShopSettings& settings, UserInterface& ui)
{
    if (method < 0 || method >= static_cast<int>(methods.size()))
        method = NoMethod;
    if (method == CreditCard)
        ui.message(creditCardWarning, MessageKind::Warning);
    chosenMethod = method;
    enabled = enabledFor(method);
    paymentUrl = methods[static_cast<std::size_t>(method)].address;
    const std::string_view account = settings.value("PPID");
    const std::string_view authorisation = settings.value("AUTH");
    switch (method) {
    case NetBanx:
        accountId = account;
        authorisationType.clear();
        break;
    case SecureTrading:
        accountId = orDefault(account, "TEST");
        authorisationType.clear();
        break;
    case WorldPay:
        accountId = orDefault(account, "1");
        authorisationType = orDefault(authorisation, "101");
        break;
    case QstlPay:
        accountId = orDefault(account, "1");
        authorisationType = authorisation;
        break;
    default:
        accountId.clear();
        authorisationType.clear();
    }
}

bool PaymentMethods::accept(ShopSettings& settings, UserInterface& ui) const
{
    const std::pair<const char*, const std::string*> fields[] = {
        {"An account ID", &accountId},
        {"An authorisation type", &authorisationType},
        {"An address", &paymentUrl}};
    for (const auto& [subject, text] : fields)
        if (const std::string refusal = separatorRefusal(subject, *text, {lineBreakSeparator});
            !refusal.empty()) {
            ui.message(refusal, MessageKind::Warning);
            return false;
        }
    const bool known = chosenMethod >= 0 && chosenMethod < static_cast<int>(methods.size());
    settings.setValue("paymethod", methods[static_cast<std::size_t>(known ? chosenMethod : NoMethod)].value);
    settings.setValue("payurl", paymentUrl);
    settings.setValue("phoneback", yesNo(phoneBack));
    settings.setValue("snailorder", yesNo(mailOrder));
    settings.setValue("invoice", yesNo(invoice));
    settings.setValue("AUTH", authorisationType);
    settings.setValue("PPID", accountId);
    return true;
}

} // namespace qs
