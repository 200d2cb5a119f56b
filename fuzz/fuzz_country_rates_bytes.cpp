// Any bytes as the shop's special VAT rates by country (countries.tax), read
// and written in memory. A country listed twice is written once, so only a
// file that lists each country once reads back the same.
#include "RoundTrip.h"

#include "core/settings/CountryRates.h"
#include "core/text/CaseFold.h"

#include <cstdint>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = qs::fuzz::bytesOf(data, size);
    const qs::CountryRates rates = qs::CountryRates::parse(bytes);
    std::set<std::string> names;
    bool eachOnce = true;
    for (const auto& country : rates.countries)
        eachOnce = names.insert(qs::lowerCased(country.name)).second && eachOnce;
    qs::fuzz::checkRoundTrip(
        bytes, qs::CountryRates::parse, [](const qs::CountryRates& read) { return read.bytes(); }, eachOnce);
    return 0;
}
