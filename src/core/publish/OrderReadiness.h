#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs {

struct AppState;
class TNewProduct;

// Whether the open shop can take orders as it is set, checked on the
// settings and the catalogue in memory and on the option files of its data
// folder, so that the merchant hears of a shop that would lose or mischarge
// orders before a customer finds out: one warning for each problem, in plain
// words, naming what to put right and where. Empty when there is none.
// - a setting of fixed words (taxaction, shipmethod, ...) that holds a word
//   the shop does not know, in any capitals;
// - no sales e-mail address: the shop could not tell the merchant of an order;
// - payment by Credit Card without the merchant's public key in the data
//   folder: card numbers are not taken;
// - a postage method without charges: no weight band with a limit and a
//   charge that are numbers, no zone with a cost that is one, or a
//   percentage the shop's scripts cannot read;
// - unless VAT is ignored, products whose Tax Code is none of the shop's VAT
//   codes (compared without regard to case), which are charged no VAT, and
//   VAT rates or special rates by country that are not numbers, which stop
//   the orders that need them;
// - a remote Perl path that is not an absolute path to perl or perl5...;
// - no postage method chosen: no postage is charged;
// - products whose price or weight the shop cannot read;
// - under postage by weight, products without a weight.
std::vector<std::string> orderReadinessWarnings(const AppState& state);

// The first product, in tree order, whose price (else weight) the shop
// cannot read, for the merchant to be shown; null when there is none.
const TNewProduct* firstUnreadableProduct(const AppState& state);
// Whether to show that product, by name and category.
std::string showUnreadableProductQuestion(const TNewProduct& product);

// The question the export asks when there are warnings: the list, then
// whether to export all the same.
std::string exportDespiteQuestion(const std::vector<std::string>& warnings);

inline constexpr std::string_view merchantKeyFileName = "merchant-key.asc";
// How many unknown Tax Codes and products without a weight are named; the
// rest are counted.
inline constexpr std::size_t unknownTaxCodesNamed = 10;
inline constexpr std::size_t productsWithoutWeightNamed = 5;
inline constexpr std::size_t unreadableValuesNamed = 10;

} // namespace qs
