#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qs {

class ShopSettings;
class UserInterface;

// One entry of the payment method list: what the list shows, what the
// settings store, and the provider's authorisation address.
struct PaymentMethod {
    std::string_view entry;
    std::string_view value;
    std::string_view address;
};

// What the "Payment Methods" dialog edits: the method, three offline ordering
// options and the account details, all keys of the shop settings list. Each
// showing starts from what the settings hold, so that OK here or in Merchant
// Details never replaces an account stored by an earlier run.
struct PaymentMethods {
    enum Method { NetBanx, SecureTrading, WorldPay, CreditCard, QstlPay, NoMethod };

    // The list in its order. The addresses are placeholders: the merchant
    // must put in the one their provider gives them.
    static const std::array<PaymentMethod, 6> methods;

    // The entry picked from the list, a Method.
    int chosenMethod = NoMethod;
    // The offline ordering options: card details asked by phone, orders
    // posted as a printout, and invoicing when the order arrives.
    bool phoneBack = false;
    bool mailOrder = false;
    bool invoice = false;
    std::string accountId;
    std::string authorisationType;
    std::string paymentUrl;

    // Which account controls the method leaves usable: the account ID with
    // its label, the authorisation type's label and field, the address with
    // its label.
    struct Enabled {
        bool accountId = true;
        bool authTypeLabel = true;
        bool authType = true;
        bool address = true;
        bool operator==(const Enabled&) const = default;
    } enabled;

    // On show: every control from its key; the stored method, compared
    // exactly, selects its entry (anything else: no online payment) and sets
    // the enabled states, without its defaults.
    void fill(const ShopSettings& settings);
    // The merchant picks an entry: its defaults from the stored account, its
    // address, its enabled states. Credit Card via e-Mail warns first.
    void pick(int method, const ShopSettings& settings, UserInterface& ui);
    // OK: every control into its key; an empty field removes its key. A
    // field holding a line break is refused (told, nothing stored): false.
    bool accept(ShopSettings& settings, UserInterface& ui) const;

    static constexpr std::string_view creditCardWarning =
        "Warning! This option is not secure. \r\n"
        "We recommend you use an encryption method such as PGP or an online payment partner.";

private:
    static Enabled enabledFor(int method);
};

} // namespace qs
