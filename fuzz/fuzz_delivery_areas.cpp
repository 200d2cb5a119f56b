// Any bytes as the shop's delivery areas (area.txt) open with the shop and
// show in the postage dialog; what OK writes opens again the same (see
// PostageRoundTrip.h).
#include "FuzzShop.h"
#include "PostageRoundTrip.h"

#include "core/settings/DeliveryAreas.h"
#include "core/text/AtomicFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qs::fuzz::FuzzShop shop;
    qs::writeFileAtomically(shop.dataFile(qs::areaFileName), qs::fuzz::bytesOf(data, size));
    qs::fuzz::checkPostageRoundTrip(shop);
    return 0;
}
