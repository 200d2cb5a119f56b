// Any bytes as the shop's special VAT rates by country (countries.tax) open
// in their dialog beside the shop's VAT codes. OK, with nothing changed,
// writes rates that open again the same (countries listed twice once), and
// a file that the same steps leave as it is.
#include "FuzzShop.h"

#include "core/app/AppState.h"
#include "core/settings/CountryRates.h"
#include "core/settings/VatCodes.h"
#include "core/settings/VatCountries.h"
#include "core/text/AtomicFile.h"
#include "core/text/CaseFold.h"
#include "core/text/ReadFile.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

using qs::fuzz::check;
using qs::fuzz::checkSame;

constexpr std::string_view vatCodes =
    "1=20.00\tStandard rate\r\n2=5.00\tReduced rate\r\n0=0.00\tZero rated\r\n";

struct Accepted {
    std::vector<qs::VatCountries::Row> rows;
    std::string ratesFile;
};

// A country listed more than once (in any case) is written once, as
// CountryRates::bytes says; rows then come back merged.
bool eachCountryOnce(const std::vector<qs::VatCountries::Row>& rows)
{
    std::set<std::string> names;
    for (const auto& row : rows)
        if (!names.insert(qs::lowerCased(row.country)).second)
            return false;
    return true;
}

Accepted openAndAccept(const qs::fuzz::FuzzShop& shop)
{
    qs::AppState state(shop.programDir());
    shop.enter(state);
    qs::fuzz::QuietUser user;
    qs::VatCountries countries;
    check(countries.open(state, user), "a countries.tax that is there opens");
    for (const auto& row : countries.rows)
        check(row.rates.size() == countries.columnCount(), "every row has a rate for every column");
    Accepted accepted{countries.rows, {}};
    check(countries.accept(state, user), "countries.tax can be written");
    accepted.ratesFile = qs::readFileBytes(shop.dataFile(qs::countryRatesFileName));
    return accepted;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.dataFile(qs::vatCodesFileName), vatCodes);
    qs::writeFileAtomically(shop.dataFile(qs::countryRatesFileName), qs::fuzz::bytesOf(data, size));
    const Accepted first = openAndAccept(shop);
    const Accepted second = openAndAccept(shop);
    check(second.rows == first.rows || !eachCountryOnce(first.rows),
          "the countries and their rates come back");
    checkSame(first.ratesFile, second.ratesFile, "countries.tax stays the same");
    return 0;
}
