#include "core/settings/VatCountries.h"

#include "core/app/AppState.h"
#include "core/settings/CountryRates.h"
#include "core/settings/DecimalText.h"
#include "core/settings/StoredText.h"
#include "core/settings/VatCodes.h"
#include "core/text/AtomicFile.h"
#include "core/text/CaseFold.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"

#include <algorithm>

namespace qs {

namespace {

std::string ratesFile(const AppState& state)
{
    return joinPath(state.ShopDataDir(), countryRatesFileName);
}

// Numbers are shown with two decimals; anything else as it was stored.
std::string shownRate(std::string_view rate)
{
    return isDecimal(rate) ? withTwoDecimals(rate) : std::string(rate);
}

} // namespace

std::size_t VatCountries::columnCount() const
{
    return std::max(minimumCountryColumns, codes.size());
}

bool VatCountries::open(const AppState& state, UserInterface& ui)
{
    CountryRates stored;
    try {
        codes.clear();
        for (const VatCode& code : readVatCodes(joinPath(state.ShopDataDir(), vatCodesFileName)))
            codes.push_back(code.code);
        stored = CountryRates::read(ratesFile(state));
    } catch (const FileError& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
    // Each stored column goes to the code its heading names.
    std::vector<std::ptrdiff_t> columnOf;
    for (const std::string& heading : stored.headings) {
        std::ptrdiff_t column = -1;
        for (std::size_t c = 0; !heading.empty() && c < codes.size(); ++c)
            if (equalsIgnoreCase(codes[c], heading))
                column = static_cast<std::ptrdiff_t>(c);
        columnOf.push_back(column);
    }
    rows.clear();
    for (const CountryRates::Country& country : stored.countries) {
        Row& row = rows.emplace_back(Row{country.name, std::vector<std::string>(columnCount())});
        for (std::size_t i = 0; i < country.rates.size() && i < columnOf.size(); ++i)
            if (columnOf[i] >= 0)
                row.rates[static_cast<std::size_t>(columnOf[i])] = shownRate(country.rates[i]);
    }
    countries.clear();
    for (const DeliveryArea& area : state.Postage.areas.entries)
        countries.push_back(area.name);
    return true;
}

bool VatCountries::addCountry(std::string_view country, UserInterface& ui)
{
    if (country.empty())
        return false;
    for (const Row& row : rows)
        if (equalsIgnoreCase(row.country, country)) {
            ui.message(listedMessage, MessageKind::Warning);
            return false;
        }
    rows.push_back({std::string(country), std::vector<std::string>(columnCount())});
    return true;
}

bool VatCountries::deleteCountry(std::size_t row, UserInterface& ui)
{
    if (row >= rows.size() ||
        ui.ask(deleteQuestion, MessageKind::Confirmation, Buttons::YesNo) != Answer::Yes)
        return false;
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

bool VatCountries::setRate(std::size_t row, std::size_t column, std::string_view rate, UserInterface& ui)
{
    if (row >= rows.size() || !editable(column))
        return false;
    rate = strippedText(rate);
    if (!rate.empty() && !isDecimal(rate)) {
        ui.message(rateMessage, MessageKind::Warning);
        return false;
    }
    rows[row].rates[column] = rate.empty() ? std::string() : withTwoDecimals(rate);
    return true;
}

bool VatCountries::accept(const AppState& state, UserInterface& ui) const
{
    CountryRates rates;
    rates.headings = codes;
    rates.headings.resize(columnCount());
    for (const Row& row : rows)
        rates.countries.push_back({row.country, row.rates});
    try {
        writeFileAtomically(ratesFile(state), rates.bytes());
    } catch (const FileError& error) {
        ui.message(error.what(), MessageKind::Error);
        return false;
    }
    return true;
}

} // namespace qs
