// Any bytes read as one of the shop's option files (delivery areas, charge
// tables, VAT codes, country rates) give entries that write back without
// surprises; VAT codes come back unchanged.
#include "settings/ChargeTables.h"
#include "settings/CountryRates.h"
#include "settings/DeliveryAreas.h"
#include "settings/VatCodes.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const qs::DeliveryAreas areas = qs::DeliveryAreas::parse(bytes);
    for (std::size_t i = 0; i < areas.entries.size(); ++i) {
        const int zone = areas.entries[i].zone();
        if (zone < 0 || zone > qs::zoneCount || areas.entries[i].liability() < -1)
            std::abort();
        areas.isDefault(i);
    }
    (void)qs::DeliveryAreas::parse(areas.bytes());

    const qs::ChargeTables tables = qs::ChargeTables::parse(bytes, bytes);
    if (tables.weightCharges.size() != tables.bands.size())
        std::abort();
    (void)qs::ChargeTables::parse(tables.weightBytes(), tables.fixedBytes());

    const auto codes = qs::parseVatCodes(bytes);
    if (qs::parseVatCodes(qs::vatCodesBytes(codes)) != codes)
        std::abort();

    const qs::CountryRates rates = qs::CountryRates::parse(bytes);
    (void)qs::CountryRates::parse(rates.bytes());
    return 0;
}
