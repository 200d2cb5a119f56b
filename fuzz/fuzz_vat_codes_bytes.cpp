// Any bytes as the shop's VAT codes (shop.tax), read and written in memory.
#include "RoundTrip.h"

#include "core/settings/VatCodes.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qs::fuzz::checkRoundTrip(qs::fuzz::bytesOf(data, size), qs::parseVatCodes, qs::vatCodesBytes);
    return 0;
}
