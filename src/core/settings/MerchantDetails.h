#pragma once

#include <string>
#include <string_view>

namespace qs {

struct OpenSettings;
struct ShopPaths;
class ShopSettings;
class UserInterface;

// What the "Merchant Details" dialog edits: the merchant's name, address,
// mail addresses, home page and cheque payee, each a key of the shop
// settings list. The address is shown on several lines (CR LF) and stored
// on one, its line breaks as "<br>".
struct MerchantDetails {
    std::string merchantName;
    std::string address;
    std::string salesEmail;
    std::string techSupportEmail;
    std::string homePage;
    std::string chequePayee;

    // The two account fields of the Payment Methods dialog, which OK copies.
    struct PaymentAccount {
        std::string authorisationType;
        std::string accountId;

        // What the Payment Methods dialog's fields hold while it is closed:
        // it shows the stored AUTH and PPID whenever it opens.
        static PaymentAccount stored(const ShopSettings& settings);
    };

    // On show: every text from its key.
    void fill(const ShopSettings& settings);
    // OK: refused with "Cannot have empty fields" (the list unchanged) when a
    // field holds only blanks; otherwise every text into its key. True when stored.
    bool accept(ShopSettings& settings, UserInterface& ui, const PaymentAccount& payment) const;
    // Whatever closed the dialog: the working copy of the settings file is
    // written in its local form. Throws FileError.
    static void save(OpenSettings& settings, const ShopPaths& paths);

    static constexpr std::string_view emptyFieldsMessage = "Cannot have empty fields";

private:
    bool anyFieldEmpty() const;
};

} // namespace qs
