#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qs {

class AtomicFileSet;

// countries.tax, a name=value list whose lines end in CR LF. The first line,
// "Headings", names the VAT code of each column, TAB-separated, padded with
// empty headings to at least four; every further line is a country and its
// special rate for each column, TAB-separated, even one named "Headings". A
// file whose first line is not "Headings" has no headings.
struct CountryRates {
    struct Country {
        std::string name;
        std::vector<std::string> rates;
        bool operator==(const Country&) const = default;
    };

    std::vector<std::string> headings;
    std::vector<Country> countries;

    static CountryRates parse(std::string_view bytes);
    // A country listed twice keeps one line, at its first place, named and
    // valued as the later one.
    std::string bytes() const;
    // A shop without the file has no special rates yet; one that cannot be
    // read throws FileError.
    static CountryRates read(const std::string& path);

    bool operator==(const CountryRates&) const = default;
};

// Adds to the set an existing countries.tax with its headings renamed, each
// rename in turn (old code, new code, compared exactly); every other line
// stays byte for byte. A missing file, or one without headings, has nothing
// to rename and adds nothing.
// Throws FileError.
void renameCountryHeadings(const std::string& path,
                           const std::vector<std::pair<std::string, std::string>>& renames,
                           AtomicFileSet& files);

inline constexpr std::size_t minimumCountryColumns = 4;
inline constexpr const char* countryRatesFileName = "countries.tax";

} // namespace qs
