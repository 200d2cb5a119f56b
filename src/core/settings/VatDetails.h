#pragma once

#include "core/settings/VatCodes.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qs {

struct AppState;
class UserInterface;

// What the "VAT Details" dialog edits: whether prices include VAT or VAT is
// ignored (the key taxaction) and the VAT codes of shop.tax. Codes are unique
// without regard to case, since the scripts and the settings list look them
// up that way. A code renamed by Modify renames its countries.tax column when
// shop.tax is written, not before.
class VatDetails {
public:
    enum PriceDetails { Included, NotIncluded };

    std::vector<VatCode> codes;
    bool NoVATBox = false;
    int priceDetails = NotIncluded;

    // On show: shop.tax (none yet in a shop without one) and taxaction. A
    // file that cannot be read is told: false, and the dialog does not open.
    bool open(const AppState& state, UserInterface& ui);

    // The Modify VAT Code dialog's fields. Each refusal is told and changes
    // nothing: false.
    bool add(std::string_view code, std::string_view rate, std::string_view description, UserInterface& ui);
    bool modify(std::size_t row, std::string_view code, std::string_view rate, std::string_view description,
                UserInterface& ui);
    void remove(std::size_t row);

    // OK, and the first step of Advanced: taxaction, shop.tax, then the
    // renamed columns of countries.tax. A file that cannot be written is
    // told: false.
    bool accept(AppState& state, UserInterface& ui);

    static constexpr std::string_view missingMessage = "Code and rate must be specified";
    static constexpr std::string_view duplicateMessage = "That code is already defined";
    static constexpr std::string_view rateMessage = "A VAT rate must be a number, such as 17.5.";

private:
    // True, after telling why, when the code, rate or description cannot be
    // stored. other: the row being modified, whose own code may stay.
    bool refused(std::string_view code, std::string_view rate, std::string_view description,
                 std::ptrdiff_t other, UserInterface& ui) const;

    std::vector<std::pair<std::string, std::string>> renames_;
};

} // namespace qs
