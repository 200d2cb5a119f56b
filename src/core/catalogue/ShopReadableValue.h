#pragma once

#include <string>
#include <string_view>

namespace qs {

// Prices and weights as the shop's scripts read them: a plain decimal number
// ("12", "12.50", ".5"), blanks around it allowed, at most twelve whole digits
// for a price, and for a weight seven whole digits and six decimals (noughts
// at either end not counted). Anything else ("12,50", "£5", "5 GBP",
// "250g") is kept as typed but cannot be read: the product then shows "Price
// on request", or weighs nothing in the postage. A field held per type holds
// one such value for each type, joined by "|"; an empty one stands for the
// first type's value.

// Whether the scripts read the field's values as numbers: Price and Weight.
bool isShopNumberField(std::string_view field);

// Whether the scripts can read the value typed under the field; a blank
// value (no price, no weight) reads as nothing and counts as readable.
bool readableByShop(std::string_view field, std::string_view value, bool heldPerType);

// What the scripts do with a value they cannot read and what would work
// instead, for the merchant to see where the value is typed; empty when the
// value is readable.
std::string unreadableValueNote(std::string_view field, std::string_view value, bool heldPerType);

// A readable number the merchant most likely meant ("12,50" gives "12.50",
// "£1,250.00" gives "1250.00", "5 GBP" gives "5"); empty when there is none.
std::string likelyNumber(std::string_view text);

} // namespace qs
