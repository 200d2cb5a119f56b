#pragma once

#include <string>
#include <string_view>

namespace qs {

// Rates and weights as the shop's files write them: digits with at most one
// point ("17", "17.5", ".5"), read and written the same in every locale. No
// sign, blank, comma, exponent or percent sign.
bool isDecimal(std::string_view text);

// A rate or a percentage the shop's scripts work with exactly: blanks around
// a decimal with at most fifteen significant digits ("12.345", "10.0000").
bool isExactRate(std::string_view text);

// A weight or a band limit the scripts read: blanks around a decimal of at
// most seven whole digits and six decimals, noughts at either end not
// counted ("0.0625", "0.0005").
bool isExactWeight(std::string_view text);

// A decimal with exactly two decimals, rounded half up without going through
// binary floating point: "17.5" gives "17.50", "0.125" gives "0.13", "007"
// gives "7.00". Only for texts that isDecimal accepts.
std::string withTwoDecimals(std::string_view text);

// The value of a decimal, for ordering.
double decimalValue(std::string_view text);

} // namespace qs
