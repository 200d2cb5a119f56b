#pragma once

#include <string>
#include <string_view>

namespace qs {

class ShopSettings;
class UserInterface;

// What the "Customer Details" dialog edits: whether the shop remembers
// returning customers (save_user_details) and after how many months unused
// records go (details_expiry_months, or "NEVER").
struct CustomerDetails {
    bool rememberCustomers = false;
    bool deleteUnusedRecords = false;
    std::string expiryMonths = "6";

    // "Delete unused records after" only while customers are remembered; the
    // months only while it is ticked too.
    bool deleteUnusedRecordsEnabled() const { return rememberCustomers; }
    bool expiryMonthsEnabled() const { return rememberCustomers && deleteUnusedRecords; }

    void fill(const ShopSettings& settings);
    // OK. Months holding a line break are refused (told, nothing stored).
    bool accept(ShopSettings& settings, UserInterface& ui) const;
};

} // namespace qs
