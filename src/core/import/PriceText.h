#pragma once

#include <string>
#include <string_view>

namespace qs {

// A price cell as the catalogue keeps it: reduced to its digits and point
// when it holds one plain number ("£1,250.00" gives 1250.00, "12.50 GBP"
// gives 12.50), and otherwise kept as it stands. A text with digits that is
// not one plain number ("12,50", "-5.00", "(5.00)", "£10-£12") is questionable: taking
// only its digits would make another price of it.
struct PriceText {
    std::string value;
    bool questionable = false;
};

PriceText reducePrice(std::string_view text);

} // namespace qs
